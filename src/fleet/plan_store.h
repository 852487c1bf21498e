#pragma once

#include "memory_image.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

class FleetDatabase;

// One version of a plan: an image that never changes once added.
struct PlanVersion {
    QString plan;
    int version = 0; // 1, 2, 3 ...
    QString sha256;
    QDateTime createdAt; // UTC
    QString station;
    QString note;
    MemoryImage image; // only where asked for
};

// The plans of the fleet, each a name and its versions 1, 2, 3 ...
class PlanStore {
public:
    explicit PlanStore(FleetDatabase& database) : m_database(database) {}

    // Adds image as the plan's next version, making the plan when it is new. Content equal to
    // the latest version adds none: *added is false and *result is that version. Returns why it
    // failed, else an empty text.
    QString add(const QString& name, const MemoryImage& image, const QString& note,
                PlanVersion* result, bool* added);
    // Every version of every plan, by name and version, without their images.
    QString list(QList<PlanVersion>* versions);
    // The version of plan name (0: the latest), with its image.
    QString find(const QString& name, int version, PlanVersion* result);

    // Why name cannot be a plan's name (empty, control characters, "@" which separates a
    // version), else an empty text.
    static QString NameProblem(const QString& name);
    // "城区@2": NAME[@VERSION] split; false when the version is no number above 0.
    static bool ParseReference(const QString& text, QString* name, int* version);

private:
    FleetDatabase& m_database;
};
