#include "channel_columns.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

namespace {

const QByteArray kBom("\xEF\xBB\xBF");
// The radio's columns, as the files below give them: a column only the program keeps follows
// empty in what the tool writes.
const QByteArray kHeader = ChannelColumns::Headers(ChannelColumns::InImage).join(',').toUtf8();

struct Run {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The first group of every match of pattern, a line at a time.
QStringList Matches(const QString& text, const QString& pattern) {
    QStringList found;
    const QRegularExpression expression(pattern, QRegularExpression::MultilineOption);
    for (auto it = expression.globalMatch(text); it.hasNext();) {
        found << it.next().captured(1);
    }
    return found;
}

void WriteAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

} // namespace

class CliFilesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        m_program = qEnvironmentVariable("QTR318_BUILD_DIR") + QStringLiteral("/cli/qtr318");
        QVERIFY2(QFile::exists(m_program), qPrintable(m_program));
        QVERIFY(m_dir.isValid());
        // UHF channels of every signalling kind, varied flags and scan membership, imported through
        // standard input and output over a new document with the band named.
        const Run sample =
            qtr318({"import", "-", "-o", "-", "--band", "uhf"},
                   kHeader + "\n1,435.12500,435.12500,关,关,否,高,是,宽,否,否,是\n"
                             "2,435.00625,435.50000,67.0,254.1,是,低,否,窄,是,否,否\n"
                             "7,435.02500,435.02500,D023N,D754N,否,高,是,窄,否,是,否\n"
                             "12,435.03750,435.60000,D023I,D754I,是,低,是,宽,否,否,否\n"
                             "16,435.98750,435.98750,100.0,D411I,否,低,否,宽,否,否,是\n");
        QVERIFY2(sample.exitCode == 0 && sample.err.isEmpty(), sample.err);
        WriteAll(path("sample.sin"), sample.out);
    }

    void exportThenImportReproducesTheFile() {
        QCOMPARE(qtr318({"export", "sample.sin", "-o", "first.csv"}).exitCode, 0);
        const QByteArray first = ReadAll(path("first.csv"));
        QCOMPARE(qtr318({"export", "sample.sin", "-o", "-"}).out, first);
        QVERIFY(first.startsWith(kBom + ChannelColumns::Headers().join(',').toUtf8() +
                                 "\r\n1,435.12500,"));

        // Over the same base the image comes back byte for byte.
        QCOMPARE(qtr318({"import", "first.csv", "-o", "same.sin", "--base", "sample.sin"}).exitCode,
                 0);
        QCOMPARE(ReadAll(path("same.sin")), ReadAll(path("sample.sin")));
    }

    // --format generic exports the other layout, saying on standard error what it drops; import
    // tells the layouts apart by their headers.
    void genericLayoutThroughTheTool() {
        WriteAll(path("native.csv"),
                 kHeader + "\n3,145.12500,145.72500,D023I,D023N,是,低,否,窄,否,否,是\n");
        QCOMPARE(qtr318({"import", "native.csv", "-o", "radio.sin", "--band", "vhf"}).exitCode, 0);
        const Run generic = qtr318({"export", "radio.sin", "--format", "generic"});
        QVERIFY2(generic.exitCode == 0 && generic.err.contains("信道 3 的繁忙"), generic.err);
        QVERIFY(generic.out.contains("\r\n3,,145.125000,+,0.600000,DTCS,"));
        const Run back = qtr318({"import", "-", "-o", "-"}, generic.out);
        QVERIFY2(back.exitCode == 0 && back.err.isEmpty() && back.out.size() == 1024, back.err);

        // A public UHF list longer than the radio, over the VHF default: refused once for its
        // length, with the way to take its first 16, in the band all its frequencies lie in.
        QByteArray list = "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq\n";
        for (int n = 1; n <= 20; ++n) {
            list += QByteArray::number(n) + ",R," + QByteArray::number(440 + n) + ".0,+,5,,\n";
        }
        const Run refused = qtr318({"import", "-", "-o", "-"}, list);
        QVERIFY2(refused.exitCode == 1 && refused.err.contains("文件有 20 个有频率的行") &&
                     refused.err.contains("--first 16") &&
                     refused.err.contains("400 - 480MHz 之内") && refused.err.count("第 ") == 1,
                 refused.err);
        const Run taken = qtr318({"import", "-", "-o", "-", "--first", "16"}, list);
        QVERIFY2(taken.exitCode == 0 && taken.out.size() == 1024, taken.err);
        const Run mixed = qtr318({"import", "-", "-o", "-"}, "Frequency\n146.52\n440\n");
        QVERIFY2(mixed.exitCode == 1 && mixed.err.contains("频段是 136 - 174MHz") &&
                     mixed.err.contains("--band uhf"),
                 mixed.err);
    }

    void showPrintsTheTableAndSettings() {
        const Run run = qtr318({"show", "sample.sin"});
        QCOMPARE(run.exitCode, 0);
        const QStringList lines = QString::fromUtf8(run.out).split(QLatin1Char('\n'));
        QVERIFY(lines.contains("机型：  QTR-318") && lines.contains("频段：  400 - 480MHz"));
        const qsizetype header = lines.indexOf(QStringLiteral(
            "信道  接收频率   发射频率   接收信令  发射信令  繁忙  功率  扫描  带宽  "
            "扰频  压扩  加重"));
        QVERIFY2(header >= 0, run.out.constData());
        QCOMPARE(
            lines.at(header + 2),
            QStringLiteral(" 2    435.00625  435.50000  67.0      254.1     是    低    否    窄 "
                           "   是    否    否"));
        QCOMPARE(lines.at(header + 3), QStringLiteral(" 3"));
        QVERIFY(run.out.contains("  语言选择      中文\n"));
    }

    // "-" reads standard input wherever a command reads a file.
    void standardInputForEveryInput() {
        const QByteArray image = ReadAll(path("sample.sin"));
        // arguments, standard input, exit code, a part of standard output and of standard error
        const QList<std::tuple<QStringList, QByteArray, int, QByteArray, QByteArray>> cases = {
            {{"show", "-"}, image, 0, qtr318({"show", "sample.sin"}).out, ""},
            {{"export", "-"}, image, 0, qtr318({"export", "sample.sin"}).out, ""},
            {{"diff", "-", "sample.sin"}, image, 0, "", ""},
            {{"diff", "sample.sin", "-"},
             QByteArray(1024, '\0'),
             3,
             "信道 1: sample.sin 435.12500",
             ""},
            {{"diff", "-", "-"}, image, 2, "", ""},
            {{"verify", "--port", "/dev/qtr318-none", "-"},
             image.left(1023),
             1,
             "",
             "标准输入 不是有效的数据文件：长度为 1023 字节"},
            {{"import", "-", "-o", "x.sin"},
             "Frequency\n146.52\n" + QByteArray(300000, '\n'),
             1,
             "",
             "远大于 16 个信道的 CSV 所需"}};
        for (const auto& [arguments, input, exitCode, out, err] : cases) {
            const Run run = qtr318(arguments, input);
            QVERIFY2(run.exitCode == exitCode && run.out.contains(out) && run.err.contains(err),
                     qPrintable(arguments.join(' ') + ": " + run.err));
        }
    }

    // Of two COM names, only the one whose device is missing is marked so.
    void portsMarkOnlyTheMissingDevice() {
        WriteAll(path("cable"), "");
        qputenv("QTR318_COM1", path("cable").toLocal8Bit());
        qputenv("QTR318_COM2", path("gone").toLocal8Bit());
        const Run run = qtr318({"ports"});
        qunsetenv("QTR318_COM1");
        qunsetenv("QTR318_COM2");
        QCOMPARE(run.exitCode, 0);
        const QStringList lines = QString::fromUtf8(run.out).split('\n');
        QVERIFY2(lines.contains("COM1 -> " + path("cable")) &&
                     lines.contains("COM2 -> " + path("gone") + "（不存在）"),
                 run.out.constData());
    }

    // A bad table names the line and column (the first twenty problems, then a count) and
    // leaves the target as it was; the reasons themselves are pinned by the table's own test.
    void failuresExitOneAndWriteNothing() {
        WriteAll(path("bad.csv"), kHeader + "\r\n1,145,174.5,,,,,,,,,\r\n" +
                                      QByteArray("1,145,,,,,,,,,,\r\n").repeated(30));
        WriteAll(path("kept.sin"), "previous contents");
        const Run bad = qtr318({"import", "bad.csv", "-o", "kept.sin"});
        QCOMPARE(bad.exitCode, 1);
        QVERIFY2(bad.err.contains("bad.csv：第 2 行，第 3 列（发射频率）：\"174.5\"：超出范围") &&
                     bad.err.contains("bad.csv：另有 11 个问题没有列出\n") &&
                     bad.err.contains("发现 31 个问题；什么也没有写入") &&
                     bad.err.contains("频段是 136 - 174MHz") && bad.err.count('\n') == 23,
                 bad.err.constData());
        QCOMPARE(ReadAll(path("kept.sin")), QByteArray("previous contents"));

        WriteAll(path("short.sin"), QByteArray(1023, '\0'));
        WriteAll(path("huge.csv"), "Location,Frequency\n" + QByteArray(262145 - 19, '\n'));
        const QList<QPair<QString, QByteArray>> cases = {
            {"export short.sin -o short.csv", "1023"},
            {"new -o no/such/dir/a.sin", "no/such/dir/a.sin"},
            {"import absent.csv -o x.sin", "absent.csv"},
            {"import huge.csv -o x.sin", "文件有 262145 字节，远大于 16 个信道的 CSV 所需"}};
        for (const auto& [line, reason] : cases) {
            const Run run = qtr318(line.split(' '));
            QVERIFY2(run.exitCode == 1 && run.out.isEmpty() && run.err.contains(reason),
                     qPrintable(line));
        }
        QVERIFY(!QFile::exists(path("short.csv")) && !QFile::exists(path("x.sin")));
    }

    // Standard output that cannot take the output is a failure too.
    void standardOutputErrorsFail() {
        if (!QFileInfo::exists("/dev/full")) {
            QSKIP("no /dev/full on this system");
        }
        // import writes its image to standard output as export writes its table.
        const QStringList lines = {"show sample.sin", "export sample.sin -o -", "--help"};
        for (const QString& line : lines) {
            const Run run = qtr318(line.split(' '), {}, "/dev/full");
            QVERIFY2(run.exitCode == 1 && run.err.contains("无法写入标准输出"),
                     qPrintable(line + ": " + run.err));
        }
    }

    // Usage errors, the transfer commands' included, and an output naming the input or
    // anything but a regular file: found before any port is opened or file written, and nothing
    // is touched.
    void usageErrorsExitTwoAndHelpExitsZero() {
        QCOMPARE(qtr318({"new", "-o", "a.sin"}).exitCode, 0);
        WriteAll(path("in.sin"), ReadAll(path("a.sin")));
        WriteAll(path("in.csv"), kHeader + "\n");
        QVERIFY(QFile::link(path("a.sin"), path("link.sin")));
        QVERIFY(QDir(m_dir.path()).mkpath("folder"));
        QVERIFY(mkfifo(QFile::encodeName(path("pipe")).constData(), 0600) == 0);
        const QList<QPair<QString, QString>> cases = {
            {"", ""},
            {"frobnicate", ""},
            {"export a.sin -o x -o y", ""},
            {"import in.csv -o x.sin --band hf", ""},
            {"read -o x.sin", ""},
            {"write --port COM1 --retries -1 a.sin", ""},
            {"read --port com1 --port COM1 -o x/", ""},
            {"write --port /dev/qtr318-none --backup in.sin in.sin", ""},
            {"verify --port COM1 --label truck\t12 a.sin", ""},
            {"export a.sin --format xml", ""},
            {"export link.sin -o ./a.sin", "是输入文件"},
            {"import in.csv -o in.csv", "是输入文件"},
            {"new -o folder", "不是普通文件"},
            {"export a.sin -o pipe", "不是普通文件"},
            {"read --port /dev/qtr318-none -o pipe", "不是普通文件"}};
        for (const auto& [line, reason] : cases) {
            const Run run = qtr318(line.split(' ', Qt::SkipEmptyParts));
            QVERIFY2(run.exitCode == 2 && run.out.isEmpty() && run.err.startsWith("qtr318") &&
                         run.err.contains(reason.toUtf8()),
                     qPrintable(line + ": " + run.err));
        }
        QVERIFY(!QFile::exists(path("x.sin")) && !QFile::exists(path("x")));
        QCOMPARE(ReadAll(path("in.sin")), ReadAll(path("a.sin")));
        QCOMPARE(ReadAll(path("in.csv")), kHeader + "\n");
        QVERIFY(QFileInfo(path("link.sin")).isSymLink() && QFileInfo(path("folder")).isDir() &&
                !QFileInfo(path("pipe")).isFile());
        QCOMPARE(qtr318({"import", "--help"}).exitCode, 0);
    }

    // The completion script and the manual page are written by hand: they name exactly the
    // commands the tool lists in --help, in the same order.
    void completionAndManualNameEveryCommand() {
        const QStringList commands = Matches(QString::fromUtf8(qtr318({"--help"}).out),
                                             QStringLiteral("^  qtr318 ([a-z]+)"));
        QVERIFY(commands.size() > 5);
        const QString completion =
            QString::fromUtf8(ReadAll(QStringLiteral(QTR318_SOURCE_DIR "/completion/qtr318")));
        QCOMPARE(Matches(completion, QStringLiteral("^\\s*local commands=\"(.*)\"$")),
                 QStringList{commands.join(' ')});
        QCOMPARE(Matches(completion, QStringLiteral("^\\s*([a-z |]+)\\)$")),
                 QStringList{commands.join(QStringLiteral(" | "))});
        const QString manual =
            QString::fromUtf8(ReadAll(QStringLiteral(QTR318_SOURCE_DIR "/man/qtr318.1.in")));
        QCOMPARE(Matches(manual, QStringLiteral("^\\.SY qtr318\n\\.B ([a-z]+)")), commands);
        const QString described = manual.section(QStringLiteral(".SH COMMANDS"), 1, 1)
                                      .section(QStringLiteral("\n.SH "), 0, 0);
        QCOMPARE(Matches(described, QStringLiteral("^\\.TP\n\\.BI? \"?([a-z]+)")), commands);
    }

private:
    // Runs the tool in the test's folder; -2 stands for a crash or a hang.
    Run qtr318(const QStringList& arguments, const QByteArray& input = QByteArray(),
               const QString& outputFile = QString()) {
        QProcess process;
        process.setWorkingDirectory(m_dir.path());
        if (!outputFile.isEmpty()) {
            process.setStandardOutputFile(outputFile);
        }
        process.start(m_program, arguments);
        process.write(input);
        process.closeWriteChannel();
        const bool ended =
            process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit;
        return {ended ? process.exitCode() : -2, process.readAllStandardOutput(),
                process.readAllStandardError()};
    }
    QString path(const QString& name) const { return m_dir.filePath(name); }

    QString m_program;
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(CliFilesTest)
#include "test_cli_files.moc"
