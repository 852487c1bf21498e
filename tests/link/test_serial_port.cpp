// The Qt serial port against a pseudo-terminal: the read time-out rule, purge, exclusive open,
// the untouched 8-bit stream, and how COM names map to devices. Time bounds are generous; only
// gross misbehaviour (waiting out a time-out it should not, or returning too early) fails.

#include "port_names.h"
#include "pty_pair.h"
#include "qt_serial_port.h"

#include <QElapsedTimer>
#include <QTest>
#include <QThread>
#include <poll.h>

QByteArray PtyPair::receive(int size, int timeoutMs) const {
    QByteArray bytes;
    QElapsedTimer clock;
    clock.start();
    while (bytes.size() < size && clock.elapsed() < timeoutMs) {
        pollfd descriptor{m_master, POLLIN, 0};
        if (poll(&descriptor, 1, 20) > 0) {
            char buffer[512];
            const ssize_t count = read(m_master, buffer, sizeof buffer);
            if (count > 0) {
                bytes.append(buffer, static_cast<int>(count));
            }
        }
    }
    return bytes;
}

namespace {

QByteArray AllByteValues() {
    QByteArray bytes;
    for (int value = 0; value < 256; ++value) {
        bytes.append(static_cast<char>(value));
    }
    return bytes;
}

struct OpenPort {
    OpenPort() {
        opened = pty.isValid() && port.Open(pty.path());
        port.SetTimeouts(SerialTimeouts{});
        port.SetLine();
    }
    PtyPair pty;
    QtSerialPort port;
    bool opened = false;
};

} // namespace

class TestSerialPort : public QObject {
    Q_OBJECT

private slots:
    void readStopsAtGapAfterFirstBytes() {
        OpenPort line;
        QVERIFY(line.opened);
        // Six bytes, a pause well over the 30 ms gap, six more.
        QThread* sender = QThread::create([&line] {
            QThread::msleep(20);
            line.pty.send("ABCDEF");
            QThread::msleep(150);
            line.pty.send("GHIJKL");
        });
        sender->start();
        std::uint8_t buffer[12] = {};
        QCOMPARE(line.port.Read(buffer, 12), 6);
        QCOMPARE(QByteArray(reinterpret_cast<char*>(buffer), 6), QByteArray("ABCDEF"));
        sender->wait();
        delete sender;
        // The rest stays queued for the next read.
        QCOMPARE(line.port.Read(buffer, 6), 6);
        QCOMPARE(QByteArray(reinterpret_cast<char*>(buffer), 6), QByteArray("GHIJKL"));
    }

    void readOfNothingWaitsItsTotalTime() {
        OpenPort line;
        QVERIFY(line.opened);
        std::uint8_t byte = 0;
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(line.port.Read(&byte, 1), 0);
        const qint64 elapsed = clock.elapsed();
        QVERIFY2(elapsed >= 180 && elapsed < 1500, qPrintable(QString::number(elapsed)));
    }

    void completeReadReturnsWithoutWaitingOutTheGap() {
        OpenPort line;
        QVERIFY(line.opened);
        // Twenty one-byte reads whose byte is already there: each waiting out a 30 ms gap
        // would take 600 ms.
        line.pty.send(QByteArray(20, '\x06'));
        QTest::qWait(50);
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < 20; ++i) {
            std::uint8_t byte = 0;
            QCOMPARE(line.port.Read(&byte, 1), 1);
            QCOMPARE(byte, std::uint8_t{0x06});
        }
        QVERIFY2(clock.elapsed() < 400, qPrintable(QString::number(clock.elapsed())));
    }

    void purgeDropsUnreadInput() {
        OpenPort line;
        QVERIFY(line.opened);
        line.pty.send("\x06\x06\x06");
        QTest::qWait(50);
        line.port.Purge();
        std::uint8_t byte = 0;
        QCOMPARE(line.port.Read(&byte, 1), 0);
    }

    void everyByteValuePassesUnchanged() {
        OpenPort line;
        QVERIFY(line.opened);
        const QByteArray all = AllByteValues();
        line.pty.send(all);
        std::uint8_t buffer[256] = {};
        QCOMPARE(line.port.Read(buffer, 256), 256);
        QCOMPARE(QByteArray(reinterpret_cast<char*>(buffer), 256), all);

        QCOMPARE(line.port.Write(reinterpret_cast<const std::uint8_t*>(all.constData()), 256), 256);
        QCOMPARE(line.pty.receive(256, 2000), all);
    }

    void portIsExclusiveAndCloses() {
        OpenPort line;
        QVERIFY(line.opened);
        QtSerialPort second;
        QVERIFY(!second.Open(line.pty.path()));
        QVERIFY(!second.OpenError().isEmpty());
        line.port.Close();
        QVERIFY(!line.port.IsOpen());
        QVERIFY(second.Open(line.pty.path()));
    }

    void missingDeviceGivesTheSystemsReason() {
        QtSerialPort port;
        QVERIFY(!port.Open(QStringLiteral("/dev/qtr318-no-such-port")));
        QVERIFY(!port.OpenError().isEmpty());
        QVERIFY(!port.IsOpen());
    }

    void comNamesMapToDevices() {
        qputenv("QTR318_COM2", "/dev/pts/77");
        qunsetenv("QTR318_COM3");
        QCOMPARE(PortNames::DevicePath("COM2"), QString("/dev/pts/77"));
        QCOMPARE(PortNames::DevicePath("COM1"), QString("/dev/ttyUSB0"));
        QCOMPARE(PortNames::DevicePath("COM3"), QString("/dev/ttyUSB2"));
        QCOMPARE(PortNames::DevicePath("COM4"), QString("/dev/ttyUSB3"));
        QCOMPARE(PortNames::DevicePath("/dev/ttyACM0"), QString("/dev/ttyACM0"));
        QCOMPARE(PortNames::DevicePath("COM5"), QString("COM5"));
        QCOMPARE(PortNames::DevicePath("com1"), QString("com1"));
        QCOMPARE(PortNames::Choices().size(), 4);
        QCOMPARE(PortNames::DefaultPortName(), QString("COM1"));
        qunsetenv("QTR318_COM2");
    }
};

QTEST_GUILESS_MAIN(TestSerialPort)
#include "test_serial_port.moc"
