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
        auto run = [&](const QStringList& arguments, QByteArray* err = nullptr) {
            QProcess process;
            process.setWorkingDirectory(dir.path());
            process.start(qEnvironmentVariable("QTR318_BUILD_DIR") + "/cli/qtr318", arguments);
            process.waitForFinished();
            *err = process.readAllStandardError();
            return process.exitCode();
        };
        auto read = [&](const char* name) {
            QFile file(dir.filePath(name));
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        };
        QFile native(dir.filePath("native.csv"));
        QVERIFY(native.open(QIODevice::WriteOnly));
        native.write("信道,接收频率,发射频率,接收信令,发射信令,繁忙,功率,扫描,带宽,扰频,压扩,加重\n"
                     "3,145.12500,145.72500,D023I,D023N,是,低,否,窄,否,否,是\n");
        native.close();

        QByteArray err;
        QCOMPARE(run({"import", "native.csv", "-o", "radio.sin", "--band", "vhf"}, &err), 0);
        QCOMPARE(run({"export", "radio.sin", "--format", "generic", "-o", "list.csv"}, &err), 0);
        QVERIFY2(err.contains("信道 3 的繁忙"), err.constData()); // busy lockout was on
        const QByteArray generic = read("list.csv");
        QVERIFY(generic.contains("\r\n3,,145.125000,+,0.600000,DTCS,"));

        QCOMPARE(run({"import", "list.csv", "-o", "back.sin"}, &err), 0);
        QCOMPARE(err, QByteArray());
        QCOMPARE(run({"export", "back.sin", "--format", "GENERIC", "-o", "again.csv"}, &err), 0);
        QCOMPARE(err, QByteArray()); // busy lockout came back off: nothing more is lost
        QCOMPARE(read("again.csv"), generic);
        QCOMPARE(run({"export", "radio.sin", "--format", "xml"}, &err), 2);
    }
};

QTEST_GUILESS_MAIN(CliGenericTest)
#include "test_cli_generic.moc"
