// The transfer engine against an in-process line: wire format, the failure table, program-mode
// retries, cancel, and what a read leaves in the image.

#include "transfer_bench.h"
#include "wire_pacer.h"

#include <QTest>
#include <malloc.h>
#include <thread>

namespace {

using Result = TransferOutcome::Result;
using Port = ScriptedPort;

QByteArray Frame(char command, int address) {
    const char frame[] = {command, char(address >> 8), char(address & 0xFF), 8};
    return QByteArray(frame, 4);
}

// Everything a session that goes through writes, one entry per write: the program-mode request
// one byte at a time, then per block its request and the ack of its data, or header and data.
QList<QByteArray> SessionWrites(bool write, const MemoryImage& image = {}) {
    QList<QByteArray> writes = {"\x02", "P", "R", "O", "G", "R", "A", "M\x02", "\x06"};
    for (int address : BlockWalk::kAddresses) {
        writes << Frame(write ? 'W' : 'R', address)
               << (write ? QByteArray(reinterpret_cast<const char*>(&image.bytes()[address]), 8)
                         : QByteArray("\x06"));
    }
    return writes << (write ? "ENDW" : "ENDR");
}

const QByteArray kProgramRequest("\x02PROGRA", 7);

// A line with a clock of its own, in milliseconds, for a radio that is slow to answer program
// mode: reads follow the time-out rule against that clock, so a slow radio is tried without
// waiting for it. The radio answers its requests in order, each answer leaving once the one
// before it has.
class ClockedLine : public SerialPort {
public:
    ClockedLine(SimulatedRadio& radio, int programModeDelay)
        : m_radio(radio), m_programModeDelay(programModeDelay) {}

    bool Open(const QString&) override { return m_open = true; }
    QString OpenError() const override { return QString(); }
    bool IsOpen() const override { return m_open; }
    void SetQueueSizes(int, int) override {}
    void SetTimeouts(const SerialTimeouts& timeouts) override { m_timeouts = timeouts; }
    void SetLine() override {}
    void Purge() override {
        while (!m_arrivals.isEmpty() && m_arrivals.head().first <= m_now) {
            m_arrivals.dequeue();
        }
    }
    int Write(const std::uint8_t* bytes, int count) override {
        m_now += count; // about a millisecond a byte at 9600 baud
        const QByteArray written(reinterpret_cast<const char*>(bytes), count);
        const QByteArray answer = m_radio.Receive(written);
        if (!answer.isEmpty()) {
            const int delay = written == kProgramRequest.right(1) ? m_programModeDelay : 2;
            m_lastAnswerAt = std::max(m_lastAnswerAt, m_now + delay);
            m_arrivals.enqueue({m_lastAnswerAt, answer});
        }
        return count;
    }
    int Read(std::uint8_t* buffer, int count) override {
        const qint64 start = m_now;
        qint64 deadline =
            start + m_timeouts.readTotalConstant + qint64(m_timeouts.readTotalMultiplier) * count;
        int received = 0;
        while (received < count && !m_arrivals.isEmpty() && m_arrivals.head().first <= deadline) {
            auto& [at, bytes] = m_arrivals.head();
            m_now = std::max(m_now, at);
            const QByteArray taken = bytes.left(count - received);
            std::copy(taken.begin(), taken.end(), reinterpret_cast<char*>(buffer) + received);
            received += int(taken.size());
            bytes.remove(0, taken.size());
            if (bytes.isEmpty()) {
                m_arrivals.dequeue();
            }
            deadline = std::min(deadline, m_now + m_timeouts.readInterval);
        }
        m_now = received == count ? m_now : deadline;
        return received;
    }
    void Close() override { m_open = false; }

private:
    SimulatedRadio& m_radio;
    int m_programModeDelay;
    SerialTimeouts m_timeouts;
    bool m_open = false;
    qint64 m_now = 0;
    qint64 m_lastAnswerAt = 0;
    QQueue<QPair<qint64, QByteArray>> m_arrivals; // when each answer arrives, in order
};
const QString kTooShort = "未收到足够的字节";
const QString kWrongModel = "机型不匹配";
const QString kCommError = "通信错误";
const QString kEndError = "结束错误";

} // namespace

