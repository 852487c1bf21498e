#pragma once

#include <QByteArray>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

// A raw pseudo-terminal whose device end the serial port under test opens; the test talks
// through the master end.
class PtyPair {
public:
    PtyPair() {
        m_master = posix_openpt(O_RDWR | O_NOCTTY);
        if (m_master < 0 || grantpt(m_master) != 0 || unlockpt(m_master) != 0) {
            return;
        }
        termios settings{};
        tcgetattr(m_master, &settings);
        cfmakeraw(&settings);
        tcsetattr(m_master, TCSANOW, &settings);
        m_path = ptsname(m_master);
        // Holding the device end open keeps the line up while the port under test opens and
        // closes it.
        m_slave = open(m_path.constData(), O_RDWR | O_NOCTTY);
        tcgetattr(m_slave, &settings);
        cfmakeraw(&settings);
        tcsetattr(m_slave, TCSANOW, &settings);
    }
    ~PtyPair() {
        if (m_slave >= 0) {
            close(m_slave);
        }
        if (m_master >= 0) {
            close(m_master);
        }
    }
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    bool isValid() const { return m_master >= 0 && m_slave >= 0; }
    QString path() const { return QString::fromLatin1(m_path); }
    void send(const QByteArray& bytes) const {
        if (write(m_master, bytes.constData(), static_cast<size_t>(bytes.size())) < 0) {
            return;
        }
    }
    // Whatever the port sent, waiting up to timeoutMs for the first byte.
    QByteArray receive(int size, int timeoutMs) const;

private:
    int m_master = -1;
    int m_slave = -1;
    QByteArray m_path;
};
