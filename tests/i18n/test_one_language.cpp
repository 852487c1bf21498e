#include "one_language.h"
#include "qtr318_process.h"
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
// says, and the programs' output under an English or a Chinese locale never mixes the two.
namespace {

using Language = UiLanguage::Language;
using OneLanguage::IsChinese;
using OneLanguage::IsEnglish;

struct Message {
    QString context;
    QString source;
    QString translation;
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
    QString source;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) {
            continue;
        }
        const auto name = xml.name();
        if (name == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (name == QLatin1String("source")) {
            source = xml.readElementText();
        } else if (name == QLatin1String("translation")) {
            const bool unfinished = !xml.attributes().value(QLatin1String("type")).isEmpty();
            // Plural forms run together: each must keep the source's placeholders.
            messages << Message{context, source,
                                xml.readElementText(QXmlStreamReader::IncludeChildElements),
                                unfinished};
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

} // namespace

class OneLanguageTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        QVERIFY(QFile::exists(BuildDir() + QStringLiteral("/cli/qtr318")));
        // A file to show, a CSV with mistakes to import.
        QVERIFY(run({}, {"new", "-o", path("new.sin")}).exitCode == 0);
        QFile csv(path("bad.csv"));
        QVERIFY(csv.open(QIODevice::WriteOnly));
        csv.write("信道,接收频率,发射频率,接收信令,发射信令,繁忙,功率,扫描,带宽,扰频,压扩,加重\n"
                  "1,435.000,,关,关,否,高,是,宽,否,否,是\n"
                  "2,145.125,,X,关,否,高,是,宽,是,是,否\n"
                  "1,145.125\n");
        // A file that differs from new.sin in a channel and in bytes no field shows.
        QFile fresh(path("new.sin"));
        QVERIFY(fresh.open(QIODevice::ReadOnly));
        QByteArray bytes = fresh.readAll();
        bytes.replace(0x10, 4, QByteArray::fromHex("00255114")); // channel 1 receives 145.125
        bytes[0x3f0] = char(bytes.at(0x3f0) ^ 0x21);
        QFile other(path("other.sin"));
        QVERIFY(other.open(QIODevice::WriteOnly) && other.write(bytes) == bytes.size());
        // Its channel 1 in a file set to the other band.
        bytes[0x3d2] = 1;
        QFile stray(path("stray.sin"));
        QVERIFY(stray.open(QIODevice::WriteOnly) && stray.write(bytes) == bytes.size());
    }

    // The first preference decides; any Chinese or none at all is Chinese.
    void chooseByFirstPreference_data() {
        QTest::addColumn<QStringList>("uiLanguages");
        QTest::addColumn<Language>("expected");
        QTest::newRow("zh-TW") << QStringList{"zh-TW"} << Language::Chinese;
        QTest::newRow("nothing") << QStringList{} << Language::Chinese;
        QTest::newRow("de before zh") << QStringList{"de-DE", "zh-CN"} << Language::English;
    }
    void chooseByFirstPreference() {
        QFETCH(QStringList, uiLanguages);
        QFETCH(Language, expected);
        QCOMPARE(UiLanguage::Choose(uiLanguages), expected);
    }

    // The command-line tool's catalogue and the window's own, brought up to date with the
    // sources by lupdate: a text the catalogue lacks comes back unfinished.
    void translationIsComplete_data() {
        QTest::addColumn<QString>("tsFile");
        QTest::addColumn<QString>("sources");
        QTest::newRow("command line")
            << QStringLiteral(QTR318_TS_FILE) << QStringLiteral(QTR318_TRANSLATED_SOURCES);
        QTest::newRow("window") << QStringLiteral(QTR318_WINDOW_TS_FILE)
                                << QStringLiteral(QTR318_WINDOW_TRANSLATED_SOURCES);
    }

    // Every source text has a finished English translation that keeps its placeholders (a lost
    // %2 drops a file name or count from the message) and quotes any Chinese data it names.
    void translationIsComplete() {
        QFETCH(QString, tsFile);
        QFETCH(QString, sources);
        const QString copy = m_dir.filePath(QFileInfo(tsFile).fileName());
        QFile::remove(copy);
        QVERIFY(QFile::copy(tsFile, copy));
        QFile::setPermissions(copy, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QProcess lupdate;
        lupdate.start(QStringLiteral(QTR318_LUPDATE),
                      sources.split(QLatin1Char('|')) +
                          QStringList{"-no-obsolete", "-locations", "none", "-ts", copy});
        QVERIFY(lupdate.waitForFinished(60000) && lupdate.exitCode() == 0);
        const QList<Message> messages = ReadTs(copy);
        QVERIFY(messages.size() >= 60);
        for (const Message& message : messages) {
            const QString where = message.context + QStringLiteral(": ") + message.source;
            QVERIFY2(!message.unfinished, qPrintable(where));
            QVERIFY2(!message.translation.trimmed().isEmpty(), qPrintable(where));
            QVERIFY2(IsEnglish(message.translation), qPrintable(where));
            QVERIFY2(Placeholders(message.translation) == Placeholders(message.source),
                     qPrintable(where));
        }
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
                {"new", "-o", m_dir.path()},
                {"show", path("bad.csv")},
                {"diff", path("new.sin"), path("other.sin"), "--blocks"},
                {"show", path("other.sin")}, // list values in the run's language
                {"write", "--port", "/dev/qtr318-none", path("stray.sin")},
                {"read", "--port", "COM1", "--port", "COM2", "-o", path("y.sin")},
                {"--help"}};
            // Every command the tool lists, so that a new one cannot go untranslated.
            const QRegularExpression listed(QStringLiteral("^  qtr318 ([a-z]+)"),
                                            QRegularExpression::MultilineOption);
            for (auto it = listed.globalMatch(run(environment, {"--help"}).out); it.hasNext();) {
                commands += QStringList{it.next().captured(1), "--help"};
            }
        }
        int plainLines = 0; // plainly in the language chosen
        for (const QStringList& command : commands) {
            const Finished result = run(environment, command);
            const QString shown = command.join(QLatin1Char(' '));
            QVERIFY2(result.exitCode > 0 || !result.out.isEmpty(), qPrintable(shown));
            for (const QString& line : (result.out + result.err).split(QLatin1Char('\n'))) {
                const QString message = shown + QStringLiteral(" -> ") + line;
                QVERIFY2(english ? IsEnglish(line) : IsChinese(line), qPrintable(message));
                plainLines +=
                    english ? line.contains(QRegularExpression(QStringLiteral("[a-z]{3} [a-z]{3}")))
                            : OneLanguage::HasHan(line);
            }
            if (command.value(command.size() - 1) == QLatin1String("--help")) {
                QVERIFY2(result.exitCode == 0 && result.err.isEmpty(), qPrintable(shown));
            }
        }
        // Not vacuous: the runs said a good deal in the language chosen.
        QVERIFY(plainLines > (everything ? 20 : 2));
    }

private:
    QString path(const char* name) const { return m_dir.filePath(QLatin1String(name)); }

    // Only the locale variables given reach the tool: an empty one counts as unset.
    static Finished run(const QStringList& environment, const QStringList& arguments) {
        QList<QPair<QString, QString>> settings;
        for (const char* name : {"LANG", "LANGUAGE", "LC_ALL", "LC_MESSAGES"}) {
            settings.append({QLatin1String(name), QString()});
        }
        for (const QString& setting : environment) {
            settings.append(
                {setting.section(QLatin1Char('='), 0, 0), setting.section(QLatin1Char('='), 1)});
        }
        return Qtr318(arguments, settings);
    }

    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(OneLanguageTest)
#include "test_one_language.moc"
