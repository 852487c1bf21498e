#include "port_names.h"

#include <QCoreApplication>
#include <QDir>
#include <QRegularExpression>

namespace PortNames {

QStringList Choices() {
    return {QStringLiteral("COM1"), QStringLiteral("COM2"), QStringLiteral("COM3"),
            QStringLiteral("COM4")};
}

QString DefaultPortName() {
    return QStringLiteral("COM1");
}

int ComNumber(const QString& portName) {
    static const QRegularExpression comName(QStringLiteral("^COM([1-4])$"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = comName.match(portName);
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

QString DevicePath(const QString& portName) {
    return DevicePath(portName, kByIdFolder);
}

QString DevicePath(const QString& portName, const QString& byIdFolder) {
    const int number = ComNumber(portName);
    if (number == 0) {
        return portName.contains(QLatin1Char('/')) || portName.isEmpty()
                   ? portName
                   : QStringLiteral("/dev/") + portName;
    }
    const QByteArray variable = "QTR318_COM" + QByteArray::number(number);
    const QString configured = qEnvironmentVariable(variable.constData());
    if (!configured.isEmpty()) {
        return configured;
    }
    // The links keep their names whichever cable was plugged in first, where ttyUSB numbers
    // follow the order of plugging.
    const QDir byId(byIdFolder);
    const QStringList links = byId.entryList(QDir::Files | QDir::System, QDir::Name);
    if (number <= links.size()) {
        return byId.filePath(links.at(number - 1));
    }
    return QStringLiteral("/dev/ttyUSB%1").arg(number - 1);
}

QString DialoutHint() {
    return QCoreApplication::translate("PortNames",
                                       "请把用户加入 dialout 组（sudo usermod -aG dialout $USER），"
                                       "然后重新登录。");
}

QString MappingHint() {
    return QCoreApplication::translate(
        "PortNames", "COM1~COM4 对应 /dev/serial/by-id/ 中按名称排序的第 1~4 个 USB 串口"
                     "（没有该文件夹时对应 /dev/ttyUSB0~/dev/ttyUSB3），"
                     "可用环境变量 QTR318_COM1~QTR318_COM4 另行指定；qtr318 ports 列出各个串口。");
}

} // namespace PortNames
