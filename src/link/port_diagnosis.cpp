#include "port_diagnosis.h"

#include "port_names.h"
#include "ui_language.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <cerrno>
#include <cstring>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace PortDiagnosis {
namespace {

QString ProgramOf(const QString& root, qint64 pid) {
    QFile comm(root + QStringLiteral("/proc/%1/comm").arg(pid));
    if (!comm.open(QIODevice::ReadOnly)) {
        return QString();
    }
    return QString::fromLocal8Bit(comm.readAll()).trimmed();
}

bool Alive(const QString& root, qint64 pid) {
    return pid > 0 && QFileInfo::exists(root + QStringLiteral("/proc/%1").arg(pid));
}

// The directories serial programs keep their lock files in, in the order Qt Serial Port tries
// them; the file is LCK.. followed by the device path below /dev with '/' turned into '_'.
QStringList LockFileCandidates(const QString& devicePath, const QString& root) {
    QString name = devicePath;
    if (name.startsWith(QLatin1String("/dev/"))) {
        name.remove(0, 5);
    }
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    QStringList candidates;
    for (const QString& directory :
         {QStringLiteral("/var/lock"), QStringLiteral("/etc/locks"),
          QStringLiteral("/var/spool/locks"), QStringLiteral("/var/spool/uucp"),
          QStandardPaths::writableLocation(QStandardPaths::TempLocation)}) {
        candidates.append(root + directory + QLatin1String("/LCK..") + name);
    }
    return candidates;
}

// Lock files hold the owner's process id as text on the first line, or in old programs as a
// binary int of four bytes.
std::optional<Holder> HolderFromLockFile(const QString& devicePath, const QString& root) {
    for (const QString& path : LockFileCandidates(devicePath, root)) {
        QFile lock(path);
        if (!lock.open(QIODevice::ReadOnly)) {
            continue;
        }
        const QByteArray content = lock.read(256);
        bool ok = false;
        qint64 pid = content.split('\n').value(0).trimmed().toLongLong(&ok);
        if (!ok && content.size() == 4) {
            std::int32_t binary = 0;
            std::memcpy(&binary, content.constData(), sizeof binary);
            pid = binary;
        }
        if (Alive(root, pid)) {
            return Holder{pid, ProgramOf(root, pid)};
        }
    }
    return std::nullopt;
}

// A program that opened the device without a lock file still shows among its open files.
std::optional<Holder> HolderFromOpenFiles(const QString& devicePath, const QString& root) {
    // Below another root the links of /proc name the devices as that system sees them.
    const QString device = root.isEmpty() ? QFileInfo(devicePath).canonicalFilePath() : devicePath;
    if (device.isEmpty()) {
        return std::nullopt;
    }
    const qint64 self = ::getpid();
    const QStringList processes = QDir(root + QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString& entry : processes) {
        bool ok = false;
        const qint64 pid = entry.toLongLong(&ok);
        if (!ok || pid == self) {
            continue;
        }
        const QDir descriptors(root + QStringLiteral("/proc/%1/fd").arg(pid));
        for (const QString& fd : descriptors.entryList(QDir::Files | QDir::System)) {
            if (QFile::symLinkTarget(descriptors.filePath(fd)) == device) {
                return Holder{pid, ProgramOf(root, pid)};
            }
        }
    }
    return std::nullopt;
}

Cause CauseOf(const QString& devicePath, QSerialPort::SerialPortError error,
              const AccessCheck& mayReadWrite) {
    const QByteArray path = QFile::encodeName(devicePath);
    struct stat info {};
    if (::stat(path.constData(), &info) != 0) {
        return errno == EACCES ? Cause::NoAccess : Cause::Missing;
    }
    if (!mayReadWrite(devicePath)) {
        return Cause::NoAccess;
    }
    switch (error) {
    case QSerialPort::DeviceNotFoundError:
        return Cause::Missing;
    case QSerialPort::PermissionError: // a lock held by another program, or EBUSY
    case QSerialPort::ResourceError:
        return Cause::Busy;
    default:
        return Cause::Other;
    }
}

} // namespace

bool UserMayReadWrite(const QString& devicePath) {
    return ::access(QFile::encodeName(devicePath).constData(), R_OK | W_OK) == 0 || errno != EACCES;
}

std::optional<Holder> FindHolder(const QString& devicePath, const QString& root) {
    std::optional<Holder> holder = HolderFromLockFile(devicePath, root);
    return holder ? holder : HolderFromOpenFiles(devicePath, root);
}

Diagnosis Diagnose(const QString& portName, const QString& devicePath,
                   QSerialPort::SerialPortError error, const QString& systemText,
                   const AccessCheck& mayReadWrite) {
    const QString systemReason = UiLanguage::SystemErrorText(systemText);
    Diagnosis result;
    result.cause = CauseOf(devicePath, error, mayReadWrite);
    const QString mapping =
        portName != devicePath ? QLatin1Char('\n') + PortNames::MappingHint() : QString();
    switch (result.cause) {
    case Cause::Missing:
        result.text =
            QCoreApplication::translate("PortDiagnosis", "设备 %1 不存在：那里没有找到编程线。"
                                                         "请插好编程线，或者选择别的端口。")
                .arg(devicePath) +
            mapping;
        break;
    case Cause::NoAccess:
        result.text = QCoreApplication::translate("PortDiagnosis", "没有设备 %1 的读写权限。\n")
                          .arg(devicePath) +
                      PortNames::DialoutHint();
        break;
    case Cause::Busy: {
        const std::optional<Holder> holder = FindHolder(devicePath);
        if (holder) {
            const QString program = holder->program.isEmpty()
                                        ? QCoreApplication::translate("PortDiagnosis", "未知程序")
                                        : holder->program;
            result.text = QCoreApplication::translate(
                              "PortDiagnosis", "设备 %1 正被另一个程序占用：%2（进程号 %3）。"
                                               "请先关闭它，再重试。")
                              .arg(devicePath, program)
                              .arg(holder->pid);
        } else {
            result.text =
                QCoreApplication::translate("PortDiagnosis", "设备 %1 正被另一个程序占用。"
                                                             "请先关闭使用它的程序，再重试。（%2）")
                    .arg(devicePath, systemReason);
        }
        break;
    }
    case Cause::Other:
        result.text = QCoreApplication::translate("PortDiagnosis", "设备 %1：%2")
                          .arg(devicePath, systemReason);
        break;
    }
    return result;
}

} // namespace PortDiagnosis
