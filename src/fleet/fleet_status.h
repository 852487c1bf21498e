#pragma once

#include "programming_record.h"
#include "radio_store.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>

class FleetDatabase;
struct PlanVersion;

// Where each radio of the fleet stands against what it should have.
namespace FleetStatus {

enum class State {
    Current, // its last verified write is what it gets now
    Pending, // a newer version or changed values since
    Never,   // never written and verified
    Failed,  // the last attempt failed or did not verify, and no verified write came after
};

struct RadioStatus {
    FleetRadio radio;
    int planVersion = 0;    // the plan's latest
    QString sha256;         // of what the radio gets now; empty when its values do not fit
    QString problem;        // why its values do not fit the plan's latest version
    int writtenVersion = 0; // of the last verified write; 0 when none or not from the plan
    QString writtenSha256;
    QDateTime writtenAt;
    QString station;
    State state = State::Never;
};

// "current", "pending", "never", "failed": stable, whatever the language of the run.
QString StateCode(State state);
// 最新 / 待写 / 从未写 / 失败, in the language of the run.
QString StateText(State state);
// A state by its code or its word in either language.
bool ParseState(const QString& text, State* state);

// The stable names of a radio's fields, for CSV and JSON.
const QStringList& FieldNames();
// A radio's fields under FieldNames(): the state as its code, times as the log writes them, and
// null where a radio never written has nothing.
QVariantList Fields(const RadioStatus& status);
// The radios as CSV under FieldNames(), guarded against spreadsheet formulas as the log's export.
QString Csv(const QList<RadioStatus>& statuses);

// "电台 车12 的值不适合版本 3：…" for each radio of version's plan whose own values version
// refuses: they are not written wrong, and the status goes on naming them until mended.
QStringList Misfits(FleetDatabase& database, const PlanVersion& version);

// Every radio of the fleet, by label, with the records of the log it shares a database with.
QString Collect(FleetDatabase& database, QList<RadioStatus>* statuses);

} // namespace FleetStatus
