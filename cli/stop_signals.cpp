#include "stop_signals.h"

#include <QByteArray>
#include <QThread>
#include <atomic>
#include <cerrno>
#include <poll.h>
#include <unistd.h>

namespace Cli {
namespace {

// Lock-free, so the handler may set it and every transfer thread read it.
std::atomic<int> g_stopSignal{0};

void RequestStop(int signal) {
    g_stopSignal = signal;
}

} // namespace

StopSignals::StopSignals() {
    g_stopSignal = 0;
    struct sigaction action {};
    action.sa_handler = RequestStop;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND;
    sigaction(SIGINT, &action, &m_oldInterrupt);
    sigaction(SIGTERM, &action, &m_oldTerminate);
}

StopSignals::~StopSignals() {
    sigaction(SIGINT, &m_oldInterrupt, nullptr);
    sigaction(SIGTERM, &m_oldTerminate, nullptr);
}

int StopSignal() {
    return g_stopSignal;
}

bool Pause(int ms) {
    constexpr int kStep = 50;
    for (int slept = 0; slept < ms && g_stopSignal == 0; slept += kStep) {
        QThread::msleep(kStep);
    }
    return g_stopSignal == 0;
}

namespace {

// Takes one line off the front of pending when it holds a whole one (or, at the input's end,
// whatever is left).
bool TakeLine(QByteArray& pending, bool atEnd, QString* line) {
    qsizetype end = pending.indexOf('\n');
    if (end < 0 && (!atEnd || pending.isEmpty())) {
        return false;
    }
    if (end < 0) {
        end = pending.size();
    }
    QByteArray text = pending.left(end);
    pending.remove(0, end + 1);
    if (text.endsWith('\r')) {
        text.chop(1);
    }
    *line = QString::fromUtf8(text);
    return true;
}

} // namespace

bool ReadInputLine(QString* line) {
    static QByteArray pending; // read past the last line handed out
    constexpr int kLookMs = 50;
    for (;;) {
        if (TakeLine(pending, false, line)) {
            return true;
        }
        if (g_stopSignal != 0) {
            return false;
        }
        pollfd input{STDIN_FILENO, POLLIN, 0};
        if (::poll(&input, 1, kLookMs) <= 0) {
            continue; // nothing yet, or interrupted by the signal looked at above
        }
        char buffer[4096];
        const ssize_t count = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            return TakeLine(pending, true, line);
        }
        pending.append(buffer, count);
    }
}

} // namespace Cli
