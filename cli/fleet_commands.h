#pragma once

#include <QStringList>

// plan and fleet: the fleet's plans and radios, kept in the programming log's database.
namespace Cli {

// qtr318 plan add|list|export
int RunPlan(const QStringList& arguments);
// qtr318 fleet add|edit|remove|import|status|history|restore
int RunFleet(const QStringList& arguments);

} // namespace Cli
