#pragma once

#include "low_latency.h"
#include "serial_port.h"

#include <QSerialPort>

// SerialPort on Qt Serial Port, used without an event loop: every operation waits on the device
// itself, so the transfer keeps its strict request/answer timing.
class QtSerialPort : public SerialPort {
public:
    QtSerialPort() : QtSerialPort(KernelSerialDriver::Instance()) {}
    explicit QtSerialPort(SerialDriver& driver) : m_lowLatency(driver) {}
    ~QtSerialPort() override;

    bool Open(const QString& portName) override;
    QString OpenError() const override { return m_openError; }
    bool IsOpen() const override { return m_port.isOpen(); }
    void SetQueueSizes(int inputBytes, int outputBytes) override;
    void SetTimeouts(const SerialTimeouts& timeouts) override { m_timeouts = timeouts; }
    void SetLine() override;
    void Purge() override;
    int Write(const std::uint8_t* bytes, int count) override;
    int Read(std::uint8_t* buffer, int count) override;
    void Close() override;

    // Whether the driver took low-latency mode when the port opened.
    bool LowLatencyEnabled() const { return m_lowLatencyEnabled; }

private:
    int TakeBuffered(std::uint8_t* buffer, int count);

    QSerialPort m_port;
    SerialTimeouts m_timeouts;
    QString m_openError;
    LowLatency m_lowLatency;
    bool m_lowLatencyEnabled = false;
};
