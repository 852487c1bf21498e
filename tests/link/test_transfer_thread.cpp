// The window's transfer thread against an in-process radio: what it asks waits for the window's
// answer with the port still open, and it never outlives its owner, even while a question waits.

#include "transfer_bench.h"
#include "transfer_thread.h"

#include <QSignalSpy>
#include <QTest>

namespace {

// The worker's port: the bench's scripted line, which the test keeps and can look at.
class ForwardingPort : public SerialPort {
public:
    explicit ForwardingPort(SerialPort& line) : m_line(line) {}
    bool Open(const QString& name) override { return m_line.Open(name); }
    QString OpenError() const override { return m_line.OpenError(); }
    bool IsOpen() const override { return m_line.IsOpen(); }
    void SetQueueSizes(int in, int out) override { m_line.SetQueueSizes(in, out); }
    void SetTimeouts(const SerialTimeouts& timeouts) override { m_line.SetTimeouts(timeouts); }
    void SetLine() override { m_line.SetLine(); }
    void Purge() override { m_line.Purge(); }
    int Write(const std::uint8_t* bytes, int count) override { return m_line.Write(bytes, count); }
    int Read(std::uint8_t* buffer, int count) override { return m_line.Read(buffer, count); }
    void Close() override { m_line.Close(); }

private:
    SerialPort& m_line;
};

TransferThread::Job Read(const MemoryImage& image) {
    return {"COM1", TransferDirection::Read, image, false};
}

} // namespace

class TestTransferThread : public QObject {
    Q_OBJECT

private slots:
    // Each question is answered on this thread while the worker waits with the port open; what
    // was answered decides how the transfer ends.
    void questionsWaitForTheWindow() {
        using Result = TransferOutcome::Result;
        const QString retry = "retry|通信错误";
        // program-mode requests ignored, NAK at frame, what is asked, how it ends
        const QList<std::tuple<int, int, QStringList, Result>> cases = {
            {6, 0, {retry, retry}, Result::Succeeded},         // Retry twice
            {-1, 0, {retry, retry, retry}, Result::Cancelled}, // then Cancel
            {0, 3, {"report|通信错误"}, Result::Failed}};
        for (const auto& [ignored, nakAt, asked, result] : cases) {
            Bench bench({"QT318", ignored, nakAt,
                         nakAt ? SimulatedRadio::Fault::Nak : SimulatedRadio::Fault::None});
            TransferThread worker;
            worker.setPortFactory([&] { return std::make_unique<ForwardingPort>(bench.port); });
            QStringList seen;
            int retries = 2; // then Cancel
            const auto note = [&](const QString& what) {
                seen << (bench.port.IsOpen() ? what : "closed|" + what);
            };
            connect(&worker, &TransferThread::retryAsked, this,
                    [&](TransferThread::Phase, const QString&, const QString& text) {
                        note("retry|" + text);
                        worker.answerRetry(retries-- > 0);
                    });
            connect(&worker, &TransferThread::messageReported, this,
                    [&](TransferThread::Phase, const QString& text, int, const QString&) {
                        note("report|" + text);
                        worker.messageDismissed();
                    });
            QSignalSpy finished(&worker, &TransferThread::transferFinished);
            QVERIFY(worker.startJob(Read(bench.image)));
            QVERIFY(finished.wait(10000));
            const auto done = finished.at(0).at(0).value<TransferThread::Result>();
            QCOMPARE(seen, asked);
            QVERIFY(done.outcome.result == result && bench.port.closes == 1);
            // A completed read brings the radio's blocks; any other ending the image as it went.
            QVERIFY(done.image == (done.outcome.succeeded()
                                       ? WithBlocksOf(bench.image, bench.radio.memory())
                                       : bench.image));
        }
    }

    // The window goes while the worker waits for an answer that will never come: the worker is
    // told Cancel, closes the port and ends (waiting for ever instead would hang the test).
    void destroyedWhileAsking() {
        Bench bench({"QT318", -1});
        {
            TransferThread worker;
            worker.setPortFactory([&] { return std::make_unique<ForwardingPort>(bench.port); });
            QSignalSpy asked(&worker, &TransferThread::retryAsked);
            QVERIFY(worker.startJob(Read(bench.image)));
            QVERIFY(asked.wait(30000));
        }
        QVERIFY(bench.port.closes == 1 && !bench.port.IsOpen());
    }
};

QTEST_GUILESS_MAIN(TestTransferThread)
#include "test_transfer_thread.moc"
