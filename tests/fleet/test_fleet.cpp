// The fleet's promises, in SQLite and on a PostgreSQL server alike: plan versions never change
// and equal content adds none; an import is taken whole or not at all; each radio's state follows
// its writes, its plan's versions and its own values; the kept images give back the exact bytes
// a radio held or was given; a log of the previous version opens with its records.

#include "channel_codec.h"
#include "fleet_database.h"
#include "fleet_status.h"
#include "kept_images.h"
#include "new_document.h"
#include "plan_store.h"
#include "postgres_cluster.h"
#include "programming_log.h"
#include "qtr318_process.h"
#include "radio_import.h"
#include "radio_store.h"
#include "write_claims.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QScopeGuard>
#include <QSqlError>
#include <QSysInfo>
#include <QTest>
#include <algorithm>
#include <memory>

namespace {

using State = FleetStatus::State;

QByteArray Bytes(const MemoryImage& image) {
    return QByteArray(reinterpret_cast<const char*>(image.bytes().data()), MemoryImage::kSize);
}

// A new document with channel 1 on frequency, in the band given (0 VHF, 1 UHF).
MemoryImage Plan(const QString& frequency, int band = 0) {
    MemoryImage image = NewDocumentImage();
    ChannelTable table;
    DecodeChannels(image, table);
    table.select(ChannelTable::Selector::Band, band);
    EncodeChannels(table, image);
    RadioOverrides::ApplyCells({{"信道1 接收频率", frequency}}, image);
    return image;
}

ProgrammingRecord Record(const QString& label, ProgrammingRecord::Operation operation,
                         const QString& sha256,
                         ProgrammingRecord::Result result = ProgrammingRecord::Result::Succeeded) {
    ProgrammingRecord record;
    record.started = QDateTime::currentDateTimeUtc();
    record.operation = operation;
    record.label = label;
    record.imageSha256 = sha256;
    record.result = result;
    return record;
}

// The statements that make a log of schema version 2 holding a write and its read-back.
QStringList VersionTwoLog(bool server) {
    const QString records =
        QString("CREATE TABLE records (id %1, started_at TEXT NOT NULL, duration_ms BIGINT NOT "
                "NULL, program TEXT NOT NULL, program_version TEXT NOT NULL, operation TEXT NOT "
                "NULL, port TEXT NOT NULL, device TEXT NOT NULL, usb_vendor TEXT NOT NULL, "
                "usb_product TEXT NOT NULL, usb_serial TEXT NOT NULL, ident TEXT NOT NULL, model "
                "TEXT NOT NULL, band TEXT NOT NULL, image_sha256 TEXT NOT NULL, file TEXT NOT "
                "NULL, backup TEXT NOT NULL, label TEXT NOT NULL, result TEXT NOT NULL, blocks "
                "INTEGER NOT NULL, message TEXT NOT NULL, uuid TEXT, station TEXT NOT NULL "
                "DEFAULT '')")
            .arg(server ? "BIGSERIAL PRIMARY KEY" : "INTEGER PRIMARY KEY AUTOINCREMENT");
    QStringList statements = {
        records, "CREATE UNIQUE INDEX records_uuid ON records (uuid)",
        "INSERT INTO records (started_at, duration_ms, program, program_version, operation, port, "
        "device, usb_vendor, usb_product, usb_serial, ident, model, band, image_sha256, file, "
        "backup, label, result, blocks, message, uuid, station) VALUES "
        "('2026-11-30T08:00:00.000Z', 4100, 'qtr318', '1.0.5', 'write', 'COM1', '', '', '', '', "
        "'QT318', 'QTR-318', '136 - 174MHz', 'ab', 'old.sin', '', '车12', 'ok', 114, '', 'u-1', "
        "'depot'), ('2026-11-30T08:00:05.000Z', 1400, 'qtr318', '1.0.5', 'read-back', 'COM1', "
        "'', '', '', '', 'QT318', 'QTR-318', '136 - 174MHz', 'ab', '', '', '车12', 'ok', 114, '', "
        "'u-2', 'depot')"};
    if (server) {
        statements << "CREATE TABLE schema_version (version INTEGER NOT NULL)"
                   << "INSERT INTO schema_version VALUES (2)";
    } else {
        statements << "CREATE TABLE outbox (record_id INTEGER PRIMARY KEY REFERENCES records "
                      "(id), server TEXT NOT NULL)"
                   << "PRAGMA user_version = 2";
    }
    return statements;
}

// A station running `qtr318 write --fleet --wait` on cable, and what it has said so far.
struct Station {
    QProcess process;
    QByteArray out;
    QByteArray err;
    std::unique_ptr<RadioSim> radio;

