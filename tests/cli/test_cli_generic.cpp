#include "channel_codec.h"
#include "channel_columns.h"
#include "document_file.h"
#include "new_document.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// The generic layout through the tool: export chooses it by --format, import recognises it, and
// what the layout drops is said on standard error without failing.
class CliGenericTest : public QObject {
    Q_OBJECT

private slots:
    void exportGenericImportItBack() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString program =
            qEnvironmentVariable("QTR318_BUILD_DIR") + QStringLiteral("/cli/qtr318");
        auto run = [&](const QStringList& arguments, QByteArray* err = nullptr) {
            QProcess process;
            process.setWorkingDirectory(dir.path());
            process.start(program, arguments);
            process.waitForFinished();
            if (err) {
                *err = process.readAllStandardError();
            }
            return process.exitCode();
        };

        MemoryImage image = NewDocumentImage(); // VHF
        InMemoryChannelTable table;
        DecodeChannels(image, table);
        const QStringList cells =
            QString::fromUtf8("145.12500,145.72500,D023I,D023N,是,低,否,窄,否,否,是").split(',');
        for (int c = 1; c <= ChannelColumns::kLast; ++c) {
            table.setCellText(3, c, cells[c - 1]);
        }
        EncodeChannels(table, image);
        QVERIFY(DocumentFile::Save(dir.filePath("radio.sin"), image));

        QByteArray err;
        QCOMPARE(run({"export", "radio.sin", "--format", "generic", "-o", "list.csv"}, &err), 0);
        QVERIFY2(err.contains("信道 3 的繁忙"), err.constData()); // busy lockout was on
        QFile list(dir.filePath("list.csv"));
        QVERIFY(list.open(QIODevice::ReadOnly));
        const QByteArray generic = list.readAll();
        QVERIFY(generic.contains("\r\n3,,145.125000,+,0.600000,DTCS,"));

        QCOMPARE(run({"import", "list.csv", "-o", "back.sin"}, &err), 0);
        QCOMPARE(err, QByteArray());
        QCOMPARE(run({"export", "back.sin", "--format", "GENERIC", "-o", "again.csv"}, &err), 0);
        QCOMPARE(err, QByteArray()); // busy lockout came back off: nothing more is lost
        QFile again(dir.filePath("again.csv"));
        QVERIFY(again.open(QIODevice::ReadOnly));
        QCOMPARE(again.readAll(), generic);

        QCOMPARE(run({"export", "radio.sin", "--format", "xml"}), 2);
    }
};

QTEST_GUILESS_MAIN(CliGenericTest)
#include "test_cli_generic.moc"