class TestTransferEngine : public QObject {
    Q_OBJECT

private slots:
    // A read brings every block and keeps the rest; a write leaves the image as it was. A write
    // purges before each header, so a late answer never passes for the next one.
    void sessionsMoveEveryBlockInOrder() {
        for (const bool write : {false, true}) {
            Bench bench;
            QVERIFY(bench.run(write).succeeded());
            QCOMPARE(bench.image,
                     write ? bench.before : WithBlocksOf(bench.before, bench.radio.memory()));
            QCOMPARE(bench.port.writes, SessionWrites(write, bench.image));
            QCOMPARE(bench.port.kindBefore("M\x02"), Port::Purged);
            QCOMPARE(bench.port.kindBefore(write ? Frame('W', 0x010) : "ENDR"),
                     write ? Port::Purged : Port::ReadBack); // the last ack may answer ENDR
            const RecordingObserver& seen = bench.observer;
            QCOMPARE(seen.range + ' ' + seen.texts.first() + '-' + seen.texts.last(),
                     "0-114 0-114");
            QVERIFY(seen.texts.size() == 115 && seen.reports.isEmpty() && bench.port.closes == 1);
        }
    }

    // Frames are numbered as the simulated radio counts them; no message: cancelled by the user
    // during the block given. A write that ends after its first block went out says how many
    // the radio took and that it must be written again.
    void failuresAndCancelCloseAndLeaveTheImage() {
        using F = SimulatedRadio::Fault;
        const QList<std::tuple<bool, int, F, QString, int>> cases = {
            {false, 2, F::Short, kTooShort, 0},        // ident of 7 bytes
            {false, 3, F::Nak, kCommError, 0},         // ident ack refused
            {true, 10, F::Nak, kCommError, 6},         // write block 7 refused
            {false, 42, F::Short, kTooShort, 19},      // read block 20 of 11 bytes
            {false, 231, F::Silence, kCommError, 113}, // read block 114 ack silent
            {true, 118, F::Nak, kEndError, 114},       // end of write refused
            {false, 0, F::None, QString(), 114},       // cancel during the last block
            {false, 232, F::Silence, kEndError, 114}}; // end of read silent
        for (const auto& [write, frame, fault, message, blocksDone] : cases) {
            Bench bench({"QT318", 0, frame, fault});
            const bool cancel = message.isEmpty();
            bench.observer.cancelAtPosition = cancel ? blocksDone : -1;
            const TransferOutcome outcome = bench.run(write);
            const QByteArray row = (write ? "write " : "read ") + QByteArray::number(frame);
            QVERIFY2(outcome.result == (cancel ? Result::Cancelled : Result::Failed) &&
                         outcome.message == message && bench.observer.position == blocksDone &&
                         outcome.blocksDone == blocksDone,
                     row);
            const bool radioChanged = write && !cancel && frame > 3;
            QVERIFY2(radioChanged ==
                         (outcome.detail.contains(QString::number(blocksDone)) &&
                          outcome.detail.contains("114") && outcome.detail.contains("重新写入")),
                     row + ": " + outcome.detail.toUtf8());
            QVERIFY2(bench.observer.reports ==
                         (cancel ? QStringList()
                                 : QStringList(message + "|1|" + outcome.detail + "|open")),
                     row);
            // A read that did not finish changes nothing.
            QVERIFY2(bench.port.closes == 1 && bench.image == bench.before &&
                         bench.port.writes.count(write ? "ENDW" : "ENDR") ==
                             (blocksDone == 114 && !cancel),
                     row);
        }
    }

    // Any ident of the right model whatever its filler, and no block header examined; a stray
    // byte before an acknowledgement is purged, so a leftover 0x06 never stands in for a missing
    // acknowledgement and a leftover 0x15 never spoils a good one.
    void oddRepliesAndStrayBytes() {
        using Filter = std::function<QByteArray(const QByteArray&, QByteArray)>;
        const auto ident = [](const QByteArray& reply) -> Filter {
            return [reply](const QByteArray& written, QByteArray answer) {
                if (written.startsWith('R')) {
                    answer.replace(0, 4, QByteArray("\xFF\x00\x13\x37", 4));
                }
                return written == "M\x02" ? reply : answer;
            };
        };
        // junk after the answer to `after`; from then on, acknowledgements go unanswered if asked.
        const auto stray = [](const QByteArray& after, const char* junk, bool silence) -> Filter {
            auto seen = std::make_shared<bool>(false);
            return [=](const QByteArray& written, QByteArray answer) {
                if (written == after) {
                    *seen = true;
                    return answer + junk;
                }
                return silence && *seen && written == "\x06" ? QByteArray() : answer;
            };
        };
        const QList<std::tuple<bool, Filter, QString, int>> cases = {
            {false, ident(QByteArray("\xEEQT318\xAA\x55", 8)), QString(), 114},
            {false, ident(QByteArray("QT318\x00\x00\x00", 8)), kWrongModel, 0},
            {true, stray("M\x02", "\x06", true), kCommError, 0},
            {true, stray("M\x02", "\x15", false), QString(), 114},
            {false, stray(Frame('R', 0x010), "\x06", true), kCommError, 0}};
        int row = 0;
        for (const auto& [write, filter, message, position] : cases) {
            Bench bench;
            bench.filter(filter);
            const QByteArray where = "case " + QByteArray::number(row++);
            QVERIFY2(bench.run(write).message == message && bench.observer.position == position,
                     where);
            QVERIFY2(bench.image == (!write && message.isEmpty()
                                         ? WithBlocksOf(bench.before, bench.radio.memory())
                                         : bench.before),
                     where);
        }
    }

