#include "fleet_status.h"

#include "coded_names.h"
#include "fleet_database.h"
#include "log_export.h"
#include "plan_store.h"
#include "programming_log.h"

#include <QCoreApplication>
#include <QHash>
#include <QSqlError>
#include <array>
#include <optional>
#include <tuple>

namespace FleetStatus {
namespace {

using Operation = ProgrammingRecord::Operation;
using Result = ProgrammingRecord::Result;

const std::array<CodedName, 4> kStates = {{
    {"current", QT_TRANSLATE_NOOP("Fleet", "最新")},
    {"pending", QT_TRANSLATE_NOOP("Fleet", "待写")},
    {"never", QT_TRANSLATE_NOOP("Fleet", "从未写")},
    {"failed", QT_TRANSLATE_NOOP("Fleet", "失败")},
}};

} // namespace

QString StateCode(State state) {
    return CodeOf(kStates, state);
}

QString StateText(State state) {
    return TextOf("Fleet", kStates, state);
}

bool ParseState(const QString& text, State* state) {
    return FromWords("Fleet", kStates, text, state);
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

// Where a label's writes stand: whether its newest write is newer than its newest successful
// read-back, and that read-back, which verified the write its transfer made just before it.
struct Written {
    bool unverified = false;
    std::optional<ProgrammingRecord> verified;
};

// Each written label's Written, from the newest write and successful read-back the database
// keeps for each label as records arrive (newest by time, then by the order logged): a row a
// label, where fetching each label's records would take seconds at a large depot.
QString WrittenByLabel(FleetDatabase& database, QHash<QString, Written>* written) {
    QSqlQuery query(database.db());
    query.setForwardOnly(true);
    if (!query.exec(
            QStringLiteral(
                "SELECT wrote.label, checked.label IS NULL OR checked.started_at < wrote.started_at"
                " OR (checked.started_at = wrote.started_at AND checked.record_id < "
                "wrote.record_id),"
                " checked.started_at, record.plan_version, record.image_sha256, record.station"
                " FROM latest_attempts AS wrote LEFT JOIN latest_attempts AS checked"
                " ON checked.label = wrote.label AND checked.operation = '%2'"
                " LEFT JOIN records AS record ON record.id = checked.record_id"
                " WHERE wrote.operation = '%1'")
                .arg(RecordFields::OperationCode(Operation::Write),
                     RecordFields::OperationCode(Operation::ReadBack)))) {
        return FleetDatabase::Failure(query);
    }
    while (query.next()) {
        const auto own = written->find(query.value(0).toString());
        if (own == written->end()) {
            continue;
        }
        own->unverified = query.value(1).toBool();
        if (!query.value(2).isNull()) {
            ProgrammingRecord record;
            record.started = StartedAt(query.value(2).toString());
            record.planVersion = query.value(3).toInt();
            record.imageSha256 = query.value(4).toString();
            record.station = query.value(5).toString();
            own->verified = record;
        }
    }
    return query.lastError().isValid() ? FleetDatabase::Failure(query) : QString();
}

void Assess(RadioStatus& status, const Written& written) {
    if (written.verified) {
        status.writtenVersion = written.verified->planVersion;
        status.writtenSha256 = written.verified->imageSha256;
        status.writtenAt = written.verified->started;
        status.station = written.verified->station;
    }
    if (written.unverified) {
        status.state = State::Failed;
    } else if (!written.verified) {
        status.state = State::Never;
    } else if (!status.sha256.isEmpty() && status.sha256 == status.writtenSha256) {
        status.state = State::Current;
    } else {
        status.state = State::Pending;
    }
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
    QHash<QString, Written> written;
    for (const FleetRadio& radio : radios) {
        written.insert(radio.label, {});
    }
    if (QString problem = WrittenByLabel(database, &written); !problem.isEmpty()) {
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
        Assess(status, written.value(radio.label));
        statuses->append(status);
    }
    return QString();
}

} // namespace FleetStatus
