#include "fleet_status.h"

#include "fleet_database.h"
#include "log_export.h"
#include "plan_store.h"
#include "programming_log.h"

#include <QCoreApplication>
#include <QHash>
#include <QSqlError>
#include <array>
#include <tuple>

namespace FleetStatus {
namespace {

using Operation = ProgrammingRecord::Operation;
using Result = ProgrammingRecord::Result;

struct Named {
    const char* code;
    const char* text;
};

const std::array<Named, 4> kStates = {{
    {"current", QT_TRANSLATE_NOOP("Fleet", "最新")},
    {"pending", QT_TRANSLATE_NOOP("Fleet", "待写")},
    {"never", QT_TRANSLATE_NOOP("Fleet", "从未写")},
    {"failed", QT_TRANSLATE_NOOP("Fleet", "失败")},
}};

} // namespace

QString StateCode(State state) {
    return QLatin1String(kStates.at(static_cast<std::size_t>(state)).code);
}

QString StateText(State state) {
    return QCoreApplication::translate("Fleet", kStates.at(static_cast<std::size_t>(state)).text);
}

bool ParseState(const QString& text, State* state) {
    for (std::size_t i = 0; i < kStates.size(); ++i) {
        const auto value = static_cast<State>(i);
        if (text.compare(QLatin1String(kStates[i].code), Qt::CaseInsensitive) == 0 ||
            text == QString::fromUtf8(kStates[i].text) ||
            text.compare(StateText(value), Qt::CaseInsensitive) == 0) {
            *state = value;
            return true;
        }
    }
    return false;
}

void Assess(RadioStatus& status, const QList<ProgrammingRecord>& records) {
    const ProgrammingRecord* verified = nullptr;
    bool unverified = false; // a write attempt since the last verified one
    for (const ProgrammingRecord& record : records) {
        if (record.operation == Operation::Write) {
            unverified = true;
        } else if (record.operation == Operation::ReadBack && unverified &&
                   record.result == Result::Succeeded) {
            verified = &record;
            unverified = false;
        }
    }
    if (verified) {
        status.writtenVersion = verified->planVersion;
        status.writtenSha256 = verified->imageSha256;
        status.writtenAt = verified->started;
        status.station = verified->station;
    }
    if (unverified) {
        status.state = State::Failed;
    } else if (!verified) {
        status.state = State::Never;
    } else if (!status.sha256.isEmpty() && status.sha256 == verified->imageSha256) {
        status.state = State::Current;
    } else {
        status.state = State::Pending;
    }
}

const QStringList& FieldNames() {
    static const QStringList names = {
        "label",          "group",      "plan",    "plan_version", "written_version",
        "written_sha256", "written_at", "station", "state",        "problem"};
    return names;
}

QVariantList Fields(const RadioStatus& status) {
    const auto version = [](int number) { return number > 0 ? QVariant(number) : QVariant(); };
    const auto orNull = [](const QString& text) {
        return text.isEmpty() ? QVariant() : QVariant(text);
    };
    return {status.radio.label,
            status.radio.group,
            status.radio.plan,
            version(status.planVersion),
            version(status.writtenVersion),
            orNull(status.writtenSha256),
            status.writtenAt.isValid() ? QVariant(RecordFields::TimeText(status.writtenAt))
                                       : QVariant(),
            orNull(status.station),
            StateCode(status.state),
            status.problem};
}

QString Csv(const QList<RadioStatus>& statuses) {
    QList<QStringList> rows;
    for (const RadioStatus& status : statuses) {
        QStringList cells;
        for (const QVariant& value : Fields(status)) {
            cells.append(value.toString());
        }
        rows.append(cells);
    }
    return LogExport::CsvRows(FieldNames(), rows);
}

QStringList Misfits(FleetDatabase& database, const PlanVersion& version) {
    QList<FleetRadio> radios;
    RadioStore(database).list(&radios);
    QStringList misfits;
    for (const FleetRadio& radio : radios) {
        MemoryImage image;
        const QString misfit =
            radio.plan == version.plan ? RadioStore::Build(version, radio, &image) : QString();
        if (!misfit.isEmpty()) {
            misfits.append(QCoreApplication::translate("Fleet", "电台 %1 的值不适合版本 %2：%3")
                               .arg(radio.label)
                               .arg(version.version)
                               .arg(misfit));
        }
    }
    return misfits;
}

namespace {

// A record's time as the log writes it, "2026-11-30T08:00:00.000Z", read without the general
// parser, which would cost a whole fleet's status seconds; anything else goes to that parser.
QDateTime StartedAt(const QString& text) {
    const auto number = [&](int from, int length) {
        return QStringView(text).mid(from, length).toInt();
    };
    if (text.size() == 24 && text[10] == QLatin1Char('T') && text[23] == QLatin1Char('Z')) {
        const QDate date(number(0, 4), number(5, 2), number(8, 2));
        const QTime time(number(11, 2), number(14, 2), number(17, 2), number(20, 3));
        if (date.isValid() && time.isValid()) {
            return QDateTime(date, time, Qt::UTC);
        }
    }
    return text.isEmpty() ? QDateTime() : QDateTime::fromString(text, Qt::ISODateWithMs).toUTC();
}

// What Assess needs of the records of the fleet's radios, oldest first, by label: one query for
// the whole fleet rather than one per radio, in the log's time order, which its index keeps (a
// walk by label would fetch each row at random). Only writes and successful read-backs make a
// state, and only a read-back's details are shown, so a write's are not even fetched. records
// holds an entry for each of the fleet's labels; other labels' records are left.
QString FleetRecords(FleetDatabase& database, QHash<QString, QList<ProgrammingRecord>>* records) {
    const QString readBack = RecordFields::OperationCode(Operation::ReadBack);
    QSqlQuery query(database.db());
    query.setForwardOnly(true);
    query.prepare(
        QStringLiteral("SELECT label, operation, result, %1 plan_version END, %1 image_sha256 END, "
                       "%1 started_at END, %1 station END FROM records WHERE operation = ? "
                       "OR (operation = '%2' AND result = ?) ORDER BY started_at, id")
            .arg(QStringLiteral("CASE WHEN operation = '%1' THEN").arg(readBack), readBack));
    query.addBindValue(RecordFields::OperationCode(Operation::Write));
    query.addBindValue(RecordFields::ResultCode(Result::Succeeded));
    if (!query.exec()) {
        return FleetDatabase::Failure(query);
    }
    while (query.next()) {
        const auto own = records->find(query.value(0).toString());
        if (own == records->end()) {
            continue;
        }
        ProgrammingRecord record;
        RecordFields::OperationFromCode(query.value(1).toString(), &record.operation);
        RecordFields::ResultFromCode(query.value(2).toString(), &record.result);
        record.planVersion = query.value(3).toInt();
        record.imageSha256 = query.value(4).toString();
        record.started = StartedAt(query.value(5).toString());
        record.station = query.value(6).toString();
        own->append(record);
    }
    return query.lastError().isValid() ? FleetDatabase::Failure(query) : QString();
}

} // namespace

QString Collect(FleetDatabase& database, QList<RadioStatus>* statuses) {
    QList<FleetRadio> radios;
    if (QString problem = RadioStore(database).list(&radios); !problem.isEmpty()) {
        return problem;
    }
    // Records that wait in this station's file for the server count too.
    if (database.location().server) {
        ProgrammingLog(database.location()).sendQueued();
    }
    QHash<QString, QList<ProgrammingRecord>> records;
    for (const FleetRadio& radio : radios) {
        records.insert(radio.label, {});
    }
    if (QString problem = FleetRecords(database, &records); !problem.isEmpty()) {
        return problem;
    }
    QHash<QString, PlanVersion> plans;
    // Most radios get their plan's image as it is, or with the same few values: built once each.
    QHash<QString, QPair<QString, QString>> built; // plan and values -> problem, sha256
    for (const FleetRadio& radio : radios) {
        if (!plans.contains(radio.plan)) {
            PlanVersion plan;
            if (QString problem = PlanStore(database).find(radio.plan, 0, &plan);
                !problem.isEmpty()) {
                return problem;
            }
            plans.insert(radio.plan, plan);
        }
        const PlanVersion& plan = plans[radio.plan];
        RadioStatus status;
        status.radio = radio;
        status.planVersion = plan.version;
        QString key = radio.plan;
        for (const RadioOverrides::CellValue& value : radio.values) {
            key += QChar(0) + value.name + QChar(0) + value.text;
        }
        if (!built.contains(key)) {
            MemoryImage image;
            const QString problem = RadioStore::Build(plan, radio, &image);
            built.insert(key,
                         {problem, problem.isEmpty()
                                       ? ProgrammingRecord::Sha256(QByteArray(
                                             reinterpret_cast<const char*>(image.bytes().data()),
                                             MemoryImage::kSize))
                                       : QString()});
        }
        std::tie(status.problem, status.sha256) = built.value(key);
        Assess(status, records.value(radio.label));
        statuses->append(status);
    }
    return QString();
}

} // namespace FleetStatus
