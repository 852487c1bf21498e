// The Qt serial port against a pseudo-terminal: the read time-out rule, purge, exclusive open,
// the untouched 8-bit stream, and how COM names map to devices. Time bounds are generous; only
// gross misbehaviour (waiting out a time-out it should not, or returning too early) fails.

#include "port_names.h"
#include "qt_serial_port.h"

#include <QElapsedTimer>
#include <QTest>
#include <QThread>
#include <numeric>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace {

// A raw pseudo-terminal: the port under test opens its device end, the test talks through the
// master end. Holding the device end open keeps the line up while the port opens and closes it.
struct PtyPair {
    PtyPair() {
        termios raw{};
        cfmakeraw(&raw);
        char name[128] = {};
        if (openpty(&master, &device, name, &raw, nullptr) == 0) {
            path = QString::fromLatin1(name);
        }
    }
    ~PtyPair() {
        close(device);
        close(master);
    }
    void send(const QByteArray& bytes) const {
        if (write(master, bytes.constData(), size_t(bytes.size())) < 0) {
            return;
        }
    }
    QByteArray receive(int size) const { // waits up to 2 s for each piece
        QByteArray bytes;
        pollfd descriptor{master, POLLIN, 0};
        char buffer[256];
        ssize_t count = 1;
        while (bytes.size() < size && count > 0 && poll(&descriptor, 1, 2000) > 0) {
            count = read(master, buffer, sizeof buffer);
            bytes.append(buffer, std::max<qsizetype>(count, 0));
        }
        return bytes;
    }

    int master = -1;
    int device = -1;
    QString path;
};

struct OpenPort {
    OpenPort() : opened(port.Open(pty.path)) {
        port.SetTimeouts(SerialTimeouts{});
        port.SetLine();
    }
    PtyPair pty;
    QtSerialPort port;
    bool opened;
};

QByteArray ReadPort(QtSerialPort& port, int count) {
    QByteArray bytes(count, '\0');
    return bytes.left(port.Read(reinterpret_cast<std::uint8_t*>(bytes.data()), count));
}

} // namespace

class TestSerialPort : public QObject {
    Q_OBJECT

private slots:
    void readStopsAtGapAfterFirstBytes() {
        OpenPort line;
        QVERIFY(line.opened);
        // Six bytes, a pause well over the 30 ms gap, six more.
        std::unique_ptr<QThread> sender(QThread::create([&line] {
            QThread::msleep(20);
            line.pty.send("ABCDEF");
            QThread::msleep(150);
            line.pty.send("GHIJKL");
        }));
        sender->start();
        QCOMPARE(ReadPort(line.port, 12), QByteArray("ABCDEF"));
        sender->wait();
        QCOMPARE(ReadPort(line.port, 6), QByteArray("GHIJKL")); // the rest stays queued
    }

    void purgedLineReadsNothingAfterItsTotalTime() {
        OpenPort line;
        QVERIFY(line.opened);
        line.pty.send("\x06\x06\x06");
        QTest::qWait(50);
        line.port.Purge();
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(ReadPort(line.port, 1), QByteArray());
        QVERIFY2(clock.elapsed() >= 180 && clock.elapsed() < 1500,
                 QByteArray::number(clock.elapsed()));
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
            QCOMPARE(ReadPort(line.port, 1), QByteArray("\x06"));
        }
        QVERIFY2(clock.elapsed() < 400, QByteArray::number(clock.elapsed()));
    }

    void everyByteValuePassesUnchanged() {
        OpenPort line;
        QVERIFY(line.opened);
        QByteArray all(256, '\0');
        std::iota(all.begin(), all.end(), 0);
        line.pty.send(all);
        QCOMPARE(ReadPort(line.port, 256), all);
        QCOMPARE(line.port.Write(reinterpret_cast<const std::uint8_t*>(all.constData()), 256), 256);
        QCOMPARE(line.pty.receive(256), all);
    }

    void openFailuresGiveTheSystemsReason() {
        OpenPort line;
        QVERIFY(line.opened);
        QtSerialPort second; // the port is exclusive until closed
        QVERIFY(!second.Open(line.pty.path));
        QVERIFY(!second.OpenError().isEmpty());
        line.port.Close();
        QVERIFY(!line.port.IsOpen());
        QVERIFY(second.Open(line.pty.path));

        QtSerialPort missing;
        QVERIFY(!missing.Open(QStringLiteral("/dev/qtr318-no-such-port")));
        QVERIFY(!missing.OpenError().isEmpty());
        QVERIFY(!missing.IsOpen());
    }

    void comNamesMapToDevices() {
        qputenv("QTR318_COM2", "/dev/pts/77");
        qunsetenv("QTR318_COM3");
        const QList<QPair<QString, QString>> names = {
            {"COM2", "/dev/pts/77"},  {"COM1", "/dev/ttyUSB0"},         {"COM3", "/dev/ttyUSB2"},
            {"COM4", "/dev/ttyUSB3"}, {"/dev/ttyACM0", "/dev/ttyACM0"}, {"COM5", "COM5"},
            {"com1", "com1"}};
        for (const auto& [name, device] : names) {
            QCOMPARE(PortNames::DevicePath(name), device);
        }
        QCOMPARE(PortNames::Choices().size(), 4);
        QCOMPARE(PortNames::DefaultPortName(), QString("COM1"));
        qunsetenv("QTR318_COM2");
    }
};

QTEST_GUILESS_MAIN(TestSerialPort)
#include "test_serial_port.moc"
