#include "one_language.h"
#include "ui_language.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

// Each run speaks one language: the English translation is complete and keeps what its source
// says, the programs' output under an English or a Chinese locale never mixes the two, and each
// command's help explains every argument and option of its usage line.
namespace {

using Language = UiLanguage::Language;
using OneLanguage::IsChinese;
using OneLanguage::IsEnglish;
using OneLanguage::IsHan;

struct Message {
    QString context;
    QString source;
    QStringList translations; // one, or one per plural form
    bool unfinished = false;
};

QList<Message> ReadTs(const QString& path) {
    QList<Message> messages;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return messages;
    }
    QXmlStreamReader xml(&file);
    QString context;
    Message message;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement()) {
            continue;
        }
        const auto name = xml.name();
        if (name == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (name == QLatin1String("message")) {
            message = Message{context, {}, {}, false};
        } else if (name == QLatin1String("source")) {
            message.source = xml.readElementText();
        } else if (name == QLatin1String("translation")) {
            message.unfinished = !xml.attributes().value(QLatin1String("type")).isEmpty();
            // Plain text, or one numerusform per plural form.
            QString text;
            while (!xml.atEnd()) {
                xml.readNext();
                if (xml.isCharacters()) {
                    text += xml.text();
                } else if (xml.isStartElement() && xml.name() == QLatin1String("numerusform")) {
                    message.translations << xml.readElementText();
                } else if (xml.isEndElement() && xml.name() == QLatin1String("translation")) {
                    break;
                }
            }
            if (message.translations.isEmpty()) {
                message.translations << text;
            }
            messages << message;
        }
    }
    return xml.hasError() ? QList<Message>() : messages;
}

QSet<QString> Placeholders(const QString& text) {
    static const QRegularExpression marker(QStringLiteral("%(n|\\d)"));
    QSet<QString> found;
    for (auto it = marker.globalMatch(text); it.hasNext();) {
        found << it.next().captured();
    }
    return found;
}

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

const char* const kCommands[] = {"new",  "show",  "export", "import", "diff",
                                 "read", "write", "verify", "ports"};

} // namespace

class OneLanguageTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        m_build = qEnvironmentVariable("QTR318_BUILD_DIR");
        QVERIFY(m_dir.isValid());
        QVERIFY(QFile::exists(m_build + QStringLiteral("/cli/qtr318")));
        // A file to show, a CSV with mistakes to import.
        QVERIFY(run({}, {"new", "-o", path("new.sin")}).exitCode == 0);
        QFile csv(path("bad.csv"));
        QVERIFY(csv.open(QIODevice::WriteOnly));
        csv.write("信道,接收频率,发射频率,接收信令,发射信令,繁忙,功率,扫描,带宽,扰频,压扩,加重\n"
                  "1,435.000,,关,关,否,高,是,宽,否,否,是\n"
                  "2,145.125,,X,关,否,高,是,宽,是,是,否\n"
                  "1,145.125\n");
        // A file that differs from new.sin in a channel, an option and bytes no field shows.
        QFile fresh(path("new.sin"));
        QVERIFY(fresh.open(QIODevice::ReadOnly));
        QByteArray bytes = fresh.readAll();
        bytes.replace(0x10, 4, QByteArray::fromHex("00255114")); // channel 1 receives 145.125
        bytes[0x3c1] = char(bytes.at(0x3c1) == 7 ? 6 : 7);       // another squelch level
        for (int address : {0x120, 0x3f0}) {
            bytes[address] = char(bytes.at(address) ^ 0x21);
        }
        QFile other(path("other.sin"));
        QVERIFY(other.open(QIODevice::WriteOnly) && other.write(bytes) == bytes.size());
    }

    void chooseByFirstPreference_data() {
        QTest::addColumn<QStringList>("uiLanguages");
        QTest::addColumn<Language>("expected");
        const Language zh = Language::Chinese;
        const Language en = Language::English;
        QTest::newRow("zh-CN") << QStringList{"zh-CN", "zh-Hans-CN", "zh"} << zh;
        QTest::newRow("zh-TW") << QStringList{"zh-TW"} << zh;
        QTest::newRow("C") << QStringList{"C"} << zh;
        QTest::newRow("POSIX") << QStringList{"POSIX"} << zh;
        QTest::newRow("nothing") << QStringList{} << zh;
        QTest::newRow("en-US") << QStringList{"en-US", "en"} << en;
        QTest::newRow("de before zh") << QStringList{"de-DE", "zh-CN"} << en;
        QTest::newRow("ja") << QStringList{"ja-JP"} << en;
    }
    void chooseByFirstPreference() {
        QFETCH(QStringList, uiLanguages);
        QFETCH(Language, expected);
        QCOMPARE(UiLanguage::Choose(uiLanguages), expected);
    }

    // The command-line tool's catalogue and the window's own.
    void translationIsComplete_data() { catalogues(); }
    void translationCoversTheSources_data() { catalogues(); }

    // Every source text has a finished English translation that keeps its placeholders (a lost
    // %2 drops a file name or count from the message) and quotes any Chinese data it names.
    void translationIsComplete() {
        QFETCH(QString, tsFile);
        QFETCH(int, leastMessages);
        const QList<Message> messages = ReadTs(tsFile);
        QVERIFY(messages.size() >= leastMessages);
        for (const Message& message : messages) {
            const QString where = message.context + QStringLiteral(": ") + message.source;
            QVERIFY2(!message.unfinished, qPrintable(where));
            for (const QString& translation : message.translations) {
                QVERIFY2(!translation.trimmed().isEmpty(), qPrintable(where));
                QVERIFY2(IsEnglish(translation), qPrintable(where));
                if (message.translations.size() == 1) {
                    QVERIFY2(Placeholders(translation) == Placeholders(message.source),
                             qPrintable(where));
                }
            }
        }
    }

    // lupdate finds no text in the sources that the translation file lacks.
    void translationCoversTheSources() {
        QFETCH(QString, tsFile);
        QFETCH(QString, sources);
        const QString copy = m_dir.filePath(QFileInfo(tsFile).fileName());
        QFile::remove(copy);
        QVERIFY(QFile::copy(tsFile, copy));
        QFile::setPermissions(copy, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QStringList arguments = sources.split(QLatin1Char('|'));
        arguments << QStringLiteral("-no-obsolete") << QStringLiteral("-locations")
                  << QStringLiteral("none") << QStringLiteral("-ts") << copy;
        QProcess lupdate;
        lupdate.start(QStringLiteral(QTR318_LUPDATE), arguments);
        QVERIFY(lupdate.waitForFinished(60000) && lupdate.exitCode() == 0);
        QSet<QString> known;
        for (const Message& message : ReadTs(tsFile)) {
            known << message.context + QLatin1Char('|') + message.source;
        }
        QStringList missing;
        for (const Message& message : ReadTs(copy)) {
            if (!known.contains(message.context + QLatin1Char('|') + message.source)) {
                missing << message.context + QLatin1Char('|') + message.source;
            }
        }
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1Char('\n'))));
    }

    // The locale variables pick the language by the usual precedence. Every command runs once
    // per language; the precedence rows need only two of them.
    void commandsSpeakOneLanguage_data() {
        QTest::addColumn<QStringList>("environment");
        QTest::addColumn<Language>("language");
        QTest::addColumn<bool>("everything");
        const Language zh = Language::Chinese;
        const Language en = Language::English;
        QTest::newRow("en_US") << QStringList{"LANG=en_US.UTF-8"} << en << true;
        QTest::newRow("zh_CN") << QStringList{"LANG=zh_CN.UTF-8"} << zh << true;
        QTest::newRow("de_DE") << QStringList{"LANG=de_DE.UTF-8"} << en << false;
        QTest::newRow("C") << QStringList{"LANG=C"} << zh << false;
        QTest::newRow("LC_ALL over LANG")
            << QStringList{"LANG=zh_CN.UTF-8", "LC_ALL=en_US.UTF-8"} << en << false;
        QTest::newRow("LC_MESSAGES over LANG")
            << QStringList{"LANG=en_US.UTF-8", "LC_MESSAGES=zh_CN.UTF-8"} << zh << false;
        QTest::newRow("LANGUAGE first")
            << QStringList{"LANG=en_US.UTF-8", "LANGUAGE=zh_CN:en"} << zh << false;
    }

    void commandsSpeakOneLanguage() {
        QFETCH(QStringList, environment);
        QFETCH(Language, language);
        QFETCH(bool, everything);
        const bool english = language == Language::English;
        QList<QStringList> commands = {{"import", path("bad.csv"), "-o", path("x.sin")},
                                       {"write", "--port", "/dev/qtr318-none", path("new.sin")}};
        if (everything) {
            commands += QList<QStringList>{
                {},
                {"frobnicate"},
                {"show"},
                {"export", "--bogus", "x"},
                {"new", "-o", m_dir.path()},
                {"import", path("absent.csv"), "-o", path("x.sin")},
                {"import", path("bad.csv"), "-o", path("x.sin"), "--band", "hf"},
                {"show", path("bad.csv")},
                {"read", "--port", "/dev/qtr318-none", "-o", path("y.sin"), "--retries", "x"},
                {"ports", "extra"},
                {"diff", path("new.sin"), path("other.sin")},
                {"diff", path("new.sin"), path("other.sin"), "--blocks"},
                {"read", "--port", "COM1", "--port", "COM2", "-o", path("y.sin")},
                {"write", "--port", "COM1", "--port", "com1", path("new.sin")},
                {"qtr318-radio-sim", "--help"},
                {"--help"}};
            for (const char* command : kCommands) {
                commands += QStringList{command, "--help"};
            }
        }
        int plainLines = 0; // plainly in the language chosen
        for (const QStringList& command : commands) {
            const Run result = run(environment, command);
            const QString shown = command.join(QLatin1Char(' '));
            QVERIFY2(result.exitCode > 0 || !result.out.isEmpty(), qPrintable(shown));
            for (const QString& line : (result.out + result.err).split(QLatin1Char('\n'))) {
                const QString message = shown + QStringLiteral(" -> ") + line;
                QVERIFY2(english ? IsEnglish(line) : IsChinese(line), qPrintable(message));
                plainLines +=
                    english ? line.contains(QRegularExpression(QStringLiteral("[a-z]{3} [a-z]{3}")))
                            : std::any_of(line.begin(), line.end(), IsHan);
            }
            if (command.value(command.size() - 1) == QLatin1String("--help")) {
                checkHelp(environment, command.first(), result, english);
            }
        }
        // Not vacuous: the runs said a good deal in the language chosen.
        QVERIFY(plainLines > (everything ? 30 : 2));
        if (everything) {
            // show's headings are messages; the channel table, option and tuning texts are data.
            const Run show = run(environment, {"show", path("new.sin")});
            const QStringList headings =
                english ? QStringList{"Model:  QTR-318", "Options", "Tuning values"}
                        : QStringList{"机型：  QTR-318", "可选功能", "调试参数"};
            for (const QString& heading : headings) {
                QVERIFY2(show.out.split(QLatin1Char('\n')).contains(heading), qPrintable(show.out));
            }
        }
    }

