#pragma once

#include "plan_store.h"
#include "radio_store.h"

#include <QByteArray>
#include <QSet>
#include <QStringList>
#include <functional>
#include <optional>

// A spreadsheet of radios to add to the fleet: the header "标签,计划,组", then cells named as in
// the per-radio file ("信道3 接收频率"); every further line is one radio. The file is checked
// whole: any problem, and nothing of it may be taken.
namespace RadioImport {

struct Result {
    QList<FleetRadio> radios;
    // "第 3 行，第 2 列（计划）：…", every problem found.
    QStringList problems;
};

// The latest version of the plan named, or nothing when there is no such plan.
using PlanLookup = std::function<std::optional<PlanVersion>(const QString& name)>;

// taken: the labels the fleet has already.
Result Read(const QByteArray& file, const PlanLookup& plans, const QSet<QString>& taken);

} // namespace RadioImport
