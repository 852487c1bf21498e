#pragma once

#include "memory_image.h"
#include "serial_port.h"
#include "transfer_engine.h"

#include <QMetaType>
#include <QMutex>
#include <QThread>
#include <QWaitCondition>
#include <atomic>
#include <functional>
#include <memory>

// One transfer of the window at a time, on a thread of its own, so that nothing the window does
// (a modal box, a long repaint) can hold up the radio. Progress and the end of the transfer
// reach the window by queued signals. The two questions the engine puts to the user (Retry or
// Cancel; the OK of a failure report) are signals too: the worker waits until the window answers
// with answerRetry() or messageDismissed(), so the port stays open while the user reads.
class TransferThread : public QThread {
    Q_OBJECT
public:
    enum class Phase { Transfer, ReadBack };

    struct Job {
        QString portName;
        TransferDirection direction = TransferDirection::Read;
        // What is written; for a read, what the bytes that never travel keep.
        MemoryImage image;
        // A write that succeeds is followed by a read, whose result comes back for comparing.
        bool readBack = false;
    };

    struct Result {
        TransferDirection direction = TransferDirection::Read;
        TransferOutcome outcome;
        // A completed read: the image with the radio's blocks; otherwise the job's image.
        MemoryImage image;
        bool readBackRun = false;
        TransferOutcome readBackOutcome;
        MemoryImage readBackImage; // the written image with the blocks read back
    };

    using PortFactory = std::function<std::unique_ptr<SerialPort>()>;

    // How long a read-back retries program mode quietly before it asks: a radio may take a
    // moment after a write before it talks again.
    static constexpr int kReadBackPatienceMs = 5000;

    explicit TransferThread(QObject* parent = nullptr);
    // Cancels a transfer under way, answers a waiting question with Cancel and waits until the
    // port is closed.
    ~TransferThread() override;

    // The port the worker opens; a QtSerialPort unless a test gives another.
    void setPortFactory(PortFactory factory) { m_portFactory = std::move(factory); }

    // Starts job on the worker; false (and nothing starts) while one is still running.
    bool startJob(const Job& job);
    // The transfer stops at its next block; safe from any thread.
    void requestCancel() { m_cancel = true; }

    // The window's answers to retryAsked() and messageReported().
    void answerRetry(bool retry);
    void messageDismissed();

signals:
    void phaseStarted(TransferThread::Phase phase);
    void progressRangeSet(int low, int high);
    // The bar's position and the count beside it, once per block.
    void progressShown(int position, const QString& text);
    void retryAsked(TransferThread::Phase phase, const QString& caption, const QString& text);
    void messageReported(TransferThread::Phase phase, const QString& text, int severity,
                         const QString& detail);
    // The worker is done and the port closed.
    void transferFinished(const TransferThread::Result& result);

protected:
    void run() override;

private:
    class Observer;
    friend class Observer;

    TransferOutcome runEngine(Phase phase, MemoryImage& image, TransferDirection direction);
    // Waits for the window's answer to the question just signalled; false once abandoned.
    bool waitForAnswer();
    void prepareQuestion();

    PortFactory m_portFactory;
    Job m_job;
    std::atomic<bool> m_cancel{false};

    QMutex m_mutex;
    QWaitCondition m_answerReady;
    bool m_answered = false;
    bool m_answer = false;
    bool m_abandoned = false;
};

Q_DECLARE_METATYPE(TransferThread::Result)
