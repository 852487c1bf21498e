#pragma once

#include <QString>
#include <QStringList>

// The user chooses COM1..COM4 as on the radio's original platform (in any case: "com1" too).
// COMn is the device named by the environment variable QTR318_COMn; else the n-th USB serial
// adapter in the order of /dev/serial/by-id/, whose names stay with the cable whatever order
// cables were plugged in; else, where that folder does not exist, /dev/ttyUSB(n-1). A name
// without a slash is a device in /dev ("ttyUSB0", as `qtr318 ports` prints it); anything else is
// taken as a device path.
namespace PortNames {

inline const QString kByIdFolder = QStringLiteral("/dev/serial/by-id");

QStringList Choices();     // "COM1".."COM4"
QString DefaultPortName(); // "COM1"
QString DevicePath(const QString& portName);
// The same with the stable names looked up in byIdFolder.
QString DevicePath(const QString& portName, const QString& byIdFolder);
// 1-4 for a COM name, else 0.
int ComNumber(const QString& portName);
// Sentences an open failure adds where they help: how to get access to serial devices on this
// system, and how COM names become devices.
QString DialoutHint();
QString MappingHint();

} // namespace PortNames