private:
    // A help that succeeds quietly, is the same for -h, and (for a command) explains each
    // option and input file of its usage line on a line of its own; the top-level help names
    // every command.
    void checkHelp(const QStringList& environment, const QString& command, const Run& result,
                   bool english) const {
        if (command == QLatin1String("qtr318-radio-sim")) {
            QVERIFY(result.out.contains(QStringLiteral("--nak-at")));
            return;
        }
        QVERIFY2(result.exitCode == 0 && result.err.isEmpty(), qPrintable(command));
        const bool topLevel = command == QLatin1String("--help");
        const Run shortForm =
            run(environment, topLevel ? QStringList{"-h"} : QStringList{command, "-h"});
        QCOMPARE(shortForm.out, result.out);
        if (topLevel) {
            for (const char* name : kCommands) {
                QVERIFY2(result.out.contains(QStringLiteral("qtr318 ") + QLatin1String(name)),
                         name);
            }
            return;
        }
        const QString usage =
            english ? QStringLiteral("Usage: qtr318 ") : QStringLiteral("用法：qtr318 ");
        const QStringList lines = result.out.split(QLatin1Char('\n'));
        QVERIFY2(lines.first().startsWith(usage + command), qPrintable(lines.first()));
        static const QRegularExpression token(
            QStringLiteral(R"((?<=[\s\[])(-\w|--\w+|IN\.\w+)\b)"));
        int described = 0;
        for (auto matches = token.globalMatch(lines.first().mid(usage.size())); matches.hasNext();
             ++described) {
            const QString name = matches.next().captured(1);
            // A line of its own that names it and goes on to say something about it.
            const QRegularExpression entry(
                QStringLiteral(R"(^  %1\b.*\s{2,}\S.{15,})").arg(QRegularExpression::escape(name)));
            QVERIFY2(lines.indexOf(entry) > 0, qPrintable(command + QLatin1Char(' ') + name));
        }
        QVERIFY2(described > 0 || command == QLatin1String("ports"), qPrintable(command));
    }

    static void catalogues() {
        QTest::addColumn<QString>("tsFile");
        QTest::addColumn<QString>("sources");
        QTest::addColumn<int>("leastMessages");
        QTest::newRow("command line")
            << QStringLiteral(QTR318_TS_FILE) << QStringLiteral(QTR318_TRANSLATED_SOURCES) << 100;
        QTest::newRow("window") << QStringLiteral(QTR318_WINDOW_TS_FILE)
                                << QStringLiteral(QTR318_WINDOW_TRANSLATED_SOURCES) << 60;
    }

    QString path(const char* name) const { return m_dir.filePath(QLatin1String(name)); }

    static QProcessEnvironment environmentWith(const QStringList& settings) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"LANG", "LANGUAGE", "LC_ALL", "LC_MESSAGES"}) {
            environment.remove(QLatin1String(name));
        }
        for (const QString& setting : settings) {
            environment.insert(setting.section(QLatin1Char('='), 0, 0),
                               setting.section(QLatin1Char('='), 1));
        }
        return environment;
    }

    // qtr318 with the arguments, or the simulated radio when the first one names it.
    Run run(const QStringList& environment, const QStringList& arguments) const {
        QProcess process;
        process.setProcessEnvironment(environmentWith(environment));
        if (arguments.value(0) == QLatin1String("qtr318-radio-sim")) {
            process.start(m_build + QStringLiteral("/tools/qtr318-radio-sim"), arguments.mid(1));
        } else {
            process.start(m_build + QStringLiteral("/cli/qtr318"), arguments);
        }
        Run result;
        if (process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit) {
            result.exitCode = process.exitCode();
        }
        result.out = QString::fromUtf8(process.readAllStandardOutput());
        result.err = QString::fromUtf8(process.readAllStandardError());
        return result;
    }

    QString m_build;
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(OneLanguageTest)
#include "test_one_language.moc"
