#include "port_names.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace PortNames {

QStringList Choices() {
    return {QStringLiteral("COM1"), QStringLiteral("COM2"), QStringLiteral("COM3"),
            QStringLiteral("COM4")};
}

QString DefaultPortName() {
    return QStringLiteral("COM1");
}

QString DevicePath(const QString& portName) {
    static const QRegularExpression comName(QStringLiteral("^COM([1-4])$"));
    const QRegularExpressionMatch match = comName.match(portName);
    if (!match.hasMatch()) {
        return portName;
    }
    const int number = match.captured(1).toInt();
    const QByteArray variable = "QTR318_COM" + QByteArray::number(number);
    const QString configured = qEnvironmentVariable(variable.constData());
    if (!configured.isEmpty()) {
        return configured;
    }
    return QStringLiteral("/dev/ttyUSB%1").arg(number - 1);
}

QString DialoutHint() {
    return QCoreApplication::translate("PortNames",
                                       "请把用户加入 dialout 组（sudo usermod -aG dialout $USER），"
                                       "然后重新登录。");
}

QString MappingHint() {
    return QCoreApplication::translate("PortNames",
                                       "COM1~COM4 对应 /dev/ttyUSB0~/dev/ttyUSB3，"
                                       "可用环境变量 QTR318_COM1~QTR318_COM4 另行指定。");
}

} // namespace PortNames
