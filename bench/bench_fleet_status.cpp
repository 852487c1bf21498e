// The fleet at a depot's size: `fleet status` over 50000 radios and 500000 records, one label's
// lookup at a station, and the database's size, in SQLite and on a throwaway PostgreSQL server.
// bench_fleet_status (the server part is skipped, with the reason, when none can be started).

#include "fleet_database.h"
#include "fleet_status.h"
#include "new_document.h"
#include "plan_store.h"
#include "postgres_cluster.h"
#include "radio_store.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSqlError>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

constexpr int kRadios = 50000;
constexpr int kRecordsPerRadio = 10;
constexpr int kRowsPerInsert = 500;

QTextStream& Out() {
    static QTextStream out(stdout);
    return out;
}

// Runs statement once per kRowsPerInsert rows, its "(…)" repeated for each, with row's values
// bound for rows first .. count - 1.
QString InsertRows(QSqlDatabase& db, const QString& head, const QString& row, int count,
                   const std::function<QVariantList(int)>& values) {
    QSqlQuery query(db);
    QStringList rows(kRowsPerInsert, row);
    query.prepare(head + rows.join(QLatin1Char(',')));
    for (int first = 0; first < count; first += kRowsPerInsert) {
        int position = 0;
        for (int n = first; n < first + kRowsPerInsert; ++n) {
            for (const QVariant& value : values(n)) {
                query.bindValue(position++, value);
            }
        }
        if (!query.exec()) {
            return query.lastError().text();
        }
    }
    return QString();
}

// A plan, kRadios radios on it (every tenth with a value of its own) and kRecordsPerRadio records
// each: reads, writes and read-backs, some failed, in one transaction.
QString Fill(FleetDatabase& database) {
    PlanVersion plan;
    bool added = false;
    if (QString problem = PlanStore(database).add("城区", NewDocumentImage(), {}, &plan, &added);
        !problem.isEmpty()) {
        return problem;
    }
    return database.inTransaction([&]() -> QString {
        QSqlQuery planId = database.prepared("SELECT id FROM plans WHERE name = ?", {plan.plan});
        if (!planId.exec() || !planId.next()) {
            return FleetDatabase::Failure(planId);
        }
        const QString label = QStringLiteral("车%1");
        QString problem = InsertRows(
            database.db(), "INSERT INTO radios (label, plan_id, grp, note) VALUES ",
            QString("(?, %1, ?, '')").arg(planId.value(0).toLongLong()), kRadios, [&](int n) {
                return QVariantList{label.arg(n), QString("车队%1").arg(n % 20)};
            });
        if (problem.isEmpty()) {
            problem =
                InsertRows(database.db(), "INSERT INTO radio_values (radio_id, cell, text) VALUES ",
                           "((SELECT id FROM radios WHERE label = ?), '信道3 接收频率', '150.125')",
                           kRadios / 10, [&](int n) { return QVariantList{label.arg(n * 10)}; });
        }
        const QDateTime start = QDateTime::currentDateTimeUtc().addDays(-400);
        const char* const operations[] = {"read", "write", "read-back"};
        if (problem.isEmpty()) {
            problem = InsertRows(
                database.db(),
                "INSERT INTO records (started_at, duration_ms, program, program_version, "
                "operation, port, device, usb_vendor, usb_product, usb_serial, ident, model, "
                "band, image_sha256, file, backup, label, result, blocks, message, uuid, station, "
                "plan, plan_version) VALUES ",
                "(?, 1400, 'qtr318', '1.0.6', ?, 'COM1', '', '067b', '2303', '', 'QT318', "
                "'QTR-318', '136 - 174MHz', ?, '城区@1', '', ?, ?, 114, '', ?, 'depot', '城区', 1)",
                kRadios * kRecordsPerRadio, [&](int n) {
                    const int radio = n % kRadios; // a radio's records spread over the log
                    const int step = n / kRadios;
                    return QVariantList{
                        start.addSecs(n).toString(Qt::ISODateWithMs),
                        QString::fromLatin1(operations[step % 3]),
                        plan.sha256,
                        label.arg(radio),
                        QString::fromLatin1(radio % 7 == 0 && step == 8 ? "failed" : "ok"),
                        QString("u%1").arg(n)};
                });
        }
        return problem;
    });
}

void Print(const QString& what, double seconds, const QString& target) {
    Out() << what << ": " << QString::number(seconds, 'f', 3) << " s (target " << target << ")\n";
    Out().flush();
}

void Measure(const LogLocation& location, const QString& backend,
             const std::function<qint64(FleetDatabase&)>& size) {
    FleetDatabase database(location);
    QElapsedTimer clock;
    clock.start();
    QString problem = database.open(true);
    if (problem.isEmpty()) {
        problem = Fill(database);
    }
    if (!problem.isEmpty()) {
        Out() << backend << ": " << problem << "\n";
        return;
    }
    Out() << backend << ": filled in " << QString::number(clock.elapsed() / 1000.0, 'f', 1)
          << " s\n";
    QList<FleetStatus::RadioStatus> statuses;
    clock.restart();
    problem = FleetStatus::Collect(database, &statuses);
    Print(QString("fleet status, %1 radios / %2 records, %3")
              .arg(statuses.size())
              .arg(kRadios * kRecordsPerRadio)
              .arg(backend),
          clock.nsecsElapsed() / 1e9, "< 1 s");
    if (!problem.isEmpty()) {
        Out() << problem << "\n";
    }
    clock.restart();
    constexpr int kLookups = 20;
    for (int n = 0; n < kLookups; ++n) {
        FleetRadio radio;
        PlanVersion latest;
        MemoryImage image;
        problem = RadioStore(database).find(QString("车%1").arg(n * 2477 % kRadios), &radio);
        if (problem.isEmpty()) {
            problem = PlanStore(database).find(radio.plan, 0, &latest);
        }
        if (problem.isEmpty()) {
            problem = RadioStore::Build(latest, radio, &image);
        }
    }
    Print(QString("one label's lookup at the station, %1").arg(backend),
          clock.nsecsElapsed() / 1e9 / kLookups, "< 0.05 s");
    const qint64 bytes = size(database);
    Out() << "database size, " << backend << ": "
          << QString::number(bytes / 1024.0 / (kRadios * kRecordsPerRadio / 1000.0), 'f', 1)
          << " KiB per 1000 records (" << QString::number(bytes / 1048576.0, 'f', 1)
          << " MiB in all, radios included)\n";
    Out().flush();
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString file = dir.filePath("fleet.sqlite");
    Measure(LogLocation::FromSetting(file), "SQLite",
            [&](FleetDatabase&) { return QFileInfo(file).size(); });

    PostgresCluster server;
    if (!server.skipReason.isEmpty()) {
        Out() << "PostgreSQL skipped: " << server.skipReason << "\n";
        return 0;
    }
    server.scalar("CREATE DATABASE fleetbench");
    LogLocation location =
        LogLocation::FromSetting(server.uri().replace("/postgres?", "/fleetbench?"));
    location.localPath = dir.filePath("waiting.sqlite");
    Measure(location, "PostgreSQL", [](FleetDatabase& database) {
        QSqlQuery size = database.prepared("SELECT pg_database_size(current_database())");
        return size.exec() && size.next() ? size.value(0).toLongLong() : qint64(-1);
    });
    return 0;
}
