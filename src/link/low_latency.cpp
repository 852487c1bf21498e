#include "low_latency.h"

#include <linux/serial.h>
#include <sys/ioctl.h>

bool KernelSerialDriver::ReadFlags(int fd, int& flags) {
    serial_struct serial{};
    if (::ioctl(fd, TIOCGSERIAL, &serial) != 0) {
        return false;
    }
    flags = serial.flags;
    return true;
}

bool KernelSerialDriver::WriteFlags(int fd, int flags) {
    // The driver takes the whole structure back; everything but the flags stays as it was.
    serial_struct serial{};
    if (::ioctl(fd, TIOCGSERIAL, &serial) != 0) {
        return false;
    }
    serial.flags = flags;
    return ::ioctl(fd, TIOCSSERIAL, &serial) == 0;
}

KernelSerialDriver& KernelSerialDriver::Instance() {
    static KernelSerialDriver driver;
    return driver;
}

int LowLatency::Flag() {
    return ASYNC_LOW_LATENCY;
}

bool LowLatency::Enable(int fd) {
    Restore();
    int flags = 0;
    if (fd < 0 || !m_driver.ReadFlags(fd, flags)) {
        return false;
    }
    if ((flags & Flag()) != 0) {
        return true; // already so: nothing to put back
    }
    if (!m_driver.WriteFlags(fd, flags | Flag())) {
        return false;
    }
    m_fd = fd;
    m_savedFlags = flags;
    return true;
}

void LowLatency::Restore() {
    if (m_fd >= 0) {
        m_driver.WriteFlags(m_fd, m_savedFlags);
        m_fd = -1;
    }
}
