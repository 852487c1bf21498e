#pragma once

#include "memory_image.h"
#include "radio_overrides.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class FleetDatabase;
struct PlanVersion;

// A radio of the fleet, known by its label (the radio keeps no serial number), and what it gets:
// its plan's latest version with its own values on top.
struct FleetRadio {
    QString label;
    QString group;
    QString note;
    QString plan;
    // Cells named as in the per-radio file ("信道3 接收频率"), in the order of their names.
    QList<RadioOverrides::CellValue> values;
};

// What an edit changes; what it leaves unset stays as it is.
struct RadioChange {
    std::optional<QString> plan;
    std::optional<QString> group;
    std::optional<QString> note;
    QList<RadioOverrides::CellValue> set;
    QStringList unset; // cell names
};

// The radios of the fleet. Every change is checked whole before anything is stored: an unknown
// plan, a label taken, or a value that does not fit the plan's latest version changes nothing.
class RadioStore {
public:
    explicit RadioStore(FleetDatabase& database) : m_database(database) {}

    // Each returns why it failed, else an empty text.
    QString add(FleetRadio radio);
    QString addAll(const QList<FleetRadio>& radios); // in one transaction
    QString edit(const QString& label, const RadioChange& change);
    QString remove(const QString& label);
    QString find(const QString& label, FleetRadio* radio);
    QString list(QList<FleetRadio>* radios); // by label

    // The label as it is kept (outer blanks trimmed), and why it cannot be one.
    static QString Label(const QString& text) { return text.trimmed(); }
    static QString LabelProblem(const QString& label);
    // values with their names spelled as kept, or a problem naming the cell that is none.
    static QString Canonical(QList<RadioOverrides::CellValue>& values);
    // The image radio gets from plan: plan's image with its values applied. Returns why the values
    // do not fit it ("信道3 接收频率：…"), else an empty text.
    static QString Build(const PlanVersion& plan, const FleetRadio& radio, MemoryImage* image);

private:
    QString check(FleetRadio& radio, bool newLabel);
    QString store(const FleetRadio& radio);
    QString list(QList<FleetRadio>* radios, const QString& label);

    FleetDatabase& m_database;
};
