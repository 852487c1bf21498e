#include "usb_cable.h"

#include "port_names.h"

#include <QFileInfo>
#include <QSerialPortInfo>

namespace UsbCable {

Description Describe(const QString& portName) {
    Description description;
    description.device = PortNames::DevicePath(portName);
    const QString device = Resolved(description.device);
    const QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo& info : ports) {
        if (Resolved(info.systemLocation()) != device) {
            continue;
        }
        if (info.hasVendorIdentifier() && info.hasProductIdentifier()) {
            description.vendor = Hex4(info.vendorIdentifier());
            description.product = Hex4(info.productIdentifier());
        }
        description.serial = info.serialNumber();
        break;
    }
    return description;
}

QString Resolved(const QString& path) {
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? path : canonical;
}

QString Hex4(quint16 value) {
    return QStringLiteral("%1").arg(value, 4, 16, QLatin1Char('0'));
}

} // namespace UsbCable
