#pragma once

#include "cable_report.h"

#include <QString>

// Looks at this computer the way a helper at the desk would when a programming cable does not
// work: the USB serial ports and their chips, who may open them, what else claims them (brltty,
// ModemManager, another program) and whether our udev rule is there. Everything is read from
// files (sysfs, /dev, /proc, /etc, the udev rule folders), below root, so that any system can be
// examined from a copy of its files.
class CableDoctor {
public:
    // root: "" for this computer.
    explicit CableDoctor(const QString& root = QString()) : m_root(root) {}

    CableReport Examine() const;

    // The folder the environment variable QTR318_SYSTEM_ROOT names, else "".
    static QString RootFromEnvironment();

private:
    QString m_root;
};
