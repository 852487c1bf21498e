#pragma once

// A USB serial adapter holds received bytes back for its latency timer (16 ms on FTDI chips)
// before passing them on. The protocol is a strict ping-pong of short frames, so that wait is
// paid on every answer; drivers that know low-latency mode drop it. The driver is reached
// through SerialDriver so that what the port asks of it can be checked without a cable.

// The driver's flag word of an open serial device.
class SerialDriver {
public:
    virtual ~SerialDriver() = default;
    // False when the driver keeps no such flags (pseudo-terminals, many adapters).
    virtual bool ReadFlags(int fd, int& flags) = 0;
    virtual bool WriteFlags(int fd, int flags) = 0;
};

// The kernel's serial driver interface (TIOCGSERIAL / TIOCSSERIAL).
class KernelSerialDriver : public SerialDriver {
public:
    bool ReadFlags(int fd, int& flags) override;
    bool WriteFlags(int fd, int flags) override;
    // The driver always there for ports that are given none.
    static KernelSerialDriver& Instance();
};

// Low-latency mode for as long as a port is open: Enable when it opened, Restore before it
// closes, so the device is left as other programs expect it. A driver that refuses is no
// failure: the port works as before, only slower on some cables.
class LowLatency {
public:
    explicit LowLatency(SerialDriver& driver) : m_driver(driver) {}

    // True when the port now runs in low-latency mode.
    bool Enable(int fd);
    void Restore();

    static int Flag(); // the low-latency bit of the flag word

private:
    SerialDriver& m_driver;
    int m_fd = -1; // the device whose flags were changed, or -1
    int m_savedFlags = 0;
};
