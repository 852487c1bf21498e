#include "fleet_station.h"

#include "image_diff.h"
#include "plan_store.h"
#include "radio_store.h"

#include <QCoreApplication>

FleetStation::FleetStation(const LogLocation& location) : m_location(location) {}

FleetStation::~FleetStation() = default;

QString FleetStation::open() {
    m_claims.reset();
    m_database = std::make_unique<FleetDatabase>(m_location);
    QString problem = m_database->open(false);
    if (problem.isEmpty() && m_database->absent()) {
        problem =
            QCoreApplication::translate("FleetStation", "%1 还没有车队：没有计划，也没有电台。")
                .arg(m_location.displayName());
    }
    if (!problem.isEmpty()) {
        m_database.reset();
        return problem;
    }
    m_claims = std::make_unique<WriteClaims>(*m_database);
    return QString();
}

QString FleetStation::find(const QString& text, Radio* radio) {
    const QString label = RadioStore::Label(text);
    QString problem = RadioStore::LabelProblem(label);
    FleetRadio kept;
    PlanVersion latest;
    if (problem.isEmpty()) {
        problem = RadioStore(*m_database).find(label, &kept);
    }
    if (problem.isEmpty()) {
        problem = PlanStore(*m_database).find(kept.plan, 0, &latest);
    }
    if (problem.isEmpty()) {
        problem = RadioStore::Build(latest, kept, &radio->image);
    }
    if (!problem.isEmpty()) {
        return problem;
    }
    radio->label = label;
    radio->plan = latest.plan;
    radio->version = latest.version;
    // The plan as its radios get it without values of their own: bytes that no cell shows are
    // then alike, and what is left is the radio's own values.
    MemoryImage plain;
    FleetRadio none;
    none.plan = kept.plan;
    RadioStore::Build(latest, none, &plain);
    radio->differences.clear();
    for (const ImageDiff::Difference& difference : ImageDiff::Compare(plain, radio->image)) {
        const auto shown = [](const QString& cell) {
            return cell.isEmpty() ? QCoreApplication::translate("FleetStation", "（空）") : cell;
        };
        radio->differences << QStringLiteral("%1：%2 -> %3")
                                  .arg(difference.subject, shown(difference.left),
                                       shown(difference.right));
    }
    return QString();
}

QString FleetStation::claim(const QString& label) {
    return m_claims->claim(label);
}

void FleetStation::release(const QString& label) {
    if (m_claims) {
        m_claims->release(label);
    }
}
