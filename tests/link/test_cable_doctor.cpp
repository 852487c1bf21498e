// The cable check against copies of systems built in a folder: every verdict without root or a
// cable, and the command's exit code, JSON and English under an English locale.

#include "cable_doctor.h"
#include "qtr318_process.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

constexpr uint kUser = 4242; // never this test's own uid, so owning the files grants nothing

// A system's files in a temporary folder. Device nodes are plain files owned by this test, whose
// group the group file calls dialout.
class FakeSystem {
public:
    FakeSystem() {
        file("etc/passwd", QStringLiteral("root:x:0:0::/root:/bin/sh\n"
                                          "alice:x:%1:100::/home/alice:/bin/bash\n")
                               .arg(kUser)
                               .toUtf8());
        setDialoutMembers("", false);
        file("sys/class/tty/ttyS0/dev", "4:64\n"); // the computer's own port: not a cable
    }

    QString root() const { return m_dir.path(); }

    void file(const QString& path, const QByteArray& content) const {
        const QString full = m_dir.filePath(path);
        QDir().mkpath(QFileInfo(full).path());
        QFile out(full);
        QVERIFY(out.open(QIODevice::WriteOnly) && out.write(content) == content.size());
    }

    void link(const QString& path, const QString& target) const {
        const QString full = m_dir.filePath(path);
        QDir().mkpath(QFileInfo(full).path());
        QVERIFY(QFile::link(target, full));
    }

    // members of dialout in the group file; inSession: the session has the group already.
    void setDialoutMembers(const QString& members, bool inSession) const {
        file("etc/group", QStringLiteral("root:x:0:\nusers:x:100:\ndialout:x:%1:%2\n")
                              .arg(getgid())
                              .arg(members)
                              .toUtf8());
        file("proc/self/status", QStringLiteral("Uid:\t%1\t%1\t%1\t%1\nGroups:\t100 %2\n")
                                     .arg(kUser)
                                     .arg(inSession ? QString::number(getgid()) : QString())
                                     .toUtf8());
    }

    void addCable(const QString& tty, const QString& vendor, const QString& product,
                  const QString& byId = QString()) const {
        const QString usb = "sys/devices/pci0000:00/usb1/1-" + tty;
        file(usb + "/idVendor", (vendor + "\n").toUtf8());
        file(usb + "/idProduct", (product + "\n").toUtf8());
        file(usb + "/product", "USB Serial\n");
        file(usb + "/" + tty + ":1.0/" + tty + "/tty/" + tty + "/dev", "188:0\n");
        link("sys/class/tty/" + tty,
             "../../devices/pci0000:00/usb1/1-" + tty + "/" + tty + ":1.0/" + tty + "/tty/" + tty);
        link("sys/devices/pci0000:00/usb1/1-" + tty + "/" + tty + ":1.0/" + tty + "/tty/" + tty +
                 "/device",
             "../../../" + tty);
        file("dev/" + tty, "");
        chmod("dev/" + tty, 0660);
        if (!byId.isEmpty()) {
            link("dev/serial/by-id/" + byId, "../../" + tty);
        }
    }

    void chmod(const QString& path, mode_t mode) const {
        QVERIFY(::chmod(QFile::encodeName(m_dir.filePath(path)).constData(), mode) == 0);
    }

    // The access control list logind gives the user at the seat.
    bool grantAcl(const QString& tty) const {
        const quint32 header = 2;
        struct Entry {
            quint16 tag, permissions;
            quint32 id;
        };
        const Entry entries[] = {
            {0x01, 6, ~0u}, {0x02, 6, kUser}, {0x04, 6, ~0u}, {0x10, 6, ~0u}, {0x20, 0, ~0u}};
        QByteArray acl(reinterpret_cast<const char*>(&header), sizeof header);
        acl.append(reinterpret_cast<const char*>(entries), sizeof entries);
        return ::setxattr(QFile::encodeName(m_dir.filePath("dev/" + tty)).constData(),
                          "system.posix_acl_access", acl.constData(), size_t(acl.size()), 0) == 0;
    }

    void installRule() const {
        QFile rule(QStringLiteral(QTR318_SOURCE_DIR "/data/60-qtr318-cable.rules"));
        QVERIFY(rule.open(QIODevice::ReadOnly));
        file("usr/lib/udev/rules.d/60-qtr318-cable.rules", rule.readAll());
    }

    void process(int pid, const QString& program, const QString& openDevice = QString()) const {
        file(QStringLiteral("proc/%1/comm").arg(pid), (program + "\n").toUtf8());
        if (!openDevice.isEmpty()) {
            link(QStringLiteral("proc/%1/fd/3").arg(pid), openDevice);
        }
    }

private:
    QTemporaryDir m_dir;
};

using Setup = std::function<void(const FakeSystem&)>;

