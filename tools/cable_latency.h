#pragma once

#include <QByteArray>
#include <chrono>

// The radio's answers as a USB serial cable with a latency timer hands them on: received bytes
// wait in the chip until the timer has run since the first of them, or until its 62-byte buffer
// is full. With the timer at 0 every byte passes at once.
class CableLatency {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr int kBufferBytes = 62;

    explicit CableLatency(std::chrono::milliseconds timer) : m_timer(timer) {}

    // Bytes the radio just put on the line.
    void Hold(const QByteArray& bytes);
    // The bytes the cable passes on now.
    QByteArray TakeReleased();
    // How long until held bytes are passed on, at most ceiling.
    std::chrono::nanoseconds UntilRelease(std::chrono::nanoseconds ceiling) const;

private:
    std::chrono::milliseconds m_timer;
    QByteArray m_full;         // whole buffers, passed on at the next chance
    QByteArray m_held;         // the buffer still filling
    Clock::time_point m_since; // when m_held's first byte came in
};
