// The transfer engine against an in-process line: wire format, the failure table, program-mode
// retries, cancel, what a read leaves in the image, and seeded random radios.

#include "transfer_bench.h"

#include <QTest>

namespace {

using Result = TransferOutcome::Result;
using Port = ScriptedPort;

QByteArray Frame(char command, int address) {
    const char frame[] = {command, char(address >> 8), char(address & 0xFF), 8};
    return QByteArray(frame, 4);
}

const QByteArray kProgramRequest("\x02PROGRA", 7);
const QString kTooShort = "未收到足够的字节";
const QString kWrongModel = "机型不匹配";
const QString kCommError = "通信错误";
const QString kEndError = "结束错误";

} // namespace

class TestTransferEngine : public QObject {
    Q_OBJECT

private slots:
    void readMovesEveryBlockInOrderAndKeepsTheRest() {
        Bench bench;
        const MemoryImage before = bench.image;
        QVERIFY(bench.run(TransferDirection::Read).succeeded());
        QCOMPARE(bench.image, WithBlocksOf(before, bench.radio.memory()));

        const QList<QByteArray> writes = bench.port.writes();
        for (int i = 0; i < kProgramRequest.size(); ++i) {
            QCOMPARE(writes[i], kProgramRequest.mid(i, 1)); // one byte per write
        }
        QCOMPARE(writes.mid(7, 2), QList<QByteArray>({"M\x02", "\x06"}));
        // Each block's request is followed by the ack of its data, in address order.
        QList<int> order = {0x010, 0x018, 0x118, 0x180, 0x3F8};
        for (int i : {0, 1, 33, 34, 113}) {
            QCOMPARE(writes.mid(9 + 2 * i, 2),
                     QList<QByteArray>({Frame('R', order.takeFirst()), "\x06"}));
        }
        QCOMPARE(bench.port.blockRequests(), 114);
        QCOMPARE(writes.last(), QByteArray("ENDR"));
        QCOMPARE(bench.port.kindBefore("ENDR"), Port::ReadBack); // the last ack may answer it
        QCOMPARE(bench.port.kindBefore("M\x02"), Port::Purged);

        const RecordingObserver& seen = bench.observer;
        QCOMPARE(seen.range, QString("0-114"));
        QCOMPARE(seen.pumps, 1140);
        QCOMPARE(seen.texts.size(), 115);
        QCOMPARE(seen.texts.first() + '-' + seen.texts.last(), QString("0-114"));
        QCOMPARE(seen.reports, QStringList());
        QCOMPARE(bench.port.closes, 1);
        QVERIFY(!bench.port.IsOpen());
    }

    void writeSendsHeaderThenDataForEveryBlock() {
        Bench bench({}, 1, 5);
        const MemoryImage radioBefore = bench.radio.memory();
        const MemoryImage sent = bench.image;
        QVERIFY(bench.run(TransferDirection::Write).succeeded());
        QCOMPARE(bench.radio.memory(), WithBlocksOf(radioBefore, sent));
        QCOMPARE(bench.image, sent);

        const QList<QByteArray> writes = bench.port.writes();
        const qsizetype header = writes.indexOf(Frame('W', 0x180));
        QVERIFY(header > 0);
        QCOMPARE(writes[header + 1],
                 QByteArray(reinterpret_cast<const char*>(&sent.bytes()[0x180]), 8));
        QCOMPARE(bench.port.kindBefore(Frame('W', 0x010)), Port::Purged);
        QCOMPARE(writes.last(), QByteArray("ENDW"));
        QCOMPARE(bench.port.kindBefore("ENDW"), Port::Purged);
        QCOMPARE(bench.observer.texts.last(), QString("114"));
        QCOMPARE(bench.port.closes, 1);
    }

    void failuresAndCancelCloseAndLeaveTheImage_data() {
        QTest::addColumn<bool>("write");
        QTest::addColumn<int>("frame"); // numbered as the simulated radio counts them
        QTest::addColumn<SimulatedRadio::Fault>("fault");
        QTest::addColumn<int>("cancelAt");
        QTest::addColumn<QString>("message"); // none: cancelled
        QTest::addColumn<int>("blocksDone");
        using F = SimulatedRadio::Fault;
        QTest::newRow("ident of 7 bytes") << false << 2 << F::Short << -1 << kTooShort << 0;
        QTest::newRow("ident silent") << true << 2 << F::Silence << -1 << kTooShort << 0;
        QTest::newRow("ident ack refused") << false << 3 << F::Nak << -1 << kCommError << 0;
        QTest::newRow("ident ack silent") << true << 3 << F::Silence << -1 << kCommError << 0;
        QTest::newRow("write block 7 refused") << true << 10 << F::Nak << -1 << kCommError << 6;
        QTest::newRow("write block 114 silent")
            << true << 117 << F::Silence << -1 << kCommError << 113;
        QTest::newRow("read block 20 of 11 bytes")
            << false << 42 << F::Short << -1 << kTooShort << 19;
        QTest::newRow("read block 1 ack refused") << false << 5 << F::Nak << -1 << kCommError << 0;
        QTest::newRow("read block 114 ack silent")
            << false << 231 << F::Silence << -1 << kCommError << 113;
        QTest::newRow("end of write refused") << true << 118 << F::Nak << -1 << kEndError << 114;
        QTest::newRow("cancel during block 50") << false << 0 << F::None << 50 << QString() << 50;
        QTest::newRow("end of read silent") << false << 232 << F::Silence << -1 << kEndError << 114;
    }