const char* const kBrlttyRule =
    "ENV{PRODUCT}==\"1a86/7523/*\", ENV{BRLTTY_BRAILLE_DRIVER}=\"bm\"\n";

// A CH340 cable and the udev rule.
void Cable(const FakeSystem& system) {
    system.installRule();
    system.addCable("ttyUSB0", "1a86", "7523");
}

// The same, for a user of the dialout group.
void Member(const FakeSystem& system) {
    Cable(system);
    system.setDialoutMembers("alice", true);
}

QStringList Codes(const CableReport& report) {
    QStringList codes;
    for (const CableFinding& finding : report.findings) {
        codes.append(finding.code);
    }
    codes.sort();
    return codes;
}

} // namespace

Q_DECLARE_METATYPE(Setup)

class TestCableDoctor : public QObject {
    Q_OBJECT

private slots:
    // Every USB serial port is listed, a chip no cable is known by too; the computer's own
    // ports are not. Stable names and the COM names reach the ports they point at.
    void portsAreListedWithTheirNames() {
        FakeSystem system;
        system.addCable("ttyUSB0", "1a86", "7523", "usb-1a86_USB_Serial-if00-port0");
        system.addCable("ttyUSB1", "abcd", "0001", "usb-Acme_Radio-if00-port0");
        system.addCable("ttyACM0", "067b", "23a3");
        qunsetenv("QTR318_COM1");
        qunsetenv("QTR318_COM2");
        const CableReport report = CableDoctor(system.root()).Examine();
        QCOMPARE(report.user, QStringLiteral("alice"));
        QStringList ports;
        for (const CablePort& port : report.ports) {
            ports << QStringList({port.device, port.chip, port.byId, port.com}).join(' ');
        }
        QCOMPARE(ports,
                 QStringList({"/dev/ttyACM0 Prolific PL2303  ",
                              "/dev/ttyUSB0 WCH CH340/CH341 "
                              "/dev/serial/by-id/usb-1a86_USB_Serial-if00-port0 COM1",
                              "/dev/ttyUSB1  /dev/serial/by-id/usb-Acme_Radio-if00-port0 COM2"}));
        QCOMPARE(report.ports.at(2).usbName, QStringLiteral("USB Serial"));
    }

