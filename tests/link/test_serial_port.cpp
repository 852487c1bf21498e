// The Qt serial port against a pseudo-terminal: the read time-out rules, purge, exclusive open,
// and how COM names map to devices. Time bounds are generous; only gross misbehaviour fails.

#include "low_latency.h"
#include "port_diagnosis.h"
#include "port_names.h"
#include "qt_serial_port.h"
#include "read_deadline.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace {

// A raw pseudo-terminal with the port under test open on its device end; the test talks through
// the master end. Holding the device end open keeps the line up while the port opens and closes.
struct PtyLine {
    PtyLine() {
        termios raw{};
        cfmakeraw(&raw);
        char name[128] = {};
        if (openpty(&master, &device, name, &raw, nullptr) == 0 && port.Open(name)) {
            path = QString::fromLatin1(name);
            port.SetTimeouts(SerialTimeouts{});
            port.SetLine();
        }
    }
    ~PtyLine() {
        close(device);
        close(master);
    }
    void send(const QByteArray& bytes) const {
        [[maybe_unused]] const ssize_t sent =
            write(master, bytes.constData(), size_t(bytes.size()));
    }
    int master = -1;
    int device = -1;
    QtSerialPort port;
    QString path; // empty unless the port opened
};

// A driver that keeps a flag word per device, or refuses as pseudo-terminals do.
struct FakeDriver : SerialDriver {
    bool ReadFlags(int, int& value) override {
        value = flags;
        return readable;
    }
    bool WriteFlags(int, int value) override {
        writes.append(value);
        if (writable) {
            flags = value;
        }
        return writable;
    }
    int flags = 0x1000; // some other bit the port must keep
    bool readable = true;
    bool writable = true;
    QList<int> writes;
};

QByteArray ReadPort(QtSerialPort& port, int count) {
    QByteArray bytes(count, '\0');
    return bytes.left(port.Read(reinterpret_cast<std::uint8_t*>(bytes.data()), count));
}

} // namespace

class TestSerialPort : public QObject {
    Q_OBJECT

private slots:
    // A late answer is still heard, a pause well over the gap limit ends the read and what
    // follows stays queued; silence is waited out for the whole total time-out, which grows with
    // the bytes asked for (90 + 100 x n ms). Only lower bounds: load can only make reads slower.
    void readWaitsForALateAnswerAndStopsAtAGap() {
        PtyLine line;
        QVERIFY(!line.path.isEmpty());
        std::unique_ptr<QThread> sender(QThread::create([&line] {
            QThread::msleep(400);
            line.send("ABCDEF");
            QThread::msleep(600);
            line.send("GHIJKL");
        }));
        QElapsedTimer clock;
        clock.start();
        sender->start();
        QCOMPARE(ReadPort(line.port, 12), QByteArray("ABCDEF"));
        QVERIFY2(clock.elapsed() >= 400, QByteArray::number(clock.elapsed()));
        sender->wait();
        QCOMPARE(ReadPort(line.port, 3), QByteArray("GHI"));
        line.port.Purge();
        clock.restart();
        QCOMPARE(ReadPort(line.port, 12), QByteArray());
        QVERIFY2(clock.elapsed() >= 1250, QByteArray::number(clock.elapsed()));
    }

    // The rule on arrivals at chosen times, so no scheduling can blur them: an answer that
    // starts late and comes in pieces closer together than the gap limit is read whole; a gap
    // over the limit ends the read, and so does the total limit, late start or not.
    void readDeadlineFollowsTheLatestBytes() {
        // bytes asked for, pieces as (ms after the read began, bytes), bytes the read takes
        const QList<std::tuple<int, QList<QPair<int, int>>, int>> cases = {
            {12, {{400, 6}, {420, 6}}, 12},
            {12, {{400, 6}, {440, 6}}, 6},
            {12, {{20, 4}, {45, 4}, {70, 4}}, 12},
            {12, {{1280, 6}, {1295, 6}}, 6},
            {1, {{191, 1}}, 0}};
        for (const auto& [count, pieces, expected] : cases) {
            ReadDeadline deadline(SerialTimeouts{}, count);
            int received = 0;
            for (const auto& [at, size] : pieces) {
                if (received == count || at > deadline.At()) {
                    break;
                }
                received += std::min(size, count - received);
                deadline.BytesArrived(at);
            }
            QCOMPARE(received, expected);
        }
    }

    // Also by another name of the same device, and for root, whom the driver lets through. A
    // pseudo-terminal has no low-latency mode, and the port opens all the same.
    void portIsExclusiveUntilClosed() {
        PtyLine line;
        QVERIFY(!line.port.LowLatencyEnabled() && line.port.OpenError().isEmpty());
        QTemporaryDir dir;
        const QString link = dir.filePath("usb-cable-port0");
        QVERIFY(!line.path.isEmpty() && QFile::link(line.path, link));
        QtSerialPort second;
        for (const QString& name : {line.path, link}) {
            QVERIFY2(!second.Open(name) && !second.OpenError().isEmpty(), qPrintable(name));
        }
        line.port.Close();
        QVERIFY(!line.port.IsOpen() && second.Open(link));
    }

