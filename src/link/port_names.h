#pragma once

#include <QString>
#include <QStringList>

// The user chooses COM1..COM4 as on the radio's original platform. Here COMn is the device named
// by the environment variable QTR318_COMn, or else /dev/ttyUSB(n-1), the name a USB programming
// cable gets. Any other name is taken as a device path.
namespace PortNames {

QStringList Choices();     // "COM1".."COM4"
QString DefaultPortName(); // "COM1"
QString DevicePath(const QString& portName);
// Sentences an open failure adds where they help: how to get access to serial devices on this
// system, and how COM names become devices.
QString DialoutHint();
QString MappingHint();

} // namespace PortNames
