#include "wire_pacer.h"

#include <algorithm>

void WirePacer::Arrived(int count) {
    m_inputDone = std::max(m_inputDone, Clock::now()) + count * kByteTime;
}

void WirePacer::Queue(const QByteArray& answer) {
    if (answer.isEmpty()) {
        return;
    }
    if (m_queue.isEmpty()) {
        m_outputDone = std::max(m_outputDone, m_inputDone);
        m_nextDue = m_outputDone + kByteTime;
    }
    m_queue.append(answer);
    m_outputDone = std::max(m_outputDone, m_inputDone) + answer.size() * kByteTime;
}

QByteArray WirePacer::TakeDue() {
    if (!m_paced) {
        QByteArray all;
        all.swap(m_queue);
        return all;
    }
    const Clock::time_point now = Clock::now();
    int due = 0;
    while (due < m_queue.size() && m_nextDue <= now) {
        ++due;
        m_nextDue += kByteTime;
    }
    const QByteArray taken = m_queue.left(due);
    m_queue.remove(0, due);
    return taken;
}

std::chrono::nanoseconds WirePacer::UntilDue(std::chrono::nanoseconds ceiling) const {
    if (m_queue.isEmpty()) {
        return ceiling;
    }
    if (!m_paced) {
        return std::chrono::nanoseconds::zero();
    }
    const auto wait =
        std::chrono::duration_cast<std::chrono::nanoseconds>(m_nextDue - Clock::now());
    return std::clamp(wait, std::chrono::nanoseconds::zero(), ceiling);
}
