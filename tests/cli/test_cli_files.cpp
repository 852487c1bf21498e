#include "channel_codec.h"
#include "channel_columns.h"
#include "document_file.h"
#include "new_document.h"

#include <QFile>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace Col = ChannelColumns;

namespace {

const QByteArray kBom("\xEF\xBB\xBF");
const QByteArray kHeader =
    "信道,接收频率,发射频率,接收信令,发射信令,繁忙,功率,扫描,带宽,扰频,压扩,加重";

struct Run {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// Channels of every signalling kind, varied flags and scan membership, in the given band.
MemoryImage SampleImage(int band) {
    MemoryImage image = NewDocumentImage();
    image.WriteByte(0x3D2, static_cast<std::uint8_t>(band));
    InMemoryChannelTable table;
    DecodeChannels(image, table);
    const QMap<int, QString> rows = {{1, "%1.12500,%1.12500,关,关,否,高,是,宽,否,否,是"},
                                     {2, "%1.00625,%1.50000,67.0,254.1,是,低,否,窄,是,否,否"},
                                     {7, "%1.02500,%1.02500,D023N,D754N,否,高,是,窄,否,是,否"},
                                     {12, "%1.03750,%1.60000,D023I,D754I,是,低,是,宽,否,否,否"},
                                     {16, "%1.98750,%1.98750,100.0,D411I,否,低,否,宽,否,否,是"}};
    for (auto row = rows.begin(); row != rows.end(); ++row) {
        const QStringList cells = row.value().arg(band == 0 ? "145" : "435").split(',');
        for (int c = 1; c <= Col::kLast; ++c) {
            table.setCellText(row.key(), c, cells.at(c - 1));
        }
    }
    EncodeChannels(table, image);
    return image;
}

} // namespace

class CliFilesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        m_program = qEnvironmentVariable("QTR318_BUILD_DIR") + QStringLiteral("/cli/qtr318");
        QVERIFY2(QFile::exists(m_program), qPrintable(m_program));
        QVERIFY(m_dir.isValid());
    }

    void newThenExportPrintsEmptyTable() {
        QCOMPARE(qtr318({"new", "-o", "a.sin"}).exitCode, 0);
        QVERIFY(ReadAll(path("a.sin")) ==
                QByteArray(reinterpret_cast<const char*>(NewDocumentImage().bytes().data()),
                           MemoryImage::kSize));
        const Run exported = qtr318({"export", "a.sin"});
        QCOMPARE(exported.exitCode, 0);
        QByteArray expected = kBom + kHeader + "\r\n";
        for (int n = 1; n <= 16; ++n) {
            expected += QByteArray::number(n) + ",,,,,,,,,,,\r\n";
        }
        QCOMPARE(exported.out, expected);
        QCOMPARE(exported.err, QByteArray());
    }

    void exportImportExportReproducesTheFile_data() {
        QTest::addColumn<int>("band");
        QTest::addColumn<QString>("bandOption");
        QTest::newRow("vhf") << 0 << "vhf";
        QTest::newRow("uhf") << 1 << "uhf";
    }

    void exportImportExportReproducesTheFile() {
        QFETCH(int, band);
        QFETCH(QString, bandOption);
        QVERIFY(DocumentFile::Save(path("base.sin"), SampleImage(band)));
        QCOMPARE(qtr318({"export", "base.sin", "-o", "first.csv"}).exitCode, 0);
        const QByteArray first = ReadAll(path("first.csv"));
        QCOMPARE(qtr318({"export", "base.sin", "-o", "-"}).out, first);
        QVERIFY(first.startsWith(kBom + kHeader + "\r\n1," + QByteArray(band == 0 ? "145" : "435") +
                                 ".12500,"));

        // Over the same base the image comes back byte for byte.
        QCOMPARE(qtr318({"import", "first.csv", "-o", "same.sin", "--base", "base.sin"}).exitCode,
                 0);
        QCOMPARE(ReadAll(path("same.sin")), ReadAll(path("base.sin")));

        // Over a new document with the band named, the table comes back text for text.
        const Run imported =
            qtr318({"import", "first.csv", "-o", "fresh.sin", "--band", bandOption});
        QCOMPARE(imported.exitCode, 0);
        QCOMPARE(imported.err, QByteArray());
        QCOMPARE(qtr318({"export", "fresh.sin"}).out, first);
    }

    void importFromStandardInputToStandardOutput() {
        const Run piped =
            qtr318({"import", "-", "-o", "-"}, kHeader + "\n3,146.5,,D023N,,,,,,,,\n");
        QCOMPARE(piped.exitCode, 0);
        WriteAll(path("stdin.sin"), piped.out);
        QVERIFY(qtr318({"export", "stdin.sin"})
                    .out.contains("\r\n3,146.50000,,D023N,关,否,高,是,宽,否,否,是\r\n"
                                  "4,,,,,,,,,,,\r\n"));
    }

    void showPrintsTheTableAndSettings() {
        QVERIFY(DocumentFile::Save(path("show.sin"), SampleImage(1)));
        const Run run = qtr318({"show", "show.sin"});
        QCOMPARE(run.exitCode, 0);
        const QStringList lines = QString::fromUtf8(run.out).split(QLatin1Char('\n'));
        QVERIFY(lines.contains("Model: QTR-318") && lines.contains("Band:  400 - 480MHz"));
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

    // A bad table names the line and column (the first twenty problems, then a count) and
    // leaves the target as it was; the reasons themselves are pinned by the table's own test.
    void failuresExitOneAndWriteNothing() {
        WriteAll(path("bad.csv"), kHeader + "\r\n1,145,174.5,,,,,,,,,\r\n" +
                                      QByteArray("1,145,,,,,,,,,,\r\n").repeated(30));
        WriteAll(path("kept.sin"), "previous contents");
        const Run bad = qtr318({"import", "bad.csv", "-o", "kept.sin"});
        QCOMPARE(bad.exitCode, 1);
        QVERIFY2(bad.err.contains("bad.csv: line 2, column 3 (发射频率): \"174.5\": 超出范围") &&
                     bad.err.contains("bad.csv: 11 more problem(s) not shown\n") &&
                     bad.err.contains("31 problem(s) found; nothing written") &&
                     bad.err.count('\n') == 22,
                 bad.err.constData());
        QCOMPARE(ReadAll(path("kept.sin")), QByteArray("previous contents"));

        WriteAll(path("short.sin"), QByteArray(1023, '\0'));
        const QList<QPair<QString, QByteArray>> cases = {
            {"export short.sin -o short.csv", "1023"},
            {"new -o no/such/dir/a.sin", "no/such/dir/a.sin"},
            {"import absent.csv -o x.sin", "absent.csv"}};
        for (const auto& [line, reason] : cases) {
            const Run run = qtr318(line.split(' '));
            QVERIFY2(run.exitCode == 1 && run.out.isEmpty() && run.err.contains(reason),
                     qPrintable(line));
        }
        QVERIFY(!QFile::exists(path("short.csv")) && !QFile::exists(path("x.sin")));
    }

    void usageErrorsExitTwoAndHelpExitsZero() {
        const QString lines = ";frobnicate;new x.sin;show a.sin b.sin;export a.sin -o x -o y;"
                              "import in.csv;import in.csv -o x.sin --band hf";
        for (const QString& line : lines.split(';')) {
            const Run run = qtr318(line.split(' ', Qt::SkipEmptyParts));
            QVERIFY2(run.exitCode == 2 && run.out.isEmpty() && !run.err.isEmpty(),
                     qPrintable(line));
        }
        QVERIFY(!QFile::exists(path("x.sin")) && !QFile::exists(path("x")));
        QCOMPARE(qtr318({"import", "--help"}).exitCode, 0);
    }

private:
    // Runs the tool in the test's folder; -2 stands for a crash or a hang.
    Run qtr318(const QStringList& arguments, const QByteArray& input = QByteArray()) {
        QProcess process;
        process.setWorkingDirectory(m_dir.path());
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
