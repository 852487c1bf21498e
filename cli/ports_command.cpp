#include "cli_arguments.h"
#include "cli_command.h"
#include "port_names.h"
#include "text_table.h"
#include "usb_cable.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSerialPortInfo>
#include <QTextStream>

namespace Cli {

int RunPorts(const QStringList& arguments) {
    const auto parsed = ParseOrFail(arguments, {}, 0, "ports");
    if (!parsed) {
        return kUsage;
    }
    QStringList comDevices;
    for (const QString& com : PortNames::Choices()) {
        comDevices.append(UsbCable::Resolved(PortNames::DevicePath(com)));
    }
    TextTable table;
    table.addRow({QCoreApplication::translate("Cli", "端口"),
                  QCoreApplication::translate("Cli", "设备"),
                  QCoreApplication::translate("Cli", "描述"), QStringLiteral("USB"),
                  QCoreApplication::translate("Cli", "序列号"), QStringLiteral("COM")});
    const QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo& info : ports) {
        const QString usb = info.hasVendorIdentifier() && info.hasProductIdentifier()
                                ? UsbCable::Hex4(info.vendorIdentifier()) + QLatin1Char(':') +
                                      UsbCable::Hex4(info.productIdentifier())
                                : QStringLiteral("-");
        QStringList coms;
        const QString device = UsbCable::Resolved(info.systemLocation());
        for (int i = 0; i < comDevices.size(); ++i) {
            if (comDevices.at(i) == device) {
                coms.append(PortNames::Choices().at(i));
            }
        }
        const auto orDash = [](const QString& text) {
            return text.isEmpty() ? QStringLiteral("-") : text;
        };
        table.addRow({info.portName(), info.systemLocation(), orDash(info.description()), usb,
                      orDash(info.serialNumber()), orDash(coms.join(QLatin1Char(',')))});
    }
    QTextStream out(stdout);
    if (ports.isEmpty()) {
        QTextStream(stderr) << QCoreApplication::translate("Cli",
                                                           "qtr318: 没有找到串口；请插好编程线。")
                            << "\n";
    } else {
        out << table.render();
    }
    // Where COM names point matters most when the device is not there.
    out << "\n";
    for (int i = 0; i < comDevices.size(); ++i) {
        const QString path = PortNames::DevicePath(PortNames::Choices().at(i));
        out << PortNames::Choices().at(i) << " -> " << path
            << (QFileInfo::exists(path) ? QString()
                                        : QCoreApplication::translate("Cli", "（不存在）"))
            << "\n";
    }
    return kSuccess;
}

} // namespace Cli
