#pragma once

#include <QString>
#include <QtGlobal>

// What the system tells of the serial device behind a port: the names `qtr318 ports` shows, and
// what the programming log keeps of the cable a radio was programmed through.
namespace UsbCable {

struct Description {
    QString device; // the device path the port name leads to
    QString vendor; // four hex digits; empty where the system tells none (a pty, a built-in port)
    QString product;
    QString serial;
};

Description Describe(const QString& portName);

// The same device whatever link or spelling leads to it.
QString Resolved(const QString& path);
QString Hex4(quint16 value);

} // namespace UsbCable
