#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// What qtr318 doctor and the window's serial port check found on this computer: every USB
// serial port with what stands between the user and it, and the system-wide causes of trouble
// with programming cables. The texts are in the user's language; the codes are for scripts.
struct CablePort {
    enum class Access {
        Acl,          // the seat's access control list (the udev rule's uaccess)
        Group,        // a group of this session owns the device (dialout)
        Owner,        // the user owns it, or anybody may use it
        Root,         // root may open anything
        NotYetActive, // the user joined the device's group after this session began
        Denied,
    };

    QString name;   // ttyUSB0
    QString device; // /dev/ttyUSB0
    QString byId;   // its link in /dev/serial/by-id/, if any
    QString com;    // COM1..COM4 when one of them reaches it
    quint16 vendorId = 0;
    quint16 productId = 0;
    QString chip;    // the known cable chip, empty for another
    QString usbName; // maker and product as the device names itself
    Access access = Access::Denied;
    QString group; // the device's group
    qint64 holderPid = 0;
    QString holderProgram;
    bool coveredByRule = false; // our udev rule names this vendor and product

    // A port reached through QTR318_COMn may be none: a built-in port, a pseudo-terminal.
    bool isUsb() const { return vendorId != 0 || productId != 0; }

    bool usable() const {
        return access != Access::NotYetActive && access != Access::Denied && holderPid == 0;
    }
};

struct CableFinding {
    enum class Severity { Note, Problem };
    Severity severity = Severity::Note;
    QString code;   // stable name for scripts: "no-access", "brltty", ...
    QString device; // the port it keeps from use; empty when it concerns every cable
    QString text;   // why, for the user
    QString fix;    // the command that fixes it, or empty
};

struct CableReport {
    QString user;
    QList<CablePort> ports;
    QString ruleFile;          // where our udev rule was found, empty when not
    QStringList ruleLookedIn;  // the folders searched for it
    bool modemManager = false; // running
    QList<CableFinding> findings;

    // A cable this user may open now, and nothing in the way.
    bool usable() const;
};

namespace CableReportFormat {
QString Text(const CableReport& report);
QString Json(const CableReport& report);
} // namespace CableReportFormat