    // dataHome: where the station keeps records waiting for the server, when not the tester's.
    bool start(const QString& log, const QString& cable, const QString& dataHome = {}) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QTR318_LOG", log);
        if (!dataHome.isEmpty()) {
            environment.insert("XDG_DATA_HOME", dataHome);
        }
        process.setProcessEnvironment(environment);
        process.start(BuildDir() + "/cli/qtr318", {"write", "--fleet", "--wait", "--port", cable});
        return process.waitForStarted();
    }
    void collect() {
        process.waitForReadyRead(20);
        out += process.readAllStandardOutput();
        err += process.readAllStandardError();
    }
};

} // namespace

class TestFleet : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::unique_ptr<PostgresCluster> m_server;
    int m_databases = 0;

    // A log of its own for each test, in a file or a new database on the server.
    LogLocation fresh(bool server) {
        const QString name = QString("fleet%1").arg(++m_databases);
        if (!server) {
            return LogLocation::FromSetting(m_dir.filePath(name + ".sqlite"));
        }
        m_server->scalar("CREATE DATABASE " + name);
        LogLocation location =
            LogLocation::FromSetting(m_server->uri().replace("/postgres?", "/" + name + "?"));
        location.localPath = m_dir.filePath(name + "-waiting.sqlite");
        return location;
    }

    // A connection of the test's own to location's database.
    static QSqlDatabase Connect(const LogLocation& location, const QString& name) {
        QSqlDatabase db = QSqlDatabase::addDatabase(location.server ? "QPSQL" : "QSQLITE", name);
        db.setDatabaseName(location.server ? location.database : location.localPath);
        db.setHostName(location.host);
        db.setPort(location.port);
        db.setUserName(location.user);
        db.open();
        return db;
    }

    // Runs statements on a database of the test's own, before the program opens it.
    void execute(const LogLocation& location, const QStringList& statements) {
        {
            QSqlDatabase db = Connect(location, "setup");
            QVERIFY(db.isOpen());
            QSqlQuery query(db);
            for (const QString& statement : statements) {
                QVERIFY2(query.exec(statement), qPrintable(query.lastError().text()));
            }
        }
        QSqlDatabase::removeDatabase("setup");
    }

    static void backends() {
        QTest::addColumn<bool>("server");
        QTest::newRow("sqlite") << false;
        QTest::newRow("postgresql") << true;
    }

    static FleetStatus::RadioStatus Status(FleetDatabase& database, const QString& label) {
        QList<FleetStatus::RadioStatus> statuses;
        const QString problem = FleetStatus::Collect(database, &statuses);
        if (!problem.isEmpty()) {
            qWarning() << problem;
        }
        for (const FleetStatus::RadioStatus& status : statuses) {
            if (status.radio.label == label) {
                return status;
            }
        }
        return {};
    }

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        m_server = std::make_unique<PostgresCluster>();
    }

    void init() {
        if (QTest::currentDataTag() == QLatin1String("postgresql") &&
            !m_server->skipReason.isEmpty()) {
            QSKIP(qPrintable(m_server->skipReason));
        }
    }

    void planVersionsNeverChange_data() { backends(); }
    void planVersionsNeverChange() {
        QFETCH(bool, server);
        FleetDatabase database(fresh(server));
        QVERIFY(database.open(true).isEmpty());
        PlanStore plans(database);
        const MemoryImage first = Plan("145.125");
        PlanVersion version;
        bool added = false;
        const auto add = [&](const MemoryImage& image) {
            const QString problem = plans.add(" 城区 ", image, "note", &version, &added);
            QVERIFY2(problem.isEmpty(), qPrintable(problem));
        };
        add(first);
        QVERIFY(added && version.version == 1);
        add(first);
        QVERIFY(!added && version.version == 1);
        add(Plan("146.000"));
        QVERIFY(added && version.version == 2);
        add(first); // equal to an older version only: a new one
        QVERIFY(added && version.version == 3);
        QVERIFY(plans.find("城区", 1, &version).isEmpty());
        QCOMPARE(Bytes(version.image), Bytes(first));
        QCOMPARE(version.sha256, ProgrammingRecord::Sha256(Bytes(first)));
        QVERIFY(plans.find("城区", 0, &version).isEmpty() && version.version == 3);
        QVERIFY(plans.find("城区", 4, &version).contains("没有版本 4"));
        QVERIFY(plans.find("郊区", 0, &version).contains("郊区"));
        QList<PlanVersion> versions;
        QVERIFY(plans.list(&versions).isEmpty());
        QCOMPARE(versions.size(), 3);
        QVERIFY(!plans.add("a@b", first, QString(), &version, &added).isEmpty());
    }

    // Every problem of a file is named by line and column, and none of its radios is taken;
    // one at a time, an unknown plan, a taken label or a misfit value changes nothing either.
    void importIsWholeOrNothing_data() { backends(); }
    void importIsWholeOrNothing() {
        QFETCH(bool, server);
        FleetDatabase database(fresh(server));
        QVERIFY(database.open(true).isEmpty());
        PlanVersion plan;
        bool added = false;
        QVERIFY(PlanStore(database).add("城区", Plan("145.125"), {}, &plan, &added).isEmpty());
        const auto lookUp = [&](const QString& name) -> std::optional<PlanVersion> {
            PlanVersion found;
            return PlanStore(database).find(name, 0, &found).isEmpty() ? std::optional(found)
                                                                       : std::nullopt;
        };
        const QByteArray bad = "标签,计划,组,信道3 接收频率\n"
                               "车1,城区,A,150.125\n"
                               "车2,郊区,A,\n"
                               "车1,城区,B,\n"
                               "车3,城区,B,450.125\n"
                               "车5,城区,B,150.125,x\n";
        RadioImport::Result result = RadioImport::Read(bad, lookUp, {"车9"});
        QVERIFY(result.radios.isEmpty());
        QCOMPARE(result.problems.size(), 4);
        QVERIFY(result.problems[0].startsWith("第 3 行，第 2 列（计划）"));
        QVERIFY(result.problems[1].startsWith("第 4 行，第 1 列（标签）"));
        QVERIFY(result.problems[2].startsWith("第 5 行，第 4 列（信道3 接收频率）"));
        QVERIFY(result.problems[3].startsWith("第 6 行"));
        result = RadioImport::Read("标签,计划,组,信道3 接收频率\n 车4 ,城区,,150.125\n车9,城区,,\n",
                                   lookUp, {"车9"});
        QCOMPARE(result.problems.size(), 1);
        QVERIFY(result.problems[0].contains("已在车队中"));

        RadioStore radios(database);
        result = RadioImport::Read("标签,计划,组\n 车4 ,城区,A\n车5,城区,\n", lookUp, {});
        QVERIFY(result.problems.isEmpty());
        QVERIFY(radios.addAll(result.radios).isEmpty());
        FleetRadio radio;
        QVERIFY(radios.find("车4", &radio).isEmpty() && radio.group == "A");
        const QString misfit = radios.add({"车6", {}, {}, "城区", {{"信道3 接收频率", "450.125"}}});
        QVERIFY2(misfit.contains("信道3 接收频率"), qPrintable(misfit));
        QVERIFY(radios.add({"车6", {}, {}, "郊区", {}}).contains("郊区"));
        QVERIFY(radios.add({" 车5", {}, {}, "城区", {}}).contains("已在车队中"));
        QVERIFY(radios
                    .edit("车5", {std::nullopt,
                                  QString("B"),
                                  std::nullopt,
                                  {{"信道 3 接收频率", "450.125"}},
                                  {}})
                    .contains("450.125"));
        QList<FleetRadio> all;
        QVERIFY(radios.list(&all).isEmpty());
        QCOMPARE(all.size(), 2);
        QVERIFY(all[1].group.isEmpty() && all[1].values.isEmpty());
    }

    // never, then current after a verified write, pending after a new version, failed after a
    // read-back that differs, current again, pending after its own values change; a version in
    // the other band makes its values a problem.
    void statesFollowWritesAndVersions_data() { backends(); }
    void statesFollowWritesAndVersions() {
        QFETCH(bool, server);
        const LogLocation location = fresh(server);
        FleetDatabase database(location);
        QVERIFY(database.open(true).isEmpty());
        PlanVersion plan;
        bool added = false;
        QVERIFY(PlanStore(database).add("城区", Plan("145.125"), {}, &plan, &added).isEmpty());
        RadioStore radios(database);
        QVERIFY(radios.add({"车12", "A", {}, "城区", {{"信道3 接收频率", "150.125"}}}).isEmpty());
        QCOMPARE(Status(database, "车12").state, State::Never);

        const ProgrammingLog log(location);
        const auto write = [&](ProgrammingRecord::Result readBack) {
            const FleetStatus::RadioStatus now = Status(database, "车12");
            using Operation = ProgrammingRecord::Operation;
            for (ProgrammingRecord record :
                 {Record("车12", Operation::Read, "old"),
                  Record("车12", Operation::Write, now.sha256),
                  Record("车12", Operation::ReadBack, now.sha256, readBack)}) {
                record.plan = "城区";
                record.planVersion = now.planVersion;
                QVERIFY(log.append(record).ok);
            }
        };
        write(ProgrammingRecord::Result::Succeeded);
        FleetStatus::RadioStatus status = Status(database, "车12");
        QCOMPARE(status.state, State::Current);
        QCOMPARE(status.writtenVersion, 1);
        QVERIFY(!status.station.isEmpty() && status.writtenAt.isValid());
        QVERIFY(PlanStore(database).add("城区", Plan("146.000"), {}, &plan, &added).isEmpty());
        QCOMPARE(Status(database, "车12").state, State::Pending);
        write(ProgrammingRecord::Result::Differs);
        status = Status(database, "车12");
        QCOMPARE(status.state, State::Failed);
        QCOMPARE(status.writtenVersion, 1);
        write(ProgrammingRecord::Result::Succeeded);
        QCOMPARE(Status(database, "车12").state, State::Current);
        QVERIFY(radios
                    .edit("车12",
                          {std::nullopt, std::nullopt, std::nullopt, {{"信道3 功率", "低"}}, {}})
                    .isEmpty());
        QCOMPARE(Status(database, "车12").state, State::Pending);
        QVERIFY(PlanStore(database).add("城区", Plan("435.000", 1), {}, &plan, &added).isEmpty());
        status = Status(database, "车12");
        QVERIFY(status.state != State::Current && status.problem.contains("信道3 接收频率"));
    }

    // What a read found and what a write gave come back byte for byte, under the record's label
    // only.
    void keptImagesGiveBackTheBytes_data() { backends(); }
    void keptImagesGiveBackTheBytes() {
        QFETCH(bool, server);
        const LogLocation location = fresh(server);
        const ProgrammingLog log(location);
        QList<ProgrammingRecord> records;
        for (const MemoryImage& image : {Plan("145.125"), Plan("146.000")}) {
            ProgrammingRecord record =
                Record("车12", ProgrammingRecord::Operation::Read, QString());
            record.image = Bytes(image);
            record.imageSha256 = ProgrammingRecord::Sha256(record.image);
            record.uuid = QUuid::createUuid().toString(QUuid::WithoutBraces);
            QVERIFY(log.append(record).ok);
            records.append(record);
        }
        for (const ProgrammingRecord& record : records) {
            QByteArray image;
            const QString problem = KeptImages::OfRecord(location, "车12", record.uuid, &image);
            QVERIFY2(problem.isEmpty(), qPrintable(problem));
            QCOMPARE(image, record.image);
        }
        QByteArray image;
        QVERIFY(KeptImages::OfRecord(location, "车13", records[0].uuid, &image).contains("车13"));
    }

    // Of two stations, one writes a label at a time; a holder silent too long loses its claim.
    void claimsKeepStationsApart_data() { backends(); }
    void claimsKeepStationsApart() {
        QFETCH(bool, server);
        const LogLocation location = fresh(server);
        FleetDatabase first(location);
        FleetDatabase second(location);
        QVERIFY(first.open(true).isEmpty() && second.open(true).isEmpty());
        WriteClaims one(first);
        WriteClaims other(second);
        QVERIFY(one.claim("车12").isEmpty() && one.claim("车12").isEmpty());
        QVERIFY(other.claim("车12").contains(QSysInfo::machineHostName()));
        QVERIFY(other.claim("车13").isEmpty());
        one.release("车12");
        QVERIFY(other.claim("车12").isEmpty());
        QSqlQuery age = first.prepared("UPDATE write_claims SET seen_ms = seen_ms - ?",
                                       {WriteClaims::kSilenceMs + 1000});
        QVERIFY(age.exec());
        QVERIFY(one.claim("车12").isEmpty());
    }

    // A log of the previous version keeps its records and takes plans at once.
    void versionTwoLogIsMigrated_data() { backends(); }
    void versionTwoLogIsMigrated() {
        QFETCH(bool, server);
        const LogLocation location = fresh(server);
        execute(location, VersionTwoLog(server));
        FleetDatabase database(location);
        const QString opened = database.open(false);
        QVERIFY2(opened.isEmpty() && !database.absent(), qPrintable(opened));
        PlanVersion plan;
        bool added = false;
        QVERIFY(PlanStore(database).add("城区", Plan("145.125"), {}, &plan, &added).isEmpty());
        QList<ProgrammingRecord> records;
        LogFilter filter;
        filter.label = "车12";
        QVERIFY(ProgrammingLog(location).records(filter, &records).ok);
        QCOMPARE(records.size(), 2);
        QCOMPARE(records[0].uuid, "u-1");
        QCOMPARE(records[0].planVersion, 0);
        // What it was written before counts: the radio is due for the plan, not never written.
        QVERIFY(RadioStore(database).add({"车12", {}, {}, "城区", {}}).isEmpty());
        const FleetStatus::RadioStatus status = Status(database, "车12");
        QCOMPARE(status.state, FleetStatus::State::Pending);
        QCOMPARE(status.writtenAt, QDateTime(QDate(2026, 11, 30), QTime(8, 0, 5), Qt::UTC));
    }

    // The tool's words for the same: a version printed, equal content said, a refusal exits 1
    // with nothing changed, the JSON fields scripts rely on, and restore's exact bytes.
    void toolSpeaksForTheFleet() {
        const QString log = m_dir.filePath("tool.sqlite");
        const QList<QPair<QString, QString>> env = {{"QTR318_LOG", log}};
        const QString sin = m_dir.filePath("plan.sin");
        QFile file(sin);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(Bytes(Plan("145.125"))) == 1024);
        file.close();
        QCOMPARE(Qtr318({"plan", "add", "城区", sin}, env).out, "1\n");
        Finished run = Qtr318({"plan", "add", "城区", sin}, env);
        QVERIFY(run.exitCode == 0 && run.out == "1\n" && run.err.contains("没有添加版本"));
        run = Qtr318({"fleet", "add", "车12", "--plan", "郊区"}, env);
        QVERIFY(run.exitCode == 1 && run.err.contains("郊区"));
        QCOMPARE(
            Qtr318({"fleet", "add", "车12", "--plan", "城区", "--set", "信道3 接收频率=150.125"},
                   env)
                .exitCode,
            0);
        run = Qtr318({"fleet", "status", "--format", "json"}, env);
        const QJsonObject radio = QJsonDocument::fromJson(run.bytes).array().at(0).toObject();
        QCOMPARE(radio.value("state").toString(), "never");
        QCOMPARE(radio.value("plan_version").toInt(), 1);
        QVERIFY(radio.contains("written_sha256") && radio.value("written_version").isNull());

        ProgrammingRecord record = Record("车12", ProgrammingRecord::Operation::Write, {});
        record.image = Bytes(Plan("147.000"));
        record.imageSha256 = ProgrammingRecord::Sha256(record.image);
        record.plan = "城区";
        record.planVersion = 1;
        QVERIFY(ProgrammingLog(LogLocation::FromSetting(log)).append(record).ok);
        run = Qtr318({"fleet", "history", "车12", "--format", "json"}, env);
        const QJsonObject written = QJsonDocument::fromJson(run.bytes).array().at(0).toObject();
        QCOMPARE(written.value("plan_version").toInt(), 1);
        run = Qtr318(
            {"fleet", "restore", "车12", "--record", written.value("uuid").toString(), "-o", "-"},
            env);
        QCOMPARE(run.bytes, record.image);
        QCOMPARE(
            Qtr318({"fleet", "status", "--format", "json"}, env).out.count("\"state\": \"failed\""),
            1);
    }

    // A station by label: three radios on one cable, an unknown label among theirs refused
    // without waiting for a radio, and the input's end ending the run with the last radio still
    // plugged in; exit 1 for the refusal, and the radios written are current.
    void stationWritesRadiosByLabel() {
        const QList<QPair<QString, QString>> env = {
            {"QTR318_LOG", m_dir.filePath("station.sqlite")}};
        const QString sin = m_dir.filePath("station.sin");
        QFile file(sin);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(Bytes(Plan("145.125"))) == 1024);
        file.close();
        QCOMPARE(Qtr318({"plan", "add", "城区", sin}, env).exitCode, 0);
        for (const char* label : {"车1", "车2", "车3"}) {
            QCOMPARE(Qtr318({"fleet", "add", label, "--plan", "城区"}, env).exitCode, 0);
        }
        const QString cable = m_dir.filePath("cable");
        Station station;
        QVERIFY(station.start(env[0].second, cable));
        const auto collect = [&] { station.collect(); };
        const QByteArray& out = station.out;
        const QByteArray& err = station.err;
        std::unique_ptr<RadioSim> radio;
        int plugged = 0;
        const QList<QByteArray> labels = {"车1", "车9", "车2", "车3"};
        for (int number = 1; number <= labels.size(); ++number) {
            const bool known = labels[number - 1] != "车9";
            station.process.write(labels[number - 1] + "\n");
            if (known) {
                // The radio before is unplugged only now, its name going with it as a USB
                // cable's does; the next is plugged in once the station waits for it.
                QFile::remove(cable);
                radio.reset();
                QTRY_VERIFY2_WITH_TIMEOUT((collect(), err.count("等待对讲机") == plugged + 1),
                                          (out + err).constData(), 30000);
                radio = std::make_unique<RadioSim>(QStringList{});
                QVERIFY(QFile::link(radio->path, cable));
                ++plugged;
            }
            const QByteArray line = QByteArray::number(number) + ". " + labels[number - 1] +
                                    (known ? "：" : "：没有写入：");
            QTRY_VERIFY2_WITH_TIMEOUT((collect(), out.contains(line)), (out + err).constData(),
                                      30000);
        }
        station.process.closeWriteChannel();
        QVERIFY(station.process.waitForFinished(30000));
        QCOMPARE(station.process.exitCode(), 1);
        QCOMPARE(out.count("校验通过"), 3);
        const Finished status = Qtr318({"fleet", "status", "--state", "current"}, env);
        for (const char* label : {"车1", "车2", "车3"}) {
            QVERIFY2(status.out.contains(label), qPrintable(status.out));
        }
    }

    // Two stations sharing a server, given one label at once with a radio each on their cables:
    // one writes it, the other is refused naming the station that holds it. The winner is held
    // at its first record until the other has answered, so that it cannot finish and let go of
    // the label before the other looks, however the two are scheduled.
    void stationsRaceForOneLabel() {
        if (!m_server->skipReason.isEmpty()) {
            QSKIP(qPrintable(m_server->skipReason));
        }
        const LogLocation location = fresh(true);
        const QString sin = m_dir.filePath("race.sin");
        QFile file(sin);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(Bytes(Plan("145.125"))) == 1024);
        file.close();
        const QString uri =
            m_server->uri().replace("/postgres?", QString("/fleet%1?").arg(m_databases));
        QCOMPARE(Qtr318({"plan", "add", "城区", sin}, {{"QTR318_LOG", uri}}).exitCode, 0);
        QCOMPARE(Qtr318({"fleet", "add", "车1", "--plan", "城区"}, {{"QTR318_LOG", uri}}).exitCode,
                 0);
        Station stations[2];
        const auto collect = [&] {
            stations[0].collect();
            stations[1].collect();
        };
        const auto said = [&] {
            return stations[0].out + stations[0].err + stations[1].out + stations[1].err;
        };
        for (int n = 0; n < 2; ++n) {
            // Each station keeps records waiting in a file of its own, as two machines would.
            QVERIFY(stations[n].start(uri, m_dir.filePath(QString("race-cable%1").arg(n)),
                                      m_dir.filePath(QString("race-station%1").arg(n))));
            stations[n].process.write("车1\n");
        }
        QTRY_VERIFY2_WITH_TIMEOUT((collect(), stations[0].err.contains("等待对讲机") &&
                                                  stations[1].err.contains("等待对讲机")),
                                  said().constData(), 30000);
        {
            QSqlDatabase records = Connect(location, "race");
            // Let go of the lock, even when a check fails, or the server would never stop.
            const auto unlock = qScopeGuard([&] {
                records.rollback();
                records.close();
            });
            QSqlQuery lock(records);
            QVERIFY(records.transaction());
            QVERIFY2(lock.exec("LOCK TABLE records IN EXCLUSIVE MODE"),
                     qPrintable(lock.lastError().text()));
            for (int n = 0; n < 2; ++n) {
                stations[n].radio = std::make_unique<RadioSim>(QStringList{});
                QVERIFY(QFile::link(stations[n].radio->path,
                                    m_dir.filePath(QString("race-cable%1").arg(n))));
            }
            QTRY_VERIFY2_WITH_TIMEOUT((collect(), said().contains("1. 车1：没有写入：")),
                                      said().constData(), 30000);
            QVERIFY2(said().contains(QSysInfo::machineHostName().toUtf8()), said().constData());
        }
        QSqlDatabase::removeDatabase("race");
        int written = 0;
        for (Station& station : stations) {
            QTRY_VERIFY2_WITH_TIMEOUT((collect(), station.out.contains("1. 车1：")),
                                      said().constData(), 30000);
            station.process.closeWriteChannel();
            QVERIFY(station.process.waitForFinished(30000));
            collect();
            const bool wrote = station.out.contains("校验通过");
            QCOMPARE(station.process.exitCode(), wrote ? 0 : 1);
            written += wrote;
        }
        QCOMPARE(written, 1);
        QList<ProgrammingRecord> records;
        LogFilter filter;
        filter.label = "车1";
        QVERIFY(ProgrammingLog(location).records(filter, &records).ok);
        QCOMPARE(std::count_if(records.begin(), records.end(),
                               [](const ProgrammingRecord& record) {
                                   return record.operation == ProgrammingRecord::Operation::Write;
                               }),
                 1);
    }
};

QTEST_GUILESS_MAIN(TestFleet)
#include "test_fleet.moc"
