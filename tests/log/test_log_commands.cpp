// What qtr318 puts in the programming log and lists with qtr318 log, against simulated radios.

#include "document_file.h"
#include "image_map.h"
#include "new_document.h"
#include "programming_log.h"
#include "qtr318_process.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {

QString Sha256Of(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? ProgrammingRecord::Sha256(file.readAll()) : QString();
}

// The log's records as `qtr318 log --format json` lists them.
QJsonArray Listed(const QStringList& options = {}) {
    const Finished log = Qtr318(QStringList{"log", "--format", "json"} + options);
    return QJsonDocument::fromJson(log.out.toUtf8()).array();
}

QStringList Column(const QJsonArray& records, const QString& field) {
    QStringList values;
    for (const QJsonValue& record : records) {
        values.append(record[field].toVariant().toString());
    }
    return values;
}

} // namespace

class TestLogCommands : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString file(const QString& name) const { return m_dir.filePath(name); }
    void useLog(const QString& name) {
        QFile::remove(file(name));
        qputenv("QTR318_LOG", file(name).toLocal8Bit());
    }

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid() && !BuildDir().isEmpty());
        qputenv("XDG_DATA_HOME", file("data").toLocal8Bit());
        MemoryImage uhf = NewDocumentImage();
        uhf.WriteByte(ImageMap::kBandIndex, 1);
        QVERIFY(DocumentFile::Save(file("vhf.sin"), NewDocumentImage()));
        QVERIFY(DocumentFile::Save(file("uhf.sin"), uhf));
    }

    // Each transfer leaves one record with what it came to.
    void aRecordPerTransfer_data() {
        QTest::addColumn<QStringList>("sim");
        QTest::addColumn<QStringList>("command");
        QTest::addColumn<QStringList>("operations");
        QTest::addColumn<QStringList>("results");
        QTest::addColumn<QStringList>("blocks");
        QTest::newRow("write") << QStringList{} << QStringList{"write", "vhf.sin"}
                               << QStringList{"read", "write", "read-back"}
                               << QStringList{"ok", "ok", "ok"} << QStringList{"114", "114", "114"};
        QTest::newRow("read-back unanswered")
            << QStringList{"--quiet-after", "2"} << QStringList{"write", "vhf.sin"}
            << QStringList{"read", "write", "read-back"} << QStringList{"ok", "ok", "unverified"}
            << QStringList{"114", "114", "0"};
        QTest::newRow("read-back differs")
            << QStringList{"--misstore-at", "4", "--fault-session", "2"}
            << QStringList{"write", "vhf.sin"} << QStringList{"read", "write", "read-back"}
            << QStringList{"ok", "ok", "differs"} << QStringList{"114", "114", "114"};
        QTest::newRow("no verify")
            << QStringList{} << QStringList{"write", "--no-verify", "vhf.sin"}
            << QStringList{"read", "write"} << QStringList{"ok", "unverified"}
            << QStringList{"114", "114"};
        QTest::newRow("refused band")
            << QStringList{} << QStringList{"write", "uhf.sin"} << QStringList{"read"}
            << QStringList{"ok"} << QStringList{"114"};
        QTest::newRow("write fails")
            << QStringList{"--nak-at", "10", "--fault-session", "2"}
            << QStringList{"write", "vhf.sin"} << QStringList{"read", "write"}
            << QStringList{"ok", "failed"} << QStringList{"114", "6"};
        QTest::newRow("verify differs")
            << QStringList{} << QStringList{"verify", "uhf.sin"} << QStringList{"verify"}
            << QStringList{"differs"} << QStringList{"114"};
        QTest::newRow("read") << QStringList{} << QStringList{"read", "-o", "out.sin"}
                              << QStringList{"read"} << QStringList{"ok"} << QStringList{"114"};
        QTest::newRow("silent radio")
            << QStringList{"--ignore-prog", "all"} << QStringList{"read", "-o", "out.sin"}
            << QStringList{"read"} << QStringList{"failed"} << QStringList{"0"};
    }
    void aRecordPerTransfer() {
        QFETCH(QStringList, sim);
        QFETCH(QStringList, command);
        QFETCH(QStringList, operations);
        QFETCH(QStringList, results);
        QFETCH(QStringList, blocks);
        useLog("per-transfer.sqlite");
        QDir::setCurrent(m_dir.path());
        RadioSim radio(sim);
        const Finished run =
            Qtr318(command + QStringList{"--port", radio.path, "--label", "truck 12"});
        const QJsonArray records = Listed();
        QVERIFY2(Column(records, "operation") == operations, qPrintable(run.err));
        QCOMPARE(Column(records, "result"), results);
        QCOMPARE(Column(records, "blocks"), blocks);
        const QString data = command.contains("read") ? "out.sin" : command.last();
        for (const QJsonValue& record : records) {
            QCOMPARE(record["label"].toString(), QStringLiteral("truck 12"));
            QCOMPARE(record["device"].toString(), radio.path);
            QCOMPARE(record["program"].toString(), QStringLiteral("qtr318"));
            if (record["blocks"] == 0) { // the radio never answered
                QVERIFY(record["ident"].toString().isEmpty());
                QVERIFY(!record["message"].toString().isEmpty());
                continue;
            }
            QCOMPARE(record["ident"].toString(), QStringLiteral("QT318"));
            QCOMPARE(record["model"].toString(), QStringLiteral("QTR-318"));
            QCOMPARE(record["band"].toString(), QStringLiteral("136 - 174MHz"));
            // A write's record names the file written, the read before it the backup it made.
            const bool backupRead = record["operation"] == "read" && command.first() == "write";
            const QString source = backupRead ? record["backup"].toString() : data;
            QCOMPARE(record["file"].toString(), source);
            if (record["result"] == "ok" && record["operation"] != "verify") {
                QCOMPARE(record["image_sha256"].toString(), Sha256Of(source));
            }
            QVERIFY(command.first() != "write" || QFile::exists(record["backup"].toString()));
        }
    }

    // Filters pick records, formats keep every field under its name, newest last.
    void logListsAndFilters_data() {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QStringList>("labels");
        QTest::newRow("all") << QStringList{} << QStringList{"a", "b", "c", "d"};
        QTest::newRow("since a day")
            << QStringList{"--since", "2026-12-02"} << QStringList{"c", "d"};
        QTest::newRow("until a day, inclusive")
            << QStringList{"--until", "2026-12-02"} << QStringList{"a", "b", "c"};
        QTest::newRow("until a time")
            << QStringList{"--until", "2026-12-02T10:00:00Z"} << QStringList{"a", "b"};
        QTest::newRow("port or device")
            << QStringList{"--port", "/dev/ttyUSB1"} << QStringList{"b", "d"};
        QTest::newRow("label") << QStringList{"--label", "c"} << QStringList{"c"};
        QTest::newRow("result word") << QStringList{"--result", "校验不符"} << QStringList{"d"};
        QTest::newRow("result code") << QStringList{"--result", "ok"} << QStringList{"a", "b", "c"};
        QTest::newRow("nothing") << QStringList{"--label", "none"} << QStringList{};
    }
    void logListsAndFilters() {
        QFETCH(QStringList, options);
        QFETCH(QStringList, labels);
        useLog("listed.sqlite");
        const ProgrammingLog log(LogLocation::FromEnvironment());
        // Appended out of time order: the list is in time order.
        const struct {
            const char* label;
            QDateTime started;
            const char* port;
            ProgrammingRecord::Result result;
        } rows[] = {
            {"c", QDateTime(QDate(2026, 12, 2), QTime(12, 0), Qt::UTC), "COM1",
             ProgrammingRecord::Result::Succeeded},
            {"a", QDateTime(QDate(2026, 11, 30), QTime(23, 0), Qt::UTC), "COM1",
             ProgrammingRecord::Result::Succeeded},
            {"d", QDateTime(QDate(2026, 12, 3), QTime(1, 0), Qt::UTC), "COM2",
             ProgrammingRecord::Result::Differs},
            {"b", QDateTime(QDate(2026, 12, 1), QTime(8, 0), Qt::UTC), "COM2",
             ProgrammingRecord::Result::Succeeded},
        };
        for (const auto& row : rows) {
            ProgrammingRecord record;
            record.label = QString::fromUtf8(row.label);
            record.started = row.started;
            record.port = QString::fromUtf8(row.port);
            record.device = record.port == "COM2" ? "/dev/ttyUSB1" : "/dev/ttyUSB0";
            record.result = row.result;
            record.message = "逗号, \"引号\"\n换行";
            QVERIFY(log.append(record).ok);
        }
        qputenv("TZ", "UTC");
        QCOMPARE(Column(Listed(options), "label"), labels);
        const Finished csv = Qtr318(QStringList{"log", "--format", "csv"} + options);
        QVERIFY(csv.out.startsWith(RecordFields::Names().join(',') + "\r\n"));
        QCOMPARE(csv.out.count("\"逗号, \"\"引号\"\"\n换行\""), labels.size());
        const Finished table = Qtr318(QStringList{"log"} + options);
        QCOMPARE(table.out.count('\n'), labels.isEmpty() ? 0 : labels.size() + 1);
        QCOMPARE(table.exitCode, 0);
    }

    // A log that cannot be written does not fail the transfer, and the user hears of it once.
    void transferGoesOnWithoutTheLog_data() {
        QTest::addColumn<QString>("log");
        QTest::addColumn<QString>("told");
        QTest::newRow("folder cannot be made") << "vhf.sin/log.sqlite"
                                               << "没有记入编程记录";
        QTest::newRow("damaged") << "damaged.sqlite"
                                 << "已损坏，已改名为";
    }
    void transferGoesOnWithoutTheLog() {
        QFETCH(QString, log);
        QFETCH(QString, told);
        QFile damaged(file("damaged.sqlite"));
        QVERIFY(damaged.open(QIODevice::WriteOnly) && damaged.write(QByteArray(4096, 'x')));
        damaged.close();
        qputenv("QTR318_LOG", file(log).toLocal8Bit());
        RadioSim radio({});
        const Finished write = Qtr318({"write", "--port", radio.path, file("vhf.sin")});
        QVERIFY2(write.exitCode == 0 && write.out.contains("校验通过"), qPrintable(write.err));
        QVERIFY2(write.err.count(told) == 1, qPrintable(write.err));
    }

    // Four ports of one program and a second program log at once: every record is kept.
    void parallelProgramsLoseNoRecord() {
        useLog("parallel.sqlite");
        std::vector<std::unique_ptr<RadioSim>> radios;
        QStringList ports;
        for (int i = 0; i < 5; ++i) {
            radios.push_back(std::make_unique<RadioSim>(QStringList{}));
            ports << "--port" << radios.back()->path;
        }
        QProcess second;
        second.start(BuildDir() + "/cli/qtr318",
                     QStringList{"write", file("vhf.sin"), "--backup", file("second/")} +
                         ports.mid(8));
        const Finished four = Qtr318(
            QStringList{"write", file("vhf.sin"), "--backup", file("four/")} + ports.mid(0, 8));
        QVERIFY(second.waitForFinished(60000));
        QVERIFY2(four.exitCode == 0 && second.exitCode() == 0, qPrintable(four.err));
        const QJsonArray records = Listed();
        QCOMPARE(records.size(), 5 * 3);
        QCOMPARE(Column(records, "result").count("ok"), 5 * 3);
    }
};

QTEST_GUILESS_MAIN(TestLogCommands)
#include "test_log_commands.moc"
