#include "stop_signals.h"

#include <QThread>
#include <atomic>

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

} // namespace Cli
