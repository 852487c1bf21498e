#pragma once

#include <QByteArray>
#include <chrono>
#include <deque>
#include <vector>

// Holds the simulated radio's answers back as a 9600-baud line would: every byte takes ten bit
// times (1/960 s), and an answer starts crossing only once the request has fully crossed the line
// and the answer before it has left. Each answer is handed over whole at the moment its last byte
// has crossed: released byte by byte, a simulator scheduled late in the middle of an answer would
// leave a gap in it that no line at this speed has, and the program would rightly take the gap for
// the end of the answer. Unpaced, answers go out at once.
class WirePacer {
public:
    using Clock = std::chrono::steady_clock;

    explicit WirePacer(bool paced) : m_paced(paced) {}

    // count bytes were just taken from the line.
    void Arrived(int count);
    void Queue(const QByteArray& answer);
    // The answers whose time has come, each whole.
    QByteArray TakeDue();
    // How long until the next answer is due, at most ceiling.
    std::chrono::nanoseconds UntilDue(std::chrono::nanoseconds ceiling) const;

    // Where the time of the sessions went: how long the program took from the last byte of an
    // answer leaving here to its next request arriving (the pseudo-terminal's kernel transit
    // both ways included), and how late the answers left against their due time.
    // The count and total cover every turnaround, the median the latest kRecentTurnarounds.
    QByteArray Statistics() const;

    // A radio left running serves session after session; what it keeps must not grow with them.
    static constexpr std::size_t kRecentTurnarounds = 1024;

private:
    static constexpr Clock::duration kByteTime =
        std::chrono::duration_cast<Clock::duration>(std::chrono::nanoseconds(1000000000 / 960));

    bool m_paced;
    Clock::time_point m_inputDone{};  // when the last received byte finished arriving
    Clock::time_point m_outputDone{}; // when the last queued byte finishes leaving
    struct Answer {
        QByteArray bytes;
        Clock::time_point due; // when its last byte has crossed the line
    };
    std::deque<Answer> m_queue;
    bool m_answerOut = false; // an answer went out and no request has come since
    Clock::time_point m_answerOutAt{};
    std::vector<std::chrono::nanoseconds> m_recent; // a ring of the latest turnarounds
    std::size_t m_turnaroundCount = 0;
    std::chrono::nanoseconds m_turnaroundTotal{};
    std::chrono::nanoseconds m_lateness{};
};
