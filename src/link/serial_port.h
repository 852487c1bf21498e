#pragma once

#include <QString>
#include <cstdint>

// Read and write time-outs in milliseconds. A read of n bytes ends when all n are in, when no
// byte follows the last one within readInterval, or after readTotalConstant +
// readTotalMultiplier * n in all; a write of n bytes may take writeTotalConstant +
// writeTotalMultiplier * n.
struct SerialTimeouts {
    int readInterval = 30;
    int readTotalMultiplier = 100;
    int readTotalConstant = 90;
    int writeTotalMultiplier = 100;
    int writeTotalConstant = 50;
};

// The only way the transfer reaches the serial line. Every call blocks until done; a read that
// runs out of time is not an error, it simply returns fewer bytes than asked for.
class SerialPort {
public:
    virtual ~SerialPort() = default;

    // Exclusive use of the named port ("COM1".."COM4" or a device path).
    virtual bool Open(const QString& portName) = 0;
    // Why the last Open failed and what the user can do about it, naming the device.
    virtual QString OpenError() const = 0;
    virtual bool IsOpen() const = 0;

    virtual void SetQueueSizes(int inputBytes, int outputBytes) = 0;
    virtual void SetTimeouts(const SerialTimeouts& timeouts) = 0;
    // 9600 baud, 8 data bits, no parity, one stop bit, no translation, no flow control.
    virtual void SetLine() = 0;
    // Drops unread input and unsent output.
    virtual void Purge() = 0;
    // Returns the count handed to the line.
    virtual int Write(const std::uint8_t* bytes, int count) = 0;
    // Returns the count received, 0..count.
    virtual int Read(std::uint8_t* buffer, int count) = 0;
    virtual void Close() = 0;
};