    // The cause told for a port that did not open, with the access check given, so that a
    // refusal shows without root: a device the user may not open names the dialout group, one
    // the user may open is held by another program, a missing one asks for the cable.
    void openFailureCauses() {
        using PortDiagnosis::Cause;
        QTemporaryDir dir;
        const QString device = dir.filePath("ttyUSB0");
        QFile node(device);
        QVERIFY(node.open(QIODevice::WriteOnly));
        node.close();
        // device, Qt's error, access allowed, cause, a word of the text
        const QList<std::tuple<QString, QSerialPort::SerialPortError, bool, Cause, QString>> cases =
            {{device, QSerialPort::PermissionError, false, Cause::NoAccess, "dialout"},
             {device, QSerialPort::PermissionError, true, Cause::Busy, "占用"},
             {dir.filePath("none"), QSerialPort::DeviceNotFoundError, true, Cause::Missing,
              "不存在"}};
        for (const auto& [path, error, allowed, cause, word] : cases) {
            const PortDiagnosis::Diagnosis diagnosis =
                PortDiagnosis::Diagnose("COM1", path, error, "Permission denied",
                                        [allowed = allowed](const QString&) { return allowed; });
            QVERIFY2(diagnosis.cause == cause && diagnosis.text.contains(path) &&
                         diagnosis.text.contains(word),
                     qPrintable(diagnosis.text));
        }
    }

    // Low-latency mode while the port is open, the driver's word as it was afterwards; a driver
    // that refuses is no failure.
    void portAsksForLowLatency_data() {
        QTest::addColumn<bool>("readable");
        QTest::addColumn<bool>("writable");
        QTest::addColumn<int>("before");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QList<int>>("writes"); // while open, then on close
        const int low = LowLatency::Flag();
        QTest::newRow("supported")
            << true << true << 0x1000 << true << QList<int>{0x1000 | low, 0x1000};
        QTest::newRow("already low latency")
            << true << true << (0x1000 | low) << true << QList<int>{};
        QTest::newRow("no flags to read") << false << true << 0x1000 << false << QList<int>{};
        QTest::newRow("setting refused")
            << true << false << 0x1000 << false << QList<int>{0x1000 | low};
    }
    void portAsksForLowLatency() {
        QFETCH(bool, readable);
        QFETCH(bool, writable);
        QFETCH(int, before);
        QFETCH(bool, enabled);
        QFETCH(QList<int>, writes);
        FakeDriver driver;
        driver.readable = readable;
        driver.writable = writable;
        driver.flags = before;
        PtyLine line;
        QtSerialPort port(driver);
        QVERIFY(!line.path.isEmpty());
        line.port.Close();
        QVERIFY2(port.Open(line.path), qPrintable(port.OpenError()));
        QCOMPARE(port.LowLatencyEnabled(), enabled);
        port.Close();
        port.Close();
        QCOMPARE(driver.writes, writes);
        QCOMPARE(driver.flags, before);
    }

    // COMn prefers the stable names of /dev/serial/by-id/ (sorted, the n-th link), falls back to
    // ttyUSB(n-1) and yields to QTR318_COMn; other names lie in /dev.
    void comNamesMapToDevices() {
        QTemporaryDir dir;
        const QString folder = dir.filePath("by-id");
        QVERIFY(dir.isValid() && QDir().mkpath(folder));
        // Created in the other order: the links' names decide, not their age.
        for (const char* link : {"usb-FTDI_B-if00-port0", "usb-1a86_A-if00-port0"}) {
            QVERIFY(QFile::link("/dev/null", folder + "/" + link));
        }
        qunsetenv("QTR318_COM1");
        qunsetenv("QTR318_COM3");
        // name, by-id folder, QTR318_COM2, device
        const QList<std::array<QString, 4>> cases = {
            {"com3", dir.filePath("none"), "", "/dev/ttyUSB2"},
            {"COM1", folder, "", folder + "/usb-1a86_A-if00-port0"},
            {"COM3", folder, "", "/dev/ttyUSB2"},
            {"COM2", folder, "/dev/ttyS1", "/dev/ttyS1"},
            {"/dev/ttyACM0", folder, "", "/dev/ttyACM0"},
            {"COM5", folder, "", "/dev/COM5"}};
        for (const auto& [name, links, variable, device] : cases) {
            qputenv("QTR318_COM2", variable.toLocal8Bit());
            QCOMPARE(PortNames::DevicePath(name, links), device);
        }
        qunsetenv("QTR318_COM2");
    }
};

QTEST_GUILESS_MAIN(TestSerialPort)
#include "test_serial_port.moc"
