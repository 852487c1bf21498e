#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

// Each command's help explains every argument and option of its usage line, in either language,
// and -h is --help.
class CliHelpTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        m_program = qEnvironmentVariable("QTR318_BUILD_DIR") + QStringLiteral("/cli/qtr318");
        QVERIFY2(QFile::exists(m_program), qPrintable(m_program));
    }

    void commandHelpDescribesEveryArgument_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("lang");
        QTest::addColumn<QString>("usage");
        for (const char* command :
             {"new", "show", "export", "import", "diff", "read", "write", "verify"}) {
            QTest::addRow("%s en", command) << QString::fromLatin1(command) << "en_US.UTF-8"
                                            << "Usage: qtr318 ";
            QTest::addRow("%s zh", command) << QString::fromLatin1(command) << "zh_CN.UTF-8"
                                            << "用法：qtr318 ";
        }
    }

    void commandHelpDescribesEveryArgument() {
        QFETCH(QString, command);
        QFETCH(QString, lang);
        QFETCH(QString, usage);
        const QByteArray help = run({command, QStringLiteral("--help")}, lang);
        QCOMPARE(run({command, QStringLiteral("-h")}, lang), help);
        const QStringList lines = QString::fromUtf8(help).split(QLatin1Char('\n'));
        QVERIFY(lines.first().startsWith(usage + command));

        // Options (-o, --base) and input files (IN.sin) of the usage line.
        static const QRegularExpression token(
            QStringLiteral(R"((?<=[\s\[])(-\w|--\w+|IN\.\w+)\b)"));
        auto matches = token.globalMatch(lines.first().mid(usage.size()));
        int described = 0;
        while (matches.hasNext()) {
            const QString name = matches.next().captured(1);
            // A line of its own that names it and goes on to say something about it.
            const QRegularExpression entry(
                QStringLiteral(R"(^  %1\b.*\s{2,}\S.{15,})").arg(QRegularExpression::escape(name)));
            QVERIFY2(lines.indexOf(entry) > 0, qPrintable(name));
            ++described;
        }
        QVERIFY(described > 0);
    }

    void topLevelHelp() {
        const QByteArray help = run({QStringLiteral("--help")});
        QCOMPARE(run({QStringLiteral("-h")}), help);
        for (const char* command :
             {"new", "show", "export", "import", "diff", "read", "write", "verify", "ports"}) {
            QVERIFY2(help.contains(QByteArray("qtr318 ") + command), command);
        }
    }

private:
    // Standard output of a run that must succeed and say nothing on standard error.
    QByteArray run(const QStringList& arguments, const QString& lang = QString()) {
        QProcess process;
        if (!lang.isEmpty()) {
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(QStringLiteral("LANG"), lang);
            process.setProcessEnvironment(environment);
        }
        process.start(m_program, arguments);
        const bool ended =
            process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit;
        [&] {
            QVERIFY2(ended && process.exitCode() == 0, qPrintable(arguments.join(' ')));
            QVERIFY2(process.readAllStandardError().isEmpty(), qPrintable(arguments.join(' ')));
        }();
        return process.readAllStandardOutput();
    }

    QString m_program;
};

QTEST_GUILESS_MAIN(CliHelpTest)
#include "test_cli_help.moc"