    void verdicts_data() {
        QTest::addColumn<Setup>("setup");
        QTest::addColumn<bool>("usable");
        QTest::addColumn<QStringList>("codes"); // of every finding, sorted
        QTest::addColumn<QString>("fix");       // of the first finding, if any

        QTest::newRow("dialout member") << Setup(Member) << true << QStringList{} << QString();
        QTest::newRow("no access") << Setup(Cable) << false << QStringList{"no-access"}
                                   << "sudo usermod -aG dialout alice";
        QTest::newRow("dialout joined after logging in") << Setup([](const FakeSystem& system) {
            Cable(system);
            system.setDialoutMembers("bob,alice", false);
        }) << false << QStringList{"log-in-again"} << QString();
        QTest::newRow("held by another program") << Setup([](const FakeSystem& system) {
            Member(system);
            system.process(4321, "minicom", "/dev/ttyUSB0");
        }) << false << QStringList{"busy"} << "kill 4321";
        QTest::newRow("no rule: dialout still works") << Setup([](const FakeSystem& system) {
            system.addCable("ttyUSB0", "1a86", "7523");
            system.setDialoutMembers("alice", true);
        }) << true << QStringList{"no-rule"} << "sudo apt install --reinstall qtr318-cps";
        QTest::newRow("no rule, a copy under /usr/local")
            << Setup([](const FakeSystem& system) {
                   Member(system);
                   system.file("usr/local/lib/udev/rules.d/60-qtr318-cable.rules", "# copy\n");
                   QVERIFY(QFile::remove(system.root() +
                                         "/usr/lib/udev/rules.d/60-qtr318-cable.rules"));
               })
            << true << QStringList{"no-rule"}
            << "sudo install -m 644 /usr/local/lib/udev/rules.d/60-qtr318-cable.rules "
               "/etc/udev/rules.d/ && sudo udevadm control --reload-rules && sudo udevadm trigger";
        QTest::newRow("readable, not writable") << Setup([](const FakeSystem& system) {
            Member(system);
            system.chmod("dev/ttyUSB0", 0640);
        }) << false << QStringList{"no-access"} << "sudo usermod -aG dialout alice";
        QTest::newRow("COM1 mapped to a built-in port") << Setup([](const FakeSystem& system) {
            system.installRule();
            system.setDialoutMembers("alice", true);
            system.file("dev/ttyS0", "");
            system.chmod("dev/ttyS0", 0660);
            qputenv("QTR318_COM1", "/dev/ttyS0");
        }) << true << QStringList{} << QString();
        QTest::newRow("COM1 mapped to no device") << Setup([](const FakeSystem& system) {
            system.installRule();
            qputenv("QTR318_COM1", "/dev/pts/9");
        }) << false << QStringList{"no-device", "no-port"}
                                                  << QString();
        QTest::newRow("ModemManager, cable the rule names") << Setup([](const FakeSystem& system) {
            Member(system);
            system.process(612, "ModemManager");
        }) << true << QStringList{} << QString();
        QTest::newRow("ModemManager, cable the rule does not name")
            << Setup([](const FakeSystem& system) {
                   system.installRule();
                   system.addCable("ttyUSB0", "1a86", "55d4");
                   system.setDialoutMembers("alice", true);
                   system.process(612, "ModemManager");
               })
            << false << QStringList{"modem-manager"} << "sudo systemctl disable --now ModemManager";
        QTest::newRow("brltty takes CH340 cables") << Setup([](const FakeSystem& system) {
            Member(system);
            system.file("usr/lib/udev/rules.d/85-brltty.rules", QByteArray(kBrlttyRule));
        }) << false << QStringList{"brltty"} << "sudo apt remove brltty";
        QTest::newRow("brltty, and the cable is gone") << Setup([](const FakeSystem& system) {
            system.installRule();
            system.file("lib/udev/rules.d/85-brltty.rules", QByteArray(kBrlttyRule));
        }) << false << QStringList{"brltty", "no-port"} << "sudo apt remove brltty";
        QTest::newRow("brltty, another chip's cable") << Setup([](const FakeSystem& system) {
            system.installRule();
            system.addCable("ttyUSB0", "10c4", "ea60");
            system.setDialoutMembers("alice", true);
            system.file("lib/udev/rules.d/85-brltty.rules", QByteArray(kBrlttyRule));
        }) << true << QStringList{"brltty"} << "sudo apt remove brltty";
        QTest::newRow("brltty's rule masked") << Setup([](const FakeSystem& system) {
            Member(system);
            system.file("usr/lib/udev/rules.d/85-brltty.rules", QByteArray(kBrlttyRule));
            system.link("etc/udev/rules.d/85-brltty.rules", "/dev/null");
        }) << true << QStringList{} << QString();
        QTest::newRow("one usable cable of two") << Setup([](const FakeSystem& system) {
            Member(system);
            system.addCable("ttyUSB1", "10c4", "ea60");
            system.process(4321, "minicom", "/dev/ttyUSB0");
        }) << true << QStringList{"busy"} << "kill 4321";
    }
    void verdicts() {
        QFETCH(Setup, setup);
        QFETCH(bool, usable);
        QFETCH(QStringList, codes);
        QFETCH(QString, fix);
        FakeSystem system;
        qunsetenv("QTR318_COM1");
        setup(system);
        const CableReport report = CableDoctor(system.root()).Examine();
        qunsetenv("QTR318_COM1");
        QCOMPARE(Codes(report), codes);
        QCOMPARE(report.usable(), usable);
        QCOMPARE(report.findings.value(0).fix, fix);
    }

    // The seat's access control list opens the port without any group.
    void accessControlListGrantsAccess() {
        FakeSystem system;
        system.installRule();
        system.addCable("ttyUSB0", "0403", "6001");
        if (!system.grantAcl("ttyUSB0")) {
            QSKIP("this file system keeps no access control lists");
        }
        const CableReport report = CableDoctor(system.root()).Examine();
        QCOMPARE(report.ports.value(0).access, CablePort::Access::Acl);
        QVERIFY(report.usable());
    }

    // The command says the same in the user's language, and in JSON for scripts; its exit code
    // says whether a cable can be used.
    void commandReportsInTheUsersLanguage() {
        FakeSystem system;
        system.installRule();
        system.addCable("ttyUSB0", "1a86", "7523");
        const QList<QPair<QString, QString>> settings = {{"QTR318_SYSTEM_ROOT", system.root()},
                                                         {"LANG", "en_US.UTF-8"}};
        const Finished text = Qtr318({"doctor"}, settings);
        QCOMPARE(text.exitCode, 1);
        QVERIFY2(text.out.contains("log out and back in") &&
                     text.out.contains("sudo usermod -aG dialout alice"),
                 qPrintable(text.out));

        system.setDialoutMembers("alice", true);
        const Finished json = Qtr318({"doctor", "--format", "json"}, settings);
        QCOMPARE(json.exitCode, 0);
        const QJsonObject report = QJsonDocument::fromJson(json.out.toUtf8()).object();
        QCOMPARE(report.value("usable").toBool(), true);
        QCOMPARE(report.value("ports").toArray().first()["access"].toString(), "group");
    }
};

QTEST_GUILESS_MAIN(TestCableDoctor)
#include "test_cable_doctor.moc"
