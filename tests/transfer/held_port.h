#pragma once

#include "qt_serial_port.h"

#include <QMutex>
#include <QWaitCondition>
#include <memory>

// Stops a transfer on the line once a chosen number of blocks is done, before the next frame goes
// out, until the test lets it go: the radio waits for that frame as long as it takes, so a test
// acts while the transfer is certainly under way however slowly the machine runs.
class BlockHold {
public:
    explicit BlockHold(int blocksDone) : m_block(blocksDone) {}

    // From the worker, before each block or end frame.
    void reached(int blocksDone) {
        QMutexLocker lock(&m_mutex);
        if (blocksDone != m_block) {
            return;
        }
        m_held = true;
        while (!m_released) {
            m_letGo.wait(&m_mutex);
        }
    }
    bool isHeld() const {
        QMutexLocker lock(&m_mutex);
        return m_held && !m_released;
    }
    void release() {
        QMutexLocker lock(&m_mutex);
        m_released = true;
        m_letGo.wakeAll();
    }

private:
    const int m_block;
    mutable QMutex m_mutex;
    QWaitCondition m_letGo;
    bool m_held = false;
    bool m_released = false;
};

// The real port with a hold in front of its block and end frames: each goes out in a write of
// four bytes (a write-block frame's data follows in a write of its own).
class HeldPort : public QtSerialPort {
public:
    explicit HeldPort(std::shared_ptr<BlockHold> hold) : m_hold(std::move(hold)) {}

    int Write(const std::uint8_t* bytes, int count) override {
        if (count == 4 && (bytes[0] == 'R' || bytes[0] == 'W' || bytes[0] == 'E')) {
            m_hold->reached(m_framesSent++);
        }
        return QtSerialPort::Write(bytes, count);
    }

private:
    std::shared_ptr<BlockHold> m_hold;
    int m_framesSent = 0;
};
