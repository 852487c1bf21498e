#include "fleet_status.h"

#include "fleet_database.h"
#include "log_export.h"
#include "plan_store.h"
#include "programming_log.h"

#include <QCoreApplication>
#include <QHash>
#include <QSqlError>
#include <array>

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

QString Collect(FleetDatabase& database, QList<RadioStatus>* statuses) {
    QList<FleetRadio> radios;
    if (QString problem = RadioStore(database).list(&radios); !problem.isEmpty()) {
        return problem;
    }
    // Records that wait in this station's file for the server count too.
    if (database.location().server) {
        ProgrammingLog(database.location()).sendQueued();
    }
    QHash<QString, PlanVersion> plans;
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
        MemoryImage image;
        status.problem = RadioStore::Build(plan, radio, &image);
        if (status.problem.isEmpty()) {
            status.sha256 = ProgrammingRecord::Sha256(QByteArray(
                reinterpret_cast<const char*>(image.bytes().data()), MemoryImage::kSize));
        }
        LogFilter filter;
        filter.label = radio.label;
        QList<ProgrammingRecord> records;
        QSqlQuery query = filter.select(database.db());
        while (query.next()) {
            ProgrammingRecord record;
            for (int i = 0; i < RecordFields::Names().size(); ++i) {
                RecordFields::SetValue(record, RecordFields::Names()[i], query.value(i));
            }
            records.append(record);
        }
        if (query.lastError().isValid()) {
            return FleetDatabase::Failure(query);
        }
        Assess(status, records);
        statuses->append(status);
    }
    return QString();
}

} // namespace FleetStatus
