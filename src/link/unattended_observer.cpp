#include "unattended_observer.h"

#include <algorithm>

void UnattendedObserver::SetPatience(int patienceMs, int retries) {
    m_patienceMs = patienceMs;
    m_retriesLeft = retries;
    m_clock.start();
}

void UnattendedObserver::SetProgressRange(int low, int high) {
    m_low = low;
    m_high = high;
    m_position = low;
}

void UnattendedObserver::StepProgress() {
    m_position = std::min(m_high, m_position + 1);
    ProgressShown(m_position - m_low, m_high - m_low);
}

bool UnattendedObserver::AskRetry(const QString&, const QString&) {
    if (CancelRequested()) {
        return false;
    }
    if (m_clock.isValid() && m_clock.elapsed() < m_patienceMs) {
        return true;
    }
    if (m_retriesLeft == 0) {
        return false;
    }
    --m_retriesLeft;
    return true;
}
