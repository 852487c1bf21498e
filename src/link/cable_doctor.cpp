#include "cable_doctor.h"

#include "port_diagnosis.h"
#include "port_names.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>
#include <array>
#include <cstring>
#include <sys/stat.h>
#include <sys/xattr.h>

namespace {

QString ReadText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QStringList Lines(const QString& path) {
    return ReadText(path).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// Folders udev reads its rules from, the one that wins first.
const std::array<const char*, 4> kRuleFolders = {"/etc/udev/rules.d", "/run/udev/rules.d",
                                                 "/usr/lib/udev/rules.d", "/lib/udev/rules.d"};
const char* const kRuleName = "60-qtr318-cable.rules";

struct Chip {
    quint16 vendorId;
    const char* name;
};
// The chips programming cables are built on; a cable of another chip is listed all the same.
const std::array<Chip, 4> kChips = {{{0x1a86, "WCH CH340/CH341"},
                                     {0x067b, "Prolific PL2303"},
                                     {0x10c4, "Silicon Labs CP210x"},
                                     {0x0403, "FTDI"}}};
constexpr quint16 kCh340Vendor = 0x1a86;

// Who runs the check: the identity of this process and the groups the account belongs to,
// which differ from the session's until the user logs in again.
struct Account {
    uint uid = 0;
    QString name;
    QSet<uint> sessionGroups;
    QSet<uint> memberGroups;
    QHash<uint, QString> groupNames;
};

Account ReadAccount(const QString& root) {
    Account account;
    for (const QString& line : Lines(root + QStringLiteral("/proc/self/status"))) {
        const QStringList fields = line.simplified().split(QLatin1Char(' '));
        if (fields.value(0) == QLatin1String("Uid:")) {
            account.uid = fields.value(1).toUInt();
        } else if (fields.value(0) == QLatin1String("Groups:")) {
            for (const QString& group : fields.mid(1)) {
                account.sessionGroups.insert(group.toUInt());
            }
        }
    }
    account.name = QString::number(account.uid);
    for (const QString& line : Lines(root + QStringLiteral("/etc/passwd"))) {
        const QStringList fields = line.split(QLatin1Char(':'));
        if (fields.size() > 3 && fields.at(2).toUInt() == account.uid) {
            account.name = fields.at(0);
            account.memberGroups.insert(fields.at(3).toUInt());
            break;
        }
    }
    for (const QString& line : Lines(root + QStringLiteral("/etc/group"))) {
        const QStringList fields = line.split(QLatin1Char(':'));
        if (fields.size() < 4) {
            continue;
        }
        const uint gid = fields.at(2).toUInt();
        account.groupNames.insert(gid, fields.at(0));
        if (fields.at(3).split(QLatin1Char(',')).contains(account.name)) {
            account.memberGroups.insert(gid);
        }
    }
    return account;
}

// The users the device's access control list lets read and write it.
QSet<uint> AclUsers(const QString& path) {
    // The kernel's format: a 4-byte version, then entries of tag, permissions and id.
    constexpr quint16 kUserTag = 0x02;
    constexpr quint16 kReadWrite = 0x06;
    QSet<uint> users;
    char buffer[1024];
    const ssize_t size = ::getxattr(QFile::encodeName(path).constData(), "system.posix_acl_access",
                                    buffer, sizeof buffer);
    for (ssize_t at = 4; size > 0 && at + 8 <= size; at += 8) {
        quint16 tag = 0;
        quint16 permissions = 0;
        quint32 id = 0;
        std::memcpy(&tag, buffer + at, 2);
        std::memcpy(&permissions, buffer + at + 2, 2);
        std::memcpy(&id, buffer + at + 4, 4);
        if (tag == kUserTag && (permissions & kReadWrite) == kReadWrite) {
            users.insert(id);
        }
    }
    return users;
}

void JudgeAccess(const QString& node, const Account& account, CablePort& port) {
    struct stat info {};
    if (::stat(QFile::encodeName(node).constData(), &info) != 0) {
        port.access = CablePort::Access::Denied;
        return;
    }
    port.group = account.groupNames.value(info.st_gid, QString::number(info.st_gid));
    const auto allows = [&info](mode_t bits) { return (info.st_mode & bits) == bits; };
    if (account.uid == 0) {
        port.access = CablePort::Access::Root;
    } else if (AclUsers(node).contains(account.uid)) {
        port.access = CablePort::Access::Acl;
    } else if ((info.st_uid == account.uid && allows(S_IRUSR | S_IWUSR)) ||
               allows(S_IROTH | S_IWOTH)) {
        port.access = CablePort::Access::Owner;
    } else if (!allows(S_IRGRP | S_IWGRP)) {
        port.access = CablePort::Access::Denied;
    } else if (account.sessionGroups.contains(info.st_gid)) {
        port.access = CablePort::Access::Group;
    } else if (account.memberGroups.contains(info.st_gid)) {
        port.access = CablePort::Access::NotYetActive;
    } else {
        port.access = CablePort::Access::Denied;
    }
}

// The USB device a tty belongs to is the nearest folder above it that has a vendor id.
QString UsbDeviceFolder(const QString& root, const QString& ttyName) {
    const QString sys = QFileInfo(root + QStringLiteral("/sys")).canonicalFilePath();
    QString folder =
        QFileInfo(root + QStringLiteral("/sys/class/tty/") + ttyName + QStringLiteral("/device"))
            .canonicalFilePath();
    while (!folder.isEmpty() && folder.startsWith(sys) && folder != sys) {
        if (QFileInfo::exists(folder + QStringLiteral("/idVendor"))) {
            return folder;
        }
        folder = QFileInfo(folder).path();
    }
    return QString();
}

QString LinkTargetName(const QString& path) {
    const QFileInfo info(path);
    return info.isSymLink() ? QFileInfo(info.symLinkTarget()).fileName() : info.fileName();
}

class Examination {
public:
    explicit Examination(const QString& root) : m_root(root), m_account(ReadAccount(root)) {}

    CableReport Run() {
        m_report.user = m_account.name;
        FindRule();
        m_report.modemManager = ModemManagerRunning();
        FindPorts();
        FindMappedPorts();
        CheckPorts();
        CheckBrltty();
        if (m_report.ports.isEmpty()) {
            Add(CableFinding::Severity::Problem, QStringLiteral("no-port"), QString(),
                QCoreApplication::translate(
                    "CableDoctor", "没有找到 USB 串口：编程线没有插好，或者系统没有认出它。"
                                   "请插好编程线；qtr318 ports 列出所有串口。"),
                QString());
        }
        if (m_report.ruleFile.isEmpty()) {
            Add(CableFinding::Severity::Note, QStringLiteral("no-rule"), QString(), NoRuleText(),
                NoRuleFix());
        }
        return m_report;
    }

private:
    void Add(CableFinding::Severity severity, const QString& code, const QString& device,
             const QString& text, const QString& fix) {
        m_report.findings.append({severity, code, device, text, fix});
    }

    QString NoRuleText() const {
        const QString missing =
            QCoreApplication::translate(
                "CableDoctor",
                "没有安装本程序的 udev 规则 60-qtr318-cable.rules（找过：%1）。没有它，"
                "只有 dialout 组的成员能打开编程线，ModemManager 也会去试探对讲机。")
                .arg(m_report.ruleLookedIn.join(QStringLiteral(", ")));
        return missing + (InstalledRuleCopy().isEmpty()
                              ? QCoreApplication::translate(
                                    "CableDoctor", "规则随本程序的软件包安装；重新安装软件包：")
                              : QCoreApplication::translate(
                                    "CableDoctor", "本程序安装时带有这条规则，把它复制过去："));
    }

    QString NoRuleFix() const {
        const QString copy = InstalledRuleCopy();
        if (copy.isEmpty()) {
            return QStringLiteral("sudo apt install --reinstall qtr318-cps");
        }
        return QStringLiteral("sudo install -m 644 %1 /etc/udev/rules.d/ && "
                              "sudo udevadm control --reload-rules && sudo udevadm trigger")
            .arg(copy);
    }

    // The rule an install put beside the program where udev does not read it: the lib folder
    // of the program's own prefix (cmake --install to /opt or /usr/local), or /usr/local's.
    QString InstalledRuleCopy() const {
        const QStringList folders = {QDir::cleanPath(QCoreApplication::applicationDirPath() +
                                                     QStringLiteral("/../lib/udev/rules.d")),
                                     QStringLiteral("/usr/local/lib/udev/rules.d")};
        for (const QString& folder : folders) {
            const QString path = folder + QLatin1Char('/') + QLatin1String(kRuleName);
            if (QFileInfo(m_root + path).isFile()) {
                return path;
            }
        }
        return QString();
    }

    void FindRule() {
        for (const char* folder : kRuleFolders) {
            m_report.ruleLookedIn.append(QLatin1String(folder));
            const QFileInfo rule(m_root + QLatin1String(folder) + QLatin1Char('/') +
                                 QLatin1String(kRuleName));
            if (!rule.exists() && !rule.isSymLink()) {
                continue;
            }
            // The first one found is the one udev reads, even when it masks the others.
            if (rule.isFile() && rule.size() > 0) {
                m_report.ruleFile =
                    QLatin1String(folder) + QLatin1Char('/') + QLatin1String(kRuleName);
                ReadRuleCables(rule.filePath());
            }
            return;
        }
    }

    void ReadRuleCables(const QString& path) {
        static const QRegularExpression cable(QStringLiteral(
            R"re(ATTRS\{idVendor\}=="([0-9a-fA-F]{4})".*ATTRS\{idProduct\}=="([0-9a-fA-F]{4})".*GOTO="qtr318_cable")re"));
        for (const QString& line : Lines(path)) {
            const QRegularExpressionMatch match = cable.match(line);
            if (match.hasMatch()) {
                m_ruleCables.insert(match.captured(1).toLower() + QLatin1Char(':') +
                                    match.captured(2).toLower());
            }
        }
    }

    bool ModemManagerRunning() const {
        const QDir proc(m_root + QStringLiteral("/proc"));
        for (const QString& entry : proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            bool number = false;
            entry.toLongLong(&number);
            if (number && ReadText(proc.filePath(entry) + QStringLiteral("/comm")).trimmed() ==
                              QLatin1String("ModemManager")) {
                return true;
            }
        }
        return false;
    }

    void FindPorts() {
        QHash<QString, QString> byId; // tty name -> its stable link
        const QDir links(m_root + PortNames::kByIdFolder);
        for (const QString& link : links.entryList(QDir::Files | QDir::System, QDir::Name)) {
            byId.insert(LinkTargetName(links.filePath(link)),
                        PortNames::kByIdFolder + QLatin1Char('/') + link);
        }
        const QDir ttys(m_root + QStringLiteral("/sys/class/tty"));
        for (const QString& name : ttys.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
            const QString usb = UsbDeviceFolder(m_root, name);
            if (usb.isEmpty()) {
                continue; // the computer's own ports and terminals
            }
            CablePort port;
            port.name = name;
            port.device = QStringLiteral("/dev/") + name;
            port.byId = byId.value(name);
            port.com = ComNameOf(name);
            port.vendorId =
                ReadText(usb + QStringLiteral("/idVendor")).trimmed().toUShort(nullptr, 16);
            port.productId =
                ReadText(usb + QStringLiteral("/idProduct")).trimmed().toUShort(nullptr, 16);
            for (const Chip& chip : kChips) {
                if (chip.vendorId == port.vendorId) {
                    port.chip = QLatin1String(chip.name);
                }
            }
            port.usbName = (ReadText(usb + QStringLiteral("/manufacturer")).trimmed() +
                            QLatin1Char(' ') + ReadText(usb + QStringLiteral("/product")).trimmed())
                               .trimmed();
            JudgeAccess(m_root + port.device, m_account, port);
            if (const auto holder = PortDiagnosis::FindHolder(port.device, m_root)) {
                port.holderPid = holder->pid;
                port.holderProgram = holder->program;
            }
            port.coveredByRule = m_ruleCables.contains(UsbId(port));
            m_report.ports.append(port);
        }
    }

    // A port the user mapped with QTR318_COMn that no USB listing shows (a built-in serial port,
    // a pseudo-terminal, an adapter the kernel does not count as USB) is as much theirs.
    void FindMappedPorts() {
        for (const QString& com : PortNames::Choices()) {
            const QByteArray variable = "QTR318_" + com.toLatin1();
            const QString device = qEnvironmentVariable(variable.constData());
            if (device.isEmpty() || Listed(device)) {
                continue;
            }
            if (!QFileInfo::exists(m_root + device)) {
                Add(CableFinding::Severity::Problem, QStringLiteral("no-device"), device,
                    QCoreApplication::translate("CableDoctor",
                                                "环境变量 %1 把 %2 指向 %3，但没有这个设备。")
                        .arg(QLatin1String(variable), com, device),
                    QString());
                continue;
            }
            CablePort port;
            port.name = QFileInfo(device).fileName();
            port.device = device;
            port.com = com;
            JudgeAccess(m_root + device, m_account, port);
            if (const auto holder = PortDiagnosis::FindHolder(device, m_root)) {
                port.holderPid = holder->pid;
                port.holderProgram = holder->program;
            }
            m_report.ports.append(port);
        }
    }

    bool Listed(const QString& device) const {
        const QString path = QFileInfo(m_root + device).canonicalFilePath();
        return std::any_of(m_report.ports.begin(), m_report.ports.end(),
                           [&](const CablePort& port) {
                               return !path.isEmpty() &&
                                      QFileInfo(m_root + port.device).canonicalFilePath() == path;
                           });
    }

    static QString UsbId(const CablePort& port) {
        return QStringLiteral("%1:%2")
            .arg(port.vendorId, 4, 16, QLatin1Char('0'))
            .arg(port.productId, 4, 16, QLatin1Char('0'));
    }

    QString ComNameOf(const QString& ttyName) const {
        for (const QString& com : PortNames::Choices()) {
            const QString path = PortNames::DevicePath(com, m_root + PortNames::kByIdFolder);
            const QString inRoot =
                path.startsWith(m_root + QLatin1Char('/')) ? path : m_root + path;
            if (LinkTargetName(inRoot) == ttyName) {
                return com;
            }
        }
        return QString();
    }

    void CheckPorts() {
        for (const CablePort& port : m_report.ports) {
            CheckAccess(port);
            if (port.holderPid != 0) {
                const QString program = port.holderProgram.isEmpty()
                                            ? QCoreApplication::translate("CableDoctor", "未知程序")
                                            : port.holderProgram;
                Add(CableFinding::Severity::Problem, QStringLiteral("busy"), port.device,
                    QCoreApplication::translate(
                        "CableDoctor",
                        "%1 正被另一个程序占用：%2（进程号 %3）。请关闭它，或者结束它：")
                        .arg(port.device, program)
                        .arg(port.holderPid),
                    QStringLiteral("kill %1").arg(port.holderPid));
            }
            if (m_report.modemManager && !port.coveredByRule && port.isUsb()) {
                Add(CableFinding::Severity::Problem, QStringLiteral("modem-manager"), port.device,
                    QCoreApplication::translate(
                        "CableDoctor",
                        "ModemManager 正在运行，而本程序的 udev 规则没有让它避开 %1（%2）："
                        "它会向对讲机发送调制解调器命令。不用调制解调器时请停用它：")
                        .arg(port.device, UsbId(port)),
                    QStringLiteral("sudo systemctl disable --now ModemManager"));
            }
        }
    }

    void CheckAccess(const CablePort& port) {
        if (port.access == CablePort::Access::NotYetActive) {
            Add(CableFinding::Severity::Problem, QStringLiteral("log-in-again"), port.device,
                QCoreApplication::translate(
                    "CableDoctor", "用户 %1 已加入 %2 组，但本次登录早于加入，%3 还打不开："
                                   "请注销并重新登录。")
                    .arg(m_account.name, port.group, port.device),
                QString());
        } else if (port.access == CablePort::Access::Denied) {
            Add(CableFinding::Severity::Problem, QStringLiteral("no-access"), port.device,
                QCoreApplication::translate(
                    "CableDoctor",
                    "用户 %1 没有 %2 的读写权限（设备属于 %3 组）。请把用户加入该组，"
                    "然后注销并重新登录：")
                    .arg(m_account.name, port.device, port.group),
                QStringLiteral("sudo usermod -aG %1 %2").arg(port.group, m_account.name));
        }
    }

    // brltty's rules take the CH340's id for a braille display; the cable appears and is gone
    // again a second later, so a missing cable may be its doing.
    void CheckBrltty() {
        const QString rules = BrlttyRulesClaimingCh340();
        if (rules.isEmpty()) {
            return;
        }
        QStringList ch340;
        bool otherUsable = false;
        for (const CablePort& port : m_report.ports) {
            if (port.vendorId == kCh340Vendor) {
                ch340.append(port.device);
            } else if (port.usable()) {
                otherUsable = true;
            }
        }
        const QString text =
            QCoreApplication::translate(
                "CableDoctor",
                "brltty（盲文显示器服务）已安装，它的 udev 规则 %1 认领 CH340 芯片的编程线："
                "编程线插上一秒后就会消失。不用盲文显示器时请卸载它，然后重新插上编程线：")
                .arg(rules);
        const QString fix = QStringLiteral("sudo apt remove brltty");
        if (!ch340.isEmpty()) {
            for (const QString& device : ch340) {
                Add(CableFinding::Severity::Problem, QStringLiteral("brltty"), device, text, fix);
            }
        } else {
            Add(otherUsable ? CableFinding::Severity::Note : CableFinding::Severity::Problem,
                QStringLiteral("brltty"), QString(), text, fix);
        }
    }

    QString BrlttyRulesClaimingCh340() const {
        static const QRegularExpression ch340(QStringLiteral("1a86.*7523"),
                                              QRegularExpression::CaseInsensitiveOption);
        QSet<QString> seen; // a file in an earlier folder hides one of the same name
        for (const char* folder : kRuleFolders) {
            const QDir dir(m_root + QLatin1String(folder));
            for (const QString& name :
                 dir.entryList({QStringLiteral("*brltty*")}, QDir::Files | QDir::System)) {
                if (seen.contains(name)) {
                    continue;
                }
                seen.insert(name);
                for (const QString& line : Lines(dir.filePath(name))) {
                    if (!line.trimmed().startsWith(QLatin1Char('#')) &&
                        ch340.match(line).hasMatch()) {
                        return QLatin1String(folder) + QLatin1Char('/') + name;
                    }
                }
            }
        }
        return QString();
    }

    QString m_root;
    Account m_account;
    CableReport m_report;
    QSet<QString> m_ruleCables; // "vvvv:pppp" our installed rule names
};

} // namespace

CableReport CableDoctor::Examine() const {
    return Examination(m_root).Run();
}

QString CableDoctor::RootFromEnvironment() {
    return qEnvironmentVariable("QTR318_SYSTEM_ROOT");
}
