// The Qt serial port against a pseudo-terminal: the read time-out rule, purge, exclusive open,
// and how COM names map to devices (the untouched 8-bit stream is left to the end-to-end command
// test). Time bounds are generous; only gross misbehaviour (waiting out a time-out it should not,
// or returning too early) fails.

#include "port_names.h"
#include "qt_serial_port.h"

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

QByteArray ReadPort(QtSerialPort& port, int count) {
    QByteArray bytes(count, '\0');
    return bytes.left(port.Read(reinterpret_cast<std::uint8_t*>(bytes.data()), count));
}

} // namespace

class TestSerialPort : public QObject {
    Q_OBJECT

private slots:
    void readStopsAtGapAfterFirstBytes() {
        PtyLine line;
        QVERIFY(!line.path.isEmpty());
        // Six bytes, a pause well over the 30 ms gap, six more.
        std::unique_ptr<QThread> sender(QThread::create([&line] {
            QThread::msleep(20);
            line.send("ABCDEF");
            QThread::msleep(150);
            line.send("GHIJKL");
        }));
        sender->start();
        QCOMPARE(ReadPort(line.port, 12), QByteArray("ABCDEF"));
        sender->wait();
        QCOMPARE(ReadPort(line.port, 6), QByteArray("GHIJKL")); // the rest stays queued
    }

    // The total time-out of a read grows with the bytes asked for (90 + 100 x n ms): a radio that
    // starts its answer late is still heard, and silence is waited out for the full time.
    void readWaitsForALateAnswer_data() {
        QTest::addColumn<int>("delay");   // ms from the read to the answer's first byte
        QTest::addColumn<int>("count");   // bytes asked for
        QTest::addColumn<int>("sent");    // bytes the other end sends, all at once
        QTest::addColumn<int>("minimum"); // ms the read must last at least
        QTest::addColumn<int>("maximum"); // ... and at most
        QTest::newRow("block answer 400 ms late") << 400 << 12 << 12 << 400 << 1290;
        QTest::newRow("ident reply 600 ms late") << 600 << 8 << 8 << 600 << 890;
        QTest::newRow("no answer to a block request") << 0 << 12 << 0 << 1250 << 2500;
    }
    void readWaitsForALateAnswer() {
        QFETCH(int, delay);
        QFETCH(int, count);
        QFETCH(int, sent);
        QFETCH(int, minimum);
        QFETCH(int, maximum);
        PtyLine line;
        QVERIFY(!line.path.isEmpty());
        const QByteArray answer = QByteArray("0123456789AB").left(sent);
        // In one piece: paced bytes would make a busy machine's scheduling gaps look like the
        // end of the answer, which the gap rule is about, not this one.
        std::unique_ptr<QThread> sender(QThread::create([&line, delay, answer] {
            QThread::msleep(static_cast<unsigned long>(delay));
            line.send(answer);
        }));
        QElapsedTimer clock;
        clock.start();
        sender->start();
        const QByteArray received = ReadPort(line.port, count);
        const qint64 elapsed = clock.elapsed();
        sender->wait();
        QCOMPARE(received, answer);
        QVERIFY2(elapsed >= minimum && elapsed <= maximum, QByteArray::number(elapsed));
    }

    void readsTakeWhatIsThereAndAPurgedLineTimesOut() {
        PtyLine line;
        QVERIFY(!line.path.isEmpty());
        // Twenty one-byte reads whose byte is already there: each waiting out a 30 ms gap
        // would take 600 ms.
        line.send(QByteArray(23, '\x06'));
        QTest::qWait(50);
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < 20; ++i) {
            QCOMPARE(ReadPort(line.port, 1), QByteArray("\x06"));
        }
        QVERIFY2(clock.elapsed() < 400, QByteArray::number(clock.elapsed()));
        line.port.Purge(); // three still queued
        clock.restart();
        QCOMPARE(ReadPort(line.port, 1), QByteArray());
        QVERIFY2(clock.elapsed() >= 180 && clock.elapsed() < 1500,
                 QByteArray::number(clock.elapsed()));
    }

    // Also by another name of the same device, and for root, whom the driver lets through.
    void portIsExclusiveUntilClosed() {
        PtyLine line;
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

    // COMn prefers the stable names of /dev/serial/by-id/ (sorted, the n-th link), falls back to
    // ttyUSB(n-1) and yields to QTR318_COMn; a name as qtr318 ports prints it lies in /dev.
    void comNamesMapToDevices_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("byId");
        QTest::addColumn<QString>("variable"); // QTR318_COM2
        QTest::addColumn<QString>("device");   // "@" stands for the by-id folder
        QTest::newRow("no links") << "COM1" << false << ""
                                  << "/dev/ttyUSB0";
        QTest::newRow("lower case") << "com3" << false << ""
                                    << "/dev/ttyUSB2";
        QTest::newRow("first link") << "COM1" << true << ""
                                    << "@/usb-1a86_A-if00-port0";
        QTest::newRow("second link") << "Com2" << true << ""
                                     << "@/usb-FTDI_B-if00-port0";
        QTest::newRow("more COMs than links") << "COM3" << true << ""
                                              << "/dev/ttyUSB2";
        QTest::newRow("variable wins") << "COM2" << true << "/dev/ttyS1"
                                       << "/dev/ttyS1";
        QTest::newRow("port name") << "ttyUSB0" << true << ""
                                   << "/dev/ttyUSB0";
        QTest::newRow("device path") << "/dev/ttyACM0" << true << ""
                                     << "/dev/ttyACM0";
        QTest::newRow("no such COM") << "COM5" << true << ""
                                     << "/dev/COM5";
    }

    void comNamesMapToDevices() {
        QFETCH(QString, name);
        QFETCH(bool, byId);
        QFETCH(QString, variable);
        QFETCH(QString, device);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString folder = dir.filePath("by-id");
        if (byId) {
            QVERIFY(QDir().mkpath(folder));
            // Created in the other order: the links' names decide, not their age.
            for (const char* link : {"usb-FTDI_B-if00-port0", "usb-1a86_A-if00-port0"}) {
                QVERIFY(QFile::link("/dev/null", folder + "/" + link));
            }
        }
        for (const char* unset : {"QTR318_COM1", "QTR318_COM3"}) {
            qunsetenv(unset);
        }
        qputenv("QTR318_COM2", variable.toLocal8Bit());
        QCOMPARE(PortNames::DevicePath(name, folder), QString(device).replace("@", folder));
        qunsetenv("QTR318_COM2");
        QVERIFY(PortNames::Choices().size() == 4 && PortNames::DefaultPortName() == "COM1");
    }
};

QTEST_GUILESS_MAIN(TestSerialPort)
#include "test_serial_port.moc"
