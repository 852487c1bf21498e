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
    m_outputDone = std::max(m_outputDone, m_inputDone) + answer.size() * kByteTime;
    m_queue.push_back({answer, m_outputDone});
}

QByteArray WirePacer::TakeDue() {
    const Clock::time_point now = Clock::now();
    QByteArray taken;
    while (!m_queue.empty() && (!m_paced || m_queue.front().due <= now)) {
        taken += m_queue.front().bytes;
        if (m_paced) {
            m_lateness += now - m_queue.front().due;
        }
        m_queue.pop_front();
    }
    if (!taken.isEmpty() && m_queue.empty()) {
        m_answerOut = true;
        m_answerOutAt = now;
    }
    return taken;
}

std::chrono::nanoseconds WirePacer::UntilDue(std::chrono::nanoseconds ceiling) const {
    if (m_queue.empty()) {
        return ceiling;
    }
    if (!m_paced) {
        return std::chrono::nanoseconds::zero();
    }
    const auto wait =
        std::chrono::duration_cast<std::chrono::nanoseconds>(m_queue.front().due - Clock::now());
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
