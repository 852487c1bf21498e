#include "plan_store.h"

#include "fleet_database.h"
#include "programming_record.h"

#include <QCoreApplication>
#include <QSqlQuery>
#include <QSysInfo>

namespace {

QByteArray Bytes(const MemoryImage& image) {
    return QByteArray(reinterpret_cast<const char*>(image.bytes().data()), MemoryImage::kSize);
}

const char* const kVersionColumns =
    "p.name, v.version, v.image_sha256, v.created_at, v.station, v.note, i.bytes";

PlanVersion FromQuery(const QSqlQuery& query) {
    PlanVersion version;
    version.plan = query.value(0).toString();
    version.version = query.value(1).toInt();
    version.sha256 = query.value(2).toString();
    version.createdAt = QDateTime::fromString(query.value(3).toString(), Qt::ISODateWithMs).toUTC();
    version.station = query.value(4).toString();
    version.note = query.value(5).toString();
    const QByteArray bytes = query.value(6).toByteArray();
    if (bytes.size() == MemoryImage::kSize) {
        MemoryImage::Bytes raw;
        std::copy(bytes.cbegin(), bytes.cend(), raw.begin());
        version.image.assign(raw);
    }
    return version;
}

QString UnknownPlan(const QString& name) {
    return QCoreApplication::translate("Fleet", "没有名为 \"%1\" 的计划").arg(name);
}

} // namespace

QString PlanStore::NameProblem(const QString& name) {
    if (name.trimmed().isEmpty()) {
        return QCoreApplication::translate("Fleet", "计划名不能为空");
    }
    if (name.contains(QLatin1Char('@'))) {
        return QCoreApplication::translate("Fleet", "计划名里不能有 @（它用来隔开版本号）：%1")
            .arg(RecordFields::Escaped(name));
    }
    return RecordFields::LabelProblem(name);
}

bool PlanStore::ParseReference(const QString& text, QString* name, int* version) {
    const qsizetype at = text.lastIndexOf(QLatin1Char('@'));
    *name = (at < 0 ? text : text.left(at)).trimmed();
    *version = 0;
    if (at < 0) {
        return true;
    }
    bool number = false;
    *version = text.mid(at + 1).toInt(&number);
    return number && *version > 0;
}

QString PlanStore::add(const QString& name, const MemoryImage& image, const QString& note,
                       PlanVersion* result, bool* added) {
    const QString trimmed = name.trimmed();
    if (const QString problem = NameProblem(trimmed); !problem.isEmpty()) {
        return problem;
    }
    const QByteArray bytes = Bytes(image);
    const QString sha256 = ProgrammingRecord::Sha256(bytes);
    *added = false;
    return m_database.inTransaction([&]() -> QString {
        // Touching the plan's row holds it until this version is in, so that a station adding a
        // version of the same plan at the same time waits, then numbers after it or finds it
        // equal, rather than failing on the key of the number both would take.
        QSqlQuery plan = m_database.prepared(
            QStringLiteral("INSERT INTO plans (name) VALUES (?) "
                           "ON CONFLICT (name) DO UPDATE SET name = excluded.name"),
            {trimmed});
        if (!plan.exec()) {
            return FleetDatabase::Failure(plan);
        }
        QSqlQuery latest = m_database.prepared(
            QStringLiteral("SELECT p.id, v.version, v.image_sha256 FROM plans p LEFT JOIN "
                           "plan_versions v ON v.plan_id = p.id WHERE p.name = ? "
                           "ORDER BY v.version DESC LIMIT 1"),
            {trimmed});
        if (!latest.exec() || !latest.next()) {
            return FleetDatabase::Failure(latest);
        }
        const qint64 planId = latest.value(0).toLongLong();
        const int last = latest.value(1).toInt();
        if (last > 0 && latest.value(2).toString() == sha256) {
            latest.finish();
            return find(trimmed, last, result);
        }
        latest.finish();
        QSqlQuery keep =
            m_database.prepared(QStringLiteral("INSERT INTO images (sha256, bytes) VALUES (?, ?) "
                                               "ON CONFLICT (sha256) DO NOTHING"),
                                {sha256, bytes});
        const QDateTime now = QDateTime::currentDateTimeUtc();
        QSqlQuery insert = m_database.prepared(
            QStringLiteral("INSERT INTO plan_versions (plan_id, version, image_sha256, "
                           "created_at, station, note) VALUES (?, ?, ?, ?, ?, ?)"),
            {planId, last + 1, sha256, RecordFields::TimeText(now), QSysInfo::machineHostName(),
             note});
        if (!keep.exec()) {
            return FleetDatabase::Failure(keep);
        }
        if (!insert.exec()) {
            return FleetDatabase::Failure(insert);
        }
        *added = true;
        *result = {trimmed, last + 1, sha256, now, QSysInfo::machineHostName(), note, image};
        return QString();
    });
}

QString PlanStore::list(QList<PlanVersion>* versions) {
    if (!m_database.isOpen()) {
        return QString();
    }
    QSqlQuery query = m_database.prepared(
        QStringLiteral("SELECT p.name, v.version, v.image_sha256, v.created_at, v.station, "
                       "v.note, NULL FROM plan_versions v JOIN plans p ON p.id = v.plan_id "
                       "ORDER BY p.name, v.version"));
    if (!query.exec()) {
        return FleetDatabase::Failure(query);
    }
    while (query.next()) {
        versions->append(FromQuery(query));
    }
    return QString();
}

QString PlanStore::find(const QString& name, int version, PlanVersion* result) {
    if (!m_database.isOpen()) {
        return UnknownPlan(name);
    }
    QSqlQuery query = m_database.prepared(
        QStringLiteral("SELECT %1 FROM plan_versions v JOIN plans p ON p.id = v.plan_id "
                       "JOIN images i ON i.sha256 = v.image_sha256 WHERE p.name = ?%2 "
                       "ORDER BY v.version DESC LIMIT 1")
            .arg(QLatin1String(kVersionColumns),
                 version > 0 ? QStringLiteral(" AND v.version = ?") : QString()),
        version > 0 ? QVariantList{name.trimmed(), version} : QVariantList{name.trimmed()});
    if (!query.exec()) {
        return FleetDatabase::Failure(query);
    }
    if (!query.next()) {
        return version > 0 ? QCoreApplication::translate("Fleet", "计划 \"%1\" 没有版本 %2")
                                 .arg(name.trimmed())
                                 .arg(version)
                           : UnknownPlan(name.trimmed());
    }
    *result = FromQuery(query);
    return QString();
}
