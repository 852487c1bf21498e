#include "cable_latency.h"

#include <algorithm>

void CableLatency::Hold(const QByteArray& bytes) {
    for (const char byte : bytes) {
        if (m_held.isEmpty()) {
            m_since = Clock::now();
        }
        m_held.append(byte);
        if (m_held.size() == kBufferBytes) {
            m_full.append(m_held);
            m_held.clear();
        }
    }
}

QByteArray CableLatency::TakeReleased() {
    QByteArray released = m_full;
    m_full.clear();
    if (!m_held.isEmpty() && Clock::now() - m_since >= m_timer) {
        released.append(m_held);
        m_held.clear();
    }
    return released;
}

std::chrono::nanoseconds CableLatency::UntilRelease(std::chrono::nanoseconds ceiling) const {
    if (!m_full.isEmpty()) {
        return std::chrono::nanoseconds::zero();
    }
    if (m_held.isEmpty()) {
        return ceiling;
    }
    const auto wait =
        std::chrono::duration_cast<std::chrono::nanoseconds>(m_since + m_timer - Clock::now());
    return std::clamp(wait, std::chrono::nanoseconds::zero(), ceiling);
}
