#include "qt_serial_port.h"

#include "port_diagnosis.h"
#include "port_names.h"
#include "read_deadline.h"

#include <QElapsedTimer>
#include <QFileInfo>

QtSerialPort::~QtSerialPort() {
    Close();
}

bool QtSerialPort::Open(const QString& portName) {
    Close();
    m_openError.clear();
    const QString device = PortNames::DevicePath(portName);
    // Qt takes a lock file named after the path it is given and asks the driver for exclusive
    // access, so a port another program holds fails here as it should. The driver lets root
    // through, so the lock must not depend on which name the device was reached by (a by-id
    // link, a COM name, the node itself): the node the name resolves to is what gets opened.
    const QString node = QFileInfo(device).canonicalFilePath();
    m_port.setPortName(node.isEmpty() ? device : node);
    if (!m_port.open(QIODevice::ReadWrite)) {
        m_openError =
            PortDiagnosis::Diagnose(portName, device, m_port.error(), m_port.errorString()).text;
        return false;
    }
    m_lowLatencyEnabled = m_lowLatency.Enable(static_cast<int>(m_port.handle()));
    return true;
}

void QtSerialPort::SetQueueSizes(int, int) {
    // The driver's queues are fixed on this system; the port's own buffer grows as needed, and
    // the protocol never has more than one answer in flight.
}

void QtSerialPort::SetLine() {
    // Qt opens the device raw (no translation, no echo); only the framing is set here.
    m_port.setBaudRate(QSerialPort::Baud9600);
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setParity(QSerialPort::NoParity);
    m_port.setStopBits(QSerialPort::OneStop);
    m_port.setFlowControl(QSerialPort::NoFlowControl);
}

void QtSerialPort::Purge() {
    if (m_port.isOpen()) {
        m_port.clear(QSerialPort::AllDirections);
    }
}

int QtSerialPort::Write(const std::uint8_t* bytes, int count) {
    if (!m_port.isOpen() || count <= 0) {
        return 0;
    }
    QElapsedTimer clock;
    clock.start();
    const qint64 limit = m_timeouts.writeTotalConstant +
                         static_cast<qint64>(m_timeouts.writeTotalMultiplier) * count;
    const qint64 accepted = m_port.write(reinterpret_cast<const char*>(bytes), count);
    if (accepted <= 0) {
        return 0;
    }
    // Without an event loop the bytes leave Qt's buffer only while we wait for them.
    while (m_port.bytesToWrite() > 0) {
        const qint64 remaining = limit - clock.elapsed();
        if (remaining <= 0 || !m_port.waitForBytesWritten(static_cast<int>(remaining))) {
            break;
        }
    }
    return static_cast<int>(accepted - m_port.bytesToWrite());
}

int QtSerialPort::TakeBuffered(std::uint8_t* buffer, int count) {
    const qint64 taken = m_port.read(reinterpret_cast<char*>(buffer), count);
    return taken > 0 ? static_cast<int>(taken) : 0;
}

int QtSerialPort::Read(std::uint8_t* buffer, int count) {
    if (!m_port.isOpen() || count <= 0) {
        return 0;
    }
    QElapsedTimer clock;
    clock.start();
    ReadDeadline deadline(m_timeouts, count);
    int received = 0;
    for (;;) {
        const int taken = TakeBuffered(buffer + received, count - received);
        if (taken > 0) {
            received += taken;
            deadline.BytesArrived(clock.elapsed());
        }
        if (received == count) {
            break;
        }
        const qint64 wait = deadline.At() - clock.elapsed();
        if (wait <= 0) {
            break;
        }
        if (!m_port.waitForReadyRead(static_cast<int>(wait))) {
            const QSerialPort::SerialPortError error = m_port.error();
            if (error != QSerialPort::NoError && error != QSerialPort::TimeoutError) {
                break; // the device went away; waiting longer cannot help
            }
            m_port.clearError();
        }
    }
    return received;
}

void QtSerialPort::Close() {
    if (m_port.isOpen()) {
        m_lowLatency.Restore();
        m_lowLatencyEnabled = false;
        m_port.close();
    }
}
