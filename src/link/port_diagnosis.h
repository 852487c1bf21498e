#pragma once

#include <QSerialPort>
#include <QString>
#include <functional>
#include <optional>

// Turns a failed open into what the user can do about it: plug in the cable, close the program
// that holds the port, or get access to serial devices. Qt reports a port held through its lock
// file as a permission error, and the system's own texts name neither the device nor the remedy,
// so the cause is worked out from the device itself.
namespace PortDiagnosis {

enum class Cause { Missing, NoAccess, Busy, Other };

struct Diagnosis {
    Cause cause = Cause::Other;
    QString text; // one or more sentences for the user, naming the device
};

// Whether this user may read and write the device. Root passes every check, so a test gives a
// check of its own to see how a refusal is told.
using AccessCheck = std::function<bool(const QString& devicePath)>;
bool UserMayReadWrite(const QString& devicePath);

struct Holder {
    qint64 pid = 0;
    QString program; // empty when it cannot be told
};

// The program that holds devicePath open, found by its lock file or among its open files. root
// is the folder the system's /proc and lock folders are looked for in: "" for this system.
std::optional<Holder> FindHolder(const QString& devicePath, const QString& root = QString());

// portName as the user chose it, devicePath what it maps to, error and systemReason as Qt gave
// them for the open that failed.
Diagnosis Diagnose(const QString& portName, const QString& devicePath,
                   QSerialPort::SerialPortError error, const QString& systemReason,
                   const AccessCheck& mayReadWrite = UserMayReadWrite);

} // namespace PortDiagnosis
