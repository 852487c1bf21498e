#pragma once

#include "serial_port.h"

#include <QtGlobal>
#include <algorithm>

// When a read of count bytes gives up, in milliseconds from its start: at the total limit, or
// once some bytes are in, when no more follow the latest of them within the gap limit. An answer
// that starts late is still heard in full, however many pieces the line hands it over in.
class ReadDeadline {
public:
    ReadDeadline(const SerialTimeouts& timeouts, int count)
        : m_gapLimit(timeouts.readInterval),
          m_total(timeouts.readTotalConstant + qint64{timeouts.readTotalMultiplier} * count),
          m_at(m_total) {}

    // Bytes were taken elapsed ms after the read began.
    void BytesArrived(qint64 elapsed) { m_at = std::min(m_total, elapsed + m_gapLimit); }
    qint64 At() const { return m_at; }

private:
    qint64 m_gapLimit;
    qint64 m_total;
    qint64 m_at;
};
