#include "wire_pacer.h"

#include <algorithm>
#include <cstdio>

void WirePacer::Arrived(int count) {
    const Clock::time_point now = Clock::now();
    if (m_answerOut) {
        const std::chrono::nanoseconds turnaround = now - m_answerOutAt;
        if (m_recent.size() < kRecentTurnarounds) {
            m_recent.push_back(turnaround);
        } else {
            m_recent[m_turnaroundCount % kRecentTurnarounds] = turnaround;
        }
        ++m_turnaroundCount;
        m_turnaroundTotal += turnaround;
        m_answerOut = false;
    }
    m_inputDone = std::max(m_inputDone, now) + count * kByteTime;
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
    const Clock::time_point now = Clock::now();
    int due = m_paced ? 0 : static_cast<int>(m_queue.size());
    while (due < m_queue.size() && m_nextDue <= now) {
        ++due;
        m_nextDue += kByteTime;
    }
    const QByteArray taken = m_queue.left(due);
    m_queue.remove(0, due);
    if (!taken.isEmpty() && m_queue.isEmpty()) {
        m_answerOut = true;
        m_answerOutAt = now;
        if (m_paced) {
            m_lateness += now - (m_nextDue - kByteTime);
        }
    }
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

QByteArray WirePacer::Statistics() const {
    using Micro = std::chrono::microseconds;
    std::vector<std::chrono::nanoseconds> sorted = m_recent;
    std::sort(sorted.begin(), sorted.end());
    const auto median = sorted.empty() ? std::chrono::nanoseconds{} : sorted[sorted.size() / 2];
    char text[200];
    std::snprintf(text, sizeof text,
                  "turnarounds %zu total %.1f ms median %lld us; answers late by %.1f ms in all",
                  m_turnaroundCount,
                  std::chrono::duration<double, std::milli>(m_turnaroundTotal).count(),
                  static_cast<long long>(std::chrono::duration_cast<Micro>(median).count()),
                  std::chrono::duration<double, std::milli>(m_lateness).count());
    return text;
}