    void failuresAndCancelCloseAndLeaveTheImage() {
        QFETCH(bool, write);
        QFETCH(QString, message);
        QFETCH(int, blocksDone);
        QFETCH(int, frame);
        QFETCH(SimulatedRadio::Fault, fault);
        QFETCH(int, cancelAt);
        SimulatedRadio::Options options;
        options.faultFrame = frame;
        options.fault = fault;
        Bench bench(options);
        bench.observer.cancelAtPosition = cancelAt;
        const MemoryImage before = bench.image;
        const TransferOutcome outcome =
            bench.run(write ? TransferDirection::Write : TransferDirection::Read);
        QCOMPARE(outcome.result, message.isEmpty() ? Result::Cancelled : Result::Failed);
        QCOMPARE(outcome.message, message);
        QCOMPARE(bench.observer.reports,
                 message.isEmpty() ? QStringList() : QStringList(message + "|1||open"));
        QCOMPARE(bench.port.closes, 1);
        QCOMPARE(bench.port.events.last().first, Port::Closed);
        QCOMPARE(bench.observer.position, blocksDone);
        QCOMPARE(bench.image, before); // a read that did not finish changes nothing
        QCOMPARE(bench.port.countWrites(write ? "ENDW" : "ENDR"), blocksDone == 114 ? 1 : 0);
    }

    void identVariantsAndArbitraryFiller_data() {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("QT318 at 1, any filler") << QByteArray("\xEEQT318\xAA\x55", 8) << true;
        QTest::newRow("4619 at 1, any byte 5") << QByteArray(1, 0) + "4619Z\xFF\xFF" << true;
        QTest::newRow("QT318 at 0") << QByteArray("QT318\x00\x00\x00", 8) << false;
        QTest::newRow("461 only") << QByteArray(1, 0) + QByteArray("461X\x00\x00\x00", 7) << false;
        QTest::newRow("QT418") << QByteArray("\x00QT418\x00\x00", 8) << false;
    }

    void identVariantsAndArbitraryFiller() {
        QFETCH(QByteArray, reply);
        QFETCH(bool, accepted);
        Bench bench;
        const MemoryImage before = bench.image;
        bench.filter([reply](const QByteArray& written, QByteArray answer) {
            if (written.startsWith('R')) { // the block answer's header is not examined
                answer.replace(0, 4, QByteArray("\xFF\x00\x13\x37", 4));
            }
            return written == "M\x02" ? reply : answer;
        });
        const TransferOutcome outcome = bench.run(TransferDirection::Read);
        QCOMPARE(outcome.message, accepted ? QString() : kWrongModel);
        QCOMPARE(bench.image, accepted ? WithBlocksOf(before, bench.radio.memory()) : before);
        QCOMPARE(bench.observer.reports.size(), accepted ? 0 : 1);
    }

    void programModeAsksAfterFiveThenOncePerRetry_data() {
        QTest::addColumn<int>("ignored"); // program-mode requests the radio leaves unanswered
        QTest::addColumn<int>("retries"); // Retry clicks the user grants
        QTest::addColumn<int>("questions");
        QTest::addColumn<int>("requests");
        QTest::newRow("answers the fifth") << 4 << 0 << 0 << 5;
        QTest::newRow("answers the sixth") << 5 << 1 << 1 << 6;
        QTest::newRow("never answers") << -1 << 2 << 3 << 7;
    }

    void programModeAsksAfterFiveThenOncePerRetry() {
        QFETCH(int, ignored);
        QFETCH(int, retries);
        QFETCH(int, questions);
        SimulatedRadio::Options options;
        options.ignoredProgramRequests = ignored;
        Bench bench(options);
        bench.observer.retryAnswers.fill(true, retries);
        const TransferOutcome outcome = bench.run(TransferDirection::Write);
        QCOMPARE(outcome.result, ignored < 0 ? Result::Cancelled : Result::Succeeded);
        QCOMPARE(bench.observer.questions, QStringList(questions, "Error|" + kCommError));
        QTEST(bench.port.countWrites(kProgramRequest.left(1)), "requests");
        QCOMPARE(bench.port.countWrites("M\x02"), ignored < 0 ? 0 : 1);
        QCOMPARE(bench.observer.reports, QStringList());
        QCOMPARE(bench.port.closes, 1);
    }