    // Requests the radio leaves unanswered, Retry clicks granted, questions asked, requests sent.
    void programModeAsksAfterFiveThenOncePerRetry() {
        for (const auto& [ignored, retries, questions, requests] :
             QList<std::array<int, 4>>{{4, 0, 0, 5}, {5, 1, 1, 6}, {-1, 2, 3, 7}}) {
            Bench bench({"QT318", ignored});
            bench.observer.retryAnswers.fill(true, retries);
            QCOMPARE(bench.run(true).result, ignored < 0 ? Result::Cancelled : Result::Succeeded);
            QCOMPARE(bench.observer.questions, QStringList(questions, "Error|" + kCommError));
            QCOMPARE(bench.port.writes.count(kProgramRequest.left(1)), requests);
            QCOMPARE(bench.port.writes.count("M\x02"), ignored < 0 ? 0 : 1);
            QVERIFY(bench.observer.reports.isEmpty() && bench.port.closes == 1);
        }
    }

    // A radio slow to answer program mode acknowledges a request only after the next one went
    // out; the acknowledgements still on their way are waited out before the ident request, so
    // they never pass for part of the ident reply.
    void slowProgramModeAnswerStillReads() {
        for (const int delay : {300, 600}) {
            SimulatedRadio radio(RandomImage(1), {});
            ClockedLine line(radio, delay);
            RecordingObserver observer(line);
            MemoryImage image = RandomImage(99);
            const MemoryImage before = image;
            const TransferOutcome outcome =
                TransferEngine(line, observer).Run("COM1", image, TransferDirection::Read);
            QVERIFY2(outcome.succeeded(),
                     qPrintable(QString::number(delay) + " ms: " + outcome.message));
            QCOMPARE(image, WithBlocksOf(before, radio.memory()));
        }
    }

    // A paced answer leaves whole once its last byte has crossed, however late the simulator
    // comes back to it: a gap inside an answer would end the program's read early.
    void pacedAnswersLeaveWhole() {
        WirePacer pacer(true);
        pacer.Arrived(4);
        const QByteArray answer("W\x00\x10\x08"
                                "12345678",
                                12);
        pacer.Queue(answer);
        QList<QByteArray> pieces;
        while (pieces.join().size() < answer.size()) {
            std::this_thread::sleep_for(pacer.UntilDue(std::chrono::milliseconds(50)));
            const QByteArray due = pacer.TakeDue();
            if (!due.isEmpty()) {
                pieces << due;
            }
        }
        QCOMPARE(pieces, QList<QByteArray>{answer});
    }

    // A simulated radio left running serves session after session; the figures its pacer keeps
    // cover every answer without growing with them. (AddressSanitizer's allocator keeps its own
    // books, so there the growth reads as nothing.)
    void pacerKeepsBoundedFigures() {
        WirePacer pacer(false);
        const auto turnaround = [&pacer] {
            pacer.Arrived(4);
            pacer.Queue(QByteArray(1, '\x06'));
            pacer.TakeDue();
        };
        turnaround();
        const auto inUse = [] { // large blocks are mapped on their own and counted apart
            const struct mallinfo2 info = mallinfo2();
            return info.uordblks + info.hblkhd;
        };
        const std::size_t before = inUse();
        for (int i = 0; i < 200000; ++i) {
            turnaround();
        }
        const std::size_t after = inUse();
        QVERIFY2(after < before + 64 * 1024, QByteArray::number(qint64(after - before)));
        QVERIFY2(pacer.Statistics().startsWith("turnarounds 200000 "), pacer.Statistics());
    }
};

QTEST_GUILESS_MAIN(TestTransferEngine)
#include "test_transfer_engine.moc"
