#include "transfer_thread.h"

#include "qt_serial_port.h"

#include <QElapsedTimer>

// The engine's view of the window, from the worker: everything it shows becomes a signal, and
// what it asks waits for the window's answer.
class TransferThread::Observer : public TransferObserver {
public:
    Observer(TransferThread& thread, Phase phase) : m_thread(thread), m_phase(phase) {
        m_clock.start();
    }

    void SetProgressRange(int low, int high) override {
        m_position = low;
        emit m_thread.progressRangeSet(low, high);
    }
    // The engine shows the count after every step: one signal carries both, so the window has
    // half as many events to handle per block.
    void StepProgress() override { ++m_position; }
    int ProgressPosition() const override { return m_position; }
    void SetProgressText(const QString& text) override {
        emit m_thread.progressShown(m_position, text);
    }

    // The window's events run on its own thread; the worker has none to pump.
    void PumpEvents() override {}
    bool CancelRequested() const override { return m_thread.m_cancel; }

    bool AskRetry(const QString& caption, const QString& text) override {
        if (m_thread.m_cancel) {
            return false;
        }
        if (m_phase == Phase::ReadBack && m_clock.elapsed() < kReadBackPatienceMs) {
            return true;
        }
        m_thread.prepareQuestion();
        emit m_thread.retryAsked(m_phase, caption, text);
        return m_thread.waitForAnswer();
    }
    void ReportMessage(const QString& text, int severity, const QString& detail) override {
        m_thread.prepareQuestion();
        emit m_thread.messageReported(m_phase, text, severity, detail);
        m_thread.waitForAnswer();
    }

private:
    TransferThread& m_thread;
    Phase m_phase;
    int m_position = 0;
    QElapsedTimer m_clock;
};

TransferThread::TransferThread(QObject* parent) : QThread(parent) {
    qRegisterMetaType<TransferThread::Result>();
    qRegisterMetaType<TransferThread::Phase>();
    m_portFactory = [] { return std::make_unique<QtSerialPort>(); };
}

TransferThread::~TransferThread() {
    m_cancel = true;
    {
        QMutexLocker lock(&m_mutex);
        m_abandoned = true;
        m_answerReady.wakeAll();
    }
    wait();
}

bool TransferThread::startJob(const Job& job) {
    if (isRunning()) {
        return false;
    }
    wait(); // a worker that has just returned is joined before its members are reused
    m_job = job;
    m_cancel = false;
    {
        QMutexLocker lock(&m_mutex);
        m_abandoned = false;
        m_answered = false;
    }
    start();
    return true;
}

void TransferThread::answerRetry(bool retry) {
    QMutexLocker lock(&m_mutex);
    m_answer = retry;
    m_answered = true;
    m_answerReady.wakeAll();
}

void TransferThread::messageDismissed() {
    answerRetry(true);
}

void TransferThread::prepareQuestion() {
    QMutexLocker lock(&m_mutex);
    m_answered = false;
}

bool TransferThread::waitForAnswer() {
    QMutexLocker lock(&m_mutex);
    while (!m_answered && !m_abandoned) {
        m_answerReady.wait(&m_mutex);
    }
    m_answered = false;
    return m_answer && !m_abandoned;
}

TransferOutcome TransferThread::runEngine(Phase phase, MemoryImage& image,
                                          TransferDirection direction) {
    emit phaseStarted(phase);
    const std::unique_ptr<SerialPort> port = m_portFactory();
    Observer observer(*this, phase);
    TransferEngine engine(*port, observer);
    return engine.Run(m_job.portName, image, direction);
}

void TransferThread::run() {
    Result result;
    result.direction = m_job.direction;
    result.image = m_job.image;
    result.outcome = runEngine(Phase::Transfer, result.image, m_job.direction);
    if (m_job.readBack && m_job.direction == TransferDirection::Write &&
        result.outcome.succeeded() && !m_cancel) {
        result.readBackRun = true;
        result.readBackImage = m_job.image;
        result.readBackOutcome =
            runEngine(Phase::ReadBack, result.readBackImage, TransferDirection::Read);
    }
    emit transferFinished(result);
}