    void leftoverBytesAreNeverAnAcknowledgement() {
        // An extra 0x06 after block 1's data, then silence on that block's ack: the purge before
        // the ack drops the extra byte, so the ack fails.
        Bench bench;
        bool block1Answered = false;
        bench.filter([&block1Answered](const QByteArray& written, QByteArray answer) {
            if (written == Frame('R', 0x010)) {
                block1Answered = true;
                return answer + "\x06";
            }
            return block1Answered && written == "\x06" ? QByteArray() : answer;
        });
        QCOMPARE(bench.run(TransferDirection::Read).message, kCommError);
        QCOMPARE(bench.observer.position, 0);
        QCOMPARE(bench.port.blockRequests(), 1);
    }

    void portThatWillNotOpen() {
        Bench bench;
        bench.port.refuseOpen = true;
        const MemoryImage before = bench.image;
        const TransferOutcome outcome = bench.run(TransferDirection::Write, "COM3");
        QCOMPARE(outcome.result, Result::CannotOpen);
        QCOMPARE(outcome.detail, QString("Permission denied"));
        QCOMPARE(bench.observer.reports,
                 QStringList("不能打开串口COM3|1|Permission denied|closed"));
        QVERIFY(bench.port.events.isEmpty());
        QCOMPARE(bench.image, before);
    }

    // Answers of random length and content, silences and cancels at random moments: whatever
    // happens, a transfer ends in one of its outcomes with the port closed, and a read leaves
    // the image either as it was or with every block replaced by what was received.
    void randomRadiosEndCleanly_data() {
        QTest::addColumn<bool>("write");
        QTest::newRow("read") << false;
        QTest::newRow("write") << true;
    }

    void randomRadiosEndCleanly() {
        QFETCH(bool, write);
        QRandomGenerator random(318 + (write ? 1 : 0));
        constexpr int kRuns = 400;
        int succeeded = 0;
        for (int run = 0; run < kRuns; ++run) {
            SimulatedRadio::Options options;
            options.ignoredProgramRequests = int(random.bounded(8));
            Bench bench(options, random.generate(), random.generate());
            const MemoryImage before = bench.image;
            // Fault rate per answer: from a clean line to a very noisy one.
            const int faultPerMille = random.bounded(3) == 0 ? 0 : int(random.bounded(30));
            bench.observer.cancelAtPosition =
                random.bounded(4) == 0 ? int(random.bounded(1, 115)) : -1;
            for (int i = 0; i < 3; ++i) {
                bench.observer.retryAnswers.enqueue(random.bounded(2) == 0);
            }
            MemoryImage delivered = before; // the data part of each 12-byte block answer
            bench.filter([&](const QByteArray& written, QByteArray answer) {
                if (int(random.bounded(1000)) < faultPerMille) {
                    answer.resize(random.bounded(14));
                    std::generate(answer.begin(), answer.end(),
                                  [&] { return char(random.generate()); });
                }
                if (written.size() == 4 && written.startsWith('R') && answer.size() >= 12) {
                    const int address = (std::uint8_t(written[1]) << 8) | std::uint8_t(written[2]);
                    for (int i = 0; i < 8; ++i) {
                        delivered.WriteByte(address + i, std::uint8_t(answer[4 + i]));
                    }
                }
                return answer;
            });
            const TransferOutcome outcome =
                bench.run(write ? TransferDirection::Write : TransferDirection::Read);

            const RecordingObserver& seen = bench.observer;
            const QByteArray where = "run " + QByteArray::number(run);
            QVERIFY2(!bench.port.IsOpen() && bench.port.closes == 1, where);
            const bool allBlocks = seen.position == 114 && outcome.result != Result::Cancelled;
            QVERIFY2(bench.port.countWrites(write ? "ENDW" : "ENDR") == (allBlocks ? 1 : 0), where);
            const bool failed = outcome.result == Result::Failed;
            QVERIFY2(outcome.result != Result::CannotOpen &&
                         seen.reports.size() == (failed ? 1 : 0),
                     where);
            QVERIFY2(!failed || QList<QString>({kTooShort, kWrongModel, kCommError, kEndError})
                                    .contains(outcome.message),
                     where);
            QVERIFY2(seen.reports.isEmpty() || seen.reports[0].endsWith("|open"), where);
            QVERIFY2(!outcome.succeeded() ||
                         (seen.position == 114 && (write || bench.port.blockRequests() == 114)),
                     where);
            QVERIFY2(bench.image == (!write && outcome.succeeded() ? delivered : before), where);
            succeeded += outcome.succeeded() ? 1 : 0;
        }
        // The mix must reach the end sometimes, or the checks above prove little.
        QVERIFY(succeeded > kRuns / 10 && succeeded < kRuns);
    }
};

QTEST_GUILESS_MAIN(TestTransferEngine)
#include "test_transfer_engine.moc"
