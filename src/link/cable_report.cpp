#include "cable_report.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

bool Blocks(const CableFinding& finding, const CablePort& port) {
    return finding.severity == CableFinding::Severity::Problem &&
           (finding.device.isEmpty() || finding.device == port.device);
}

// The first port a transfer can use now.
const CablePort* UsablePort(const CableReport& report) {
    for (const CablePort& port : report.ports) {
        bool blocked = !port.usable();
        for (const CableFinding& finding : report.findings) {
            blocked = blocked || Blocks(finding, port);
        }
        if (!blocked) {
            return &port;
        }
    }
    return nullptr;
}

const char* AccessCode(CablePort::Access access) {
    switch (access) {
    case CablePort::Access::Acl:
        return "acl";
    case CablePort::Access::Group:
        return "group";
    case CablePort::Access::Owner:
        return "owner";
    case CablePort::Access::Root:
        return "root";
    case CablePort::Access::NotYetActive:
        return "log-in-again";
    case CablePort::Access::Denied:
        break;
    }
    return "denied";
}

QString AccessText(const CablePort& port) {
    switch (port.access) {
    case CablePort::Access::Acl:
        return QCoreApplication::translate(
            "CableReport", "可以打开（当前登录的用户有设备的访问控制表，来自 uaccess）");
    case CablePort::Access::Group:
        return QCoreApplication::translate("CableReport", "可以打开（%1 组的成员）")
            .arg(port.group);
    case CablePort::Access::Owner:
        return QCoreApplication::translate("CableReport", "可以打开（设备的权限允许）");
    case CablePort::Access::Root:
        return QCoreApplication::translate("CableReport", "可以打开（root）");
    case CablePort::Access::NotYetActive:
        return QCoreApplication::translate("CableReport", "不能打开：加入 %1 组要重新登录后才生效")
            .arg(port.group);
    case CablePort::Access::Denied:
        break;
    }
    return QCoreApplication::translate("CableReport",
                                       "不能打开：既没有访问控制表，也不是 %1 组的成员")
        .arg(port.group);
}

QString UsbId(const CablePort& port) {
    return QStringLiteral("%1:%2")
        .arg(port.vendorId, 4, 16, QLatin1Char('0'))
        .arg(port.productId, 4, 16, QLatin1Char('0'));
}

QString PortText(const CablePort& port) {
    QString text = QStringLiteral("  ") + port.device;
    if (!port.com.isEmpty()) {
        text += QStringLiteral(" (") + port.com + QLatin1Char(')');
    }
    text += QLatin1Char('\n');
    const QString chip = port.chip.isEmpty()
                             ? QCoreApplication::translate("CableReport", "不是已知的编程线芯片")
                             : port.chip;
    const QString name = port.usbName.isEmpty() ? QString() : QStringLiteral(", ") + port.usbName;
    text += port.isUsb() ? QCoreApplication::translate("CableReport", "    芯片：%1（USB %2%3）\n")
                               .arg(chip, UsbId(port), name)
                         : QCoreApplication::translate("CableReport", "    不是 USB 设备\n");
    if (!port.byId.isEmpty()) {
        text += QCoreApplication::translate("CableReport", "    固定名称：%1\n").arg(port.byId);
    }
    text += QCoreApplication::translate("CableReport", "    权限：%1\n").arg(AccessText(port));
    if (port.holderPid != 0) {
        text += QCoreApplication::translate("CableReport", "    占用：%1（进程号 %2）\n")
                    .arg(port.holderProgram)
                    .arg(port.holderPid);
    }
    return text;
}

QString FindingsText(const CableReport& report, CableFinding::Severity severity) {
    QString text;
    for (const CableFinding& finding : report.findings) {
        if (finding.severity != severity) {
            continue;
        }
        text += QStringLiteral("  - ") + finding.text + QLatin1Char('\n');
        if (!finding.fix.isEmpty()) {
            text += QStringLiteral("      ") + finding.fix + QLatin1Char('\n');
        }
    }
    return text;
}

} // namespace

bool CableReport::usable() const {
    return UsablePort(*this) != nullptr;
}

namespace CableReportFormat {

QString Text(const CableReport& report) {
    QString text = QCoreApplication::translate("CableReport", "用户：%1\n").arg(report.user);
    text += QCoreApplication::translate("CableReport", "USB 串口：%1\n").arg(report.ports.size());
    for (const CablePort& port : report.ports) {
        text += PortText(port);
    }
    text +=
        QCoreApplication::translate("CableReport", "本程序的 udev 规则：%1\n")
            .arg(report.ruleFile.isEmpty() ? QCoreApplication::translate("CableReport", "未安装")
                                           : report.ruleFile);
    text += QCoreApplication::translate("CableReport", "ModemManager：%1\n")
                .arg(report.modemManager ? QCoreApplication::translate("CableReport", "正在运行")
                                         : QCoreApplication::translate("CableReport", "没有运行"));
    const QString problems = FindingsText(report, CableFinding::Severity::Problem);
    if (!problems.isEmpty()) {
        text +=
            QLatin1Char('\n') + QCoreApplication::translate("CableReport", "问题：\n") + problems;
    }
    const QString notes = FindingsText(report, CableFinding::Severity::Note);
    if (!notes.isEmpty()) {
        text += QLatin1Char('\n') + QCoreApplication::translate("CableReport", "提示：\n") + notes;
    }
    text += QLatin1Char('\n');
    if (const CablePort* port = UsablePort(report)) {
        text += QCoreApplication::translate("CableReport", "结论：编程线 %1 可以使用。\n")
                    .arg(port->com.isEmpty()
                             ? port->device
                             : port->com + QStringLiteral(" (") + port->device + QLatin1Char(')'));
    } else {
        text += QCoreApplication::translate(
            "CableReport", "结论：没有可以使用的编程线；请按上面的问题逐一处理。\n");
    }
    return text;
}

QString Json(const CableReport& report) {
    QJsonArray ports;
    for (const CablePort& port : report.ports) {
        QJsonObject entry{{"name", port.name},
                          {"device", port.device},
                          {"byId", port.byId},
                          {"com", port.com},
                          {"usbId", port.isUsb() ? UsbId(port) : QString()},
                          {"chip", port.chip},
                          {"usbName", port.usbName},
                          {"access", QLatin1String(AccessCode(port.access))},
                          {"group", port.group},
                          {"coveredByRule", port.coveredByRule}};
        entry.insert("holder", port.holderPid == 0 ? QJsonValue()
                                                   : QJsonObject{{"pid", port.holderPid},
                                                                 {"program", port.holderProgram}});
        ports.append(entry);
    }
    QJsonArray findings;
    for (const CableFinding& finding : report.findings) {
        findings.append(QJsonObject{
            {"severity", finding.severity == CableFinding::Severity::Problem ? "problem" : "note"},
            {"code", finding.code},
            {"device", finding.device},
            {"text", finding.text},
            {"fix", finding.fix}});
    }
    const QJsonObject root{
        {"usable", report.usable()},
        {"user", report.user},
        {"ports", ports},
        {"udevRule", report.ruleFile.isEmpty() ? QJsonValue() : QJsonValue(report.ruleFile)},
        {"udevRuleLookedIn", QJsonArray::fromStringList(report.ruleLookedIn)},
        {"modemManager", report.modemManager},
        {"findings", findings}};
    return QString::fromUtf8(QJsonDocument(root).toJson(QJsonDocument::Indented));
}

} // namespace CableReportFormat
