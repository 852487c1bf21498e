#include "kept_images.h"

#include "fleet_database.h"
#include "memory_image.h"
#include "programming_log.h"

#include <QCoreApplication>
#include <QSqlQuery>

namespace KeptImages {
namespace {

QString NoRecord(const QString& label, const QString& uuid) {
    return QCoreApplication::translate("Fleet", "编程记录中没有标签为 \"%1\"、uuid 为 %2 的记录")
        .arg(label, uuid);
}

QString Find(FleetDatabase& database, const QString& label, const QString& uuid,
             QByteArray* image) {
    if (database.absent()) {
        return NoRecord(label, uuid);
    }
    QSqlQuery query = database.prepared(
        QStringLiteral("SELECT r.image_sha256, i.bytes FROM records r LEFT JOIN images i "
                       "ON i.sha256 = r.image_sha256 WHERE r.uuid = ? AND r.label = ?"),
        {uuid, label});
    if (!query.exec()) {
        return FleetDatabase::Failure(query);
    }
    if (!query.next()) {
        return NoRecord(label, uuid);
    }
    const QString sha256 = query.value(0).toString();
    *image = query.value(1).toByteArray();
    // A record of an older log, or of a transfer that got no image, points to nothing kept.
    if (image->size() != MemoryImage::kSize || ProgrammingRecord::Sha256(*image) != sha256) {
        return QCoreApplication::translate("Fleet", "记录 %1 没有留存的数据（SHA-256 %2）")
            .arg(uuid, sha256.isEmpty() ? QStringLiteral("-") : sha256);
    }
    return QString();
}

} // namespace

QString OfRecord(const LogLocation& location, const QString& label, const QString& uuid,
                 QByteArray* image) {
    ProgrammingLog(location).sendQueued();
    FleetDatabase database(location);
    QString problem = database.open(false);
    if (problem.isEmpty()) {
        problem = Find(database, label, uuid, image);
    }
    if (!problem.isEmpty() && location.server) {
        FleetDatabase local(LogLocation::FromSetting(location.localPath));
        if (local.open(false).isEmpty() && Find(local, label, uuid, image).isEmpty()) {
            return QString();
        }
    }
    return problem;
}

} // namespace KeptImages
