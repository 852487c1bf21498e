// The transfer engine against an in-process line: wire format, the failure table, program-mode
// retries, cancel and what a read leaves in the image.

#include "block_walk.h"
#include "recording_observer.h"
#include "scripted_port.h"
#include "simulated_radio.h"
#include "transfer_engine.h"

#include <QTest>

namespace {

using Result = TransferOutcome::Result;

MemoryImage Pattern(int seed) {
    MemoryImage image;
    for (int a = 0; a < MemoryImage::kSize; ++a) {
        image.WriteByte(a, static_cast<std::uint8_t>((a * 7 + seed) & 0xFF));
    }
    return image;
}

QByteArray Frame(std::initializer_list<int> bytes) {
    QByteArray frame;
    for (int byte : bytes) {
        frame.append(static_cast<char>(byte));
    }
    return frame;
}

const QByteArray kProgramRequest("\x02PROGRA", 7);

// One transfer between an image and a simulated radio on a scripted line.
struct Bench {
    explicit Bench(const SimulatedRadio::Options& options = {},
                   const MemoryImage& radioMemory = Pattern(1))
        : radio(radioMemory, options), observer(port) {
        port.responder = [this](const QByteArray& written) { return radio.Receive(written); };
    }
    // Lets a test change the radio's answers.
    void filter(std::function<QByteArray(const QByteArray& written, QByteArray answer)> change) {
        port.responder = [this, change](const QByteArray& written) {
            return change(written, radio.Receive(written));
        };
    }
    TransferOutcome run(TransferDirection direction, const QString& portName = "COM1") {
        TransferEngine engine(port, observer);
        return engine.Run(portName, image, direction);
    }
    int countWrites(const QByteArray& bytes) const { return port.writes().count(bytes); }

    SimulatedRadio radio;
    ScriptedPort port;
    RecordingObserver observer;
    MemoryImage image = Pattern(99);
};

bool BlocksEqual(const MemoryImage& a, const MemoryImage& b) {
    for (int address : BlockWalk::kAddresses) {
        for (int i = 0; i < BlockWalk::kBlockSize; ++i) {
            if (a.ReadByte(address + i) != b.ReadByte(address + i)) {
                return false;
            }
        }
    }
    return true;
}

bool OutsideBlocksEqual(const MemoryImage& a, const MemoryImage& b) {
    for (int address = 0; address < MemoryImage::kSize; ++address) {
        if (!BlockWalk::Travels(address) && a.ReadByte(address) != b.ReadByte(address)) {
            return false;
        }
    }
    return true;
}

} // namespace

class TestTransferEngine : public QObject {
    Q_OBJECT

private slots:
    void readMovesEveryBlockInOrderAndKeepsTheRest() {
        Bench bench;
        const MemoryImage before = bench.image;
        const TransferOutcome outcome = bench.run(TransferDirection::Read);
        QVERIFY(outcome.succeeded());
        QVERIFY(BlocksEqual(bench.image, bench.radio.memory()));
        QVERIFY(OutsideBlocksEqual(bench.image, before));

        const QList<QByteArray> writes = bench.port.writes();
        for (int i = 0; i < kProgramRequest.size(); ++i) {
            QCOMPARE(writes[i], kProgramRequest.mid(i, 1)); // one byte per write
        }
        QCOMPARE(writes[7], QByteArray("M\x02", 2));
        QCOMPARE(writes[8], QByteArray("\x06"));
        QList<QByteArray> requests;
        for (const QByteArray& write : writes) {
            if (write.size() == 4 && write.startsWith('R')) {
                requests.append(write);
            }
        }
        QCOMPARE(requests.size(), 114);
        QCOMPARE(requests.first(), Frame({0x52, 0x00, 0x10, 0x08}));
        QCOMPARE(requests[1], Frame({0x52, 0x00, 0x18, 0x08}));
        QCOMPARE(requests[33], Frame({0x52, 0x01, 0x18, 0x08}));
        QCOMPARE(requests[34], Frame({0x52, 0x01, 0x80, 0x08}));
        QCOMPARE(requests.last(), Frame({0x52, 0x03, 0xF8, 0x08}));
        QCOMPARE(writes.last(), QByteArray("ENDR"));
        QCOMPARE(bench.port.kindBefore("ENDR"), ScriptedPort::Event::Read); // no purge
        QCOMPARE(bench.port.kindBefore("M\x02"), ScriptedPort::Event::Purge);

        QCOMPARE(bench.observer.rangeLow, 0);
        QCOMPARE(bench.observer.rangeHigh, 114);
        QCOMPARE(bench.observer.texts.first(), QString("0"));
        QCOMPARE(bench.observer.texts.last(), QString("114"));
        QCOMPARE(bench.observer.texts.size(), 115);
        QCOMPARE(bench.observer.pumps, 1140);
        QVERIFY(bench.observer.reports.isEmpty());
        QCOMPARE(bench.port.closes, 1);
        QVERIFY(!bench.port.IsOpen());
    }

    void writeSendsHeaderThenDataForEveryBlock() {
        Bench bench({}, Pattern(5));
        const MemoryImage sent = bench.image;
        QVERIFY(bench.run(TransferDirection::Write).succeeded());
        QVERIFY(BlocksEqual(bench.radio.memory(), sent));
        QVERIFY(OutsideBlocksEqual(bench.radio.memory(), Pattern(5)));
        QCOMPARE(bench.image, sent);

        const QList<QByteArray> writes = bench.port.writes();
        const int header = static_cast<int>(writes.indexOf(Frame({0x57, 0x01, 0x80, 0x08})));
        QVERIFY(header > 0);
        QByteArray data;
        for (int a = 0x180; a < 0x188; ++a) {
            data.append(static_cast<char>(sent.ReadByte(a)));
        }
        QCOMPARE(writes[header + 1], data);
        QCOMPARE(bench.port.kindBefore(Frame({0x57, 0x00, 0x10, 0x08})),
                 ScriptedPort::Event::Purge);
        QCOMPARE(writes.last(), QByteArray("ENDW"));
        QCOMPARE(bench.port.kindBefore("ENDW"), ScriptedPort::Event::Purge);
        QCOMPARE(bench.observer.texts.last(), QString("114"));
        QCOMPARE(bench.port.closes, 1);
    }

    void failuresReportWhileOpenThenClose_data() {
        QTest::addColumn<bool>("write");
        QTest::addColumn<QByteArray>("ident");
        QTest::addColumn<int>("frame");
        QTest::addColumn<int>("fault");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("blocksDone");

        const int nak = static_cast<int>(SimulatedRadio::Fault::Nak);
        const int silence = static_cast<int>(SimulatedRadio::Fault::Silence);
        const int shortAnswer = static_cast<int>(SimulatedRadio::Fault::Short);
        const QByteArray qt318("QT318");
        QTest::newRow("ident of 7 bytes")
            << false << qt318 << 2 << shortAnswer << "未收到足够的字节" << 0;
        QTest::newRow("ident silent") << true << qt318 << 2 << silence << "未收到足够的字节" << 0;
        QTest::newRow("wrong ident") << false << QByteArray("QT418") << 0 << 0 << "机型不匹配" << 0;
        QTest::newRow("ident ack refused") << false << qt318 << 3 << nak << "通信错误" << 0;
        QTest::newRow("ident ack silent") << true << qt318 << 3 << silence << "通信错误" << 0;
        QTest::newRow("write block 7 refused") << true << qt318 << 10 << nak << "通信错误" << 6;
        QTest::newRow("write block 114 silent")
            << true << qt318 << 117 << silence << "通信错误" << 113;
        QTest::newRow("read block 20 of 11 bytes")
            << false << qt318 << 4 + 2 * 19 << shortAnswer << "未收到足够的字节" << 19;
        QTest::newRow("read block 1 ack refused") << false << qt318 << 5 << nak << "通信错误" << 0;
        QTest::newRow("read block 114 ack silent")
            << false << qt318 << 4 + 2 * 113 + 1 << silence << "通信错误" << 113;
        QTest::newRow("end of write refused") << true << qt318 << 118 << nak << "结束错误" << 114;
        QTest::newRow("end of read silent")
            << false << qt318 << 232 << silence << "结束错误" << 114;
    }

    void failuresReportWhileOpenThenClose() {
        QFETCH(bool, write);
        QFETCH(QByteArray, ident);
        QFETCH(int, frame);
        QFETCH(int, fault);
        QFETCH(QString, message);
        QFETCH(int, blocksDone);

        SimulatedRadio::Options options;
        options.ident = ident;
        options.faultFrame = frame;
        options.fault = static_cast<SimulatedRadio::Fault>(fault);
        Bench bench(options);
        const MemoryImage before = bench.image;
        const TransferOutcome outcome =
            bench.run(write ? TransferDirection::Write : TransferDirection::Read);

        QCOMPARE(outcome.result, Result::Failed);
        QCOMPARE(outcome.message, message);
        QCOMPARE(bench.observer.reports.size(), 1);
        QCOMPARE(bench.observer.reports[0].text, message);
        QCOMPARE(bench.observer.reports[0].severity, 1);
        QVERIFY(bench.observer.reports[0].portWasOpen);
        QCOMPARE(bench.port.closes, 1);
        QCOMPARE(bench.port.events.last().kind, ScriptedPort::Event::Close);
        QCOMPARE(bench.observer.position, blocksDone);
        QCOMPARE(bench.image, before); // a failed read changes nothing
        if (blocksDone < 114) {
            QCOMPARE(bench.countWrites("ENDR") + bench.countWrites("ENDW"), 0);
        }
    }

    void identVariantsAndArbitraryFiller_data() {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("QT318 at 1, any filler") << QByteArray("\xEEQT318\xAA\x55", 8) << true;
        QTest::newRow("4619 at 1, any byte 5") << QByteArray("\x00"
                                                             "4619Z\xFF\xFF",
                                                             8)
                                               << true;
        QTest::newRow("QT318 at 0") << QByteArray("QT318\x00\x00\x00", 8) << false;
        QTest::newRow("461 only") << QByteArray("\x00"
                                                "461X\x00\x00\x00",
                                                8)
                                  << false;
    }

    void identVariantsAndArbitraryFiller() {
        QFETCH(QByteArray, reply);
        QFETCH(bool, accepted);
        Bench bench;
        bench.filter([reply](const QByteArray& written, QByteArray answer) {
            if (written == "M\x02") {
                return reply;
            }
            if (written.startsWith('R')) {
                answer.replace(0, 4,
                               QByteArray("\xFF\x00\x13\x37", 4)); // reply header is not examined
            }
            return answer;
        });
        const TransferOutcome outcome = bench.run(TransferDirection::Read);
        QCOMPARE(outcome.succeeded(), accepted);
        if (accepted) {
            QVERIFY(BlocksEqual(bench.image, bench.radio.memory()));
        } else {
            QCOMPARE(outcome.message, QString("机型不匹配"));
        }
    }

    void programModeAsksAfterFiveThenOncePerRetry() {
        {
            SimulatedRadio::Options late;
            late.ignoredProgramRequests = 4; // answers the fifth
            Bench bench(late);
            QVERIFY(bench.run(TransferDirection::Read).succeeded());
            QCOMPARE(bench.observer.questions, 0);
            QCOMPARE(bench.countWrites(kProgramRequest.left(1)), 5);
        }
        {
            SimulatedRadio::Options never;
            never.ignoredProgramRequests = -1;
            Bench bench(never);
            bench.observer.retryAnswers << true << true;
            const TransferOutcome outcome = bench.run(TransferDirection::Write);
            QCOMPARE(outcome.result, Result::Cancelled);
            QCOMPARE(bench.observer.questions, 3);
            QCOMPARE(bench.observer.lastQuestion, QString("Error|通信错误"));
            QCOMPARE(bench.countWrites(kProgramRequest.left(1)), 7);
            QVERIFY(bench.observer.reports.isEmpty());
            QCOMPARE(bench.port.closes, 1);
            QCOMPARE(bench.countWrites("M\x02"), 0);
        }
        {
            SimulatedRadio::Options sixth;
            sixth.ignoredProgramRequests = 5;
            Bench bench(sixth);
            bench.observer.retryAnswers << true;
            QVERIFY(bench.run(TransferDirection::Read).succeeded());
            QCOMPARE(bench.observer.questions, 1);
        }
    }

    void cancelDuringBlock50LeavesImageAndSendsNoEnd() {
        Bench bench;
        bench.observer.cancelAtPosition = 50;
        const MemoryImage before = bench.image;
        const TransferOutcome outcome = bench.run(TransferDirection::Read);
        QCOMPARE(outcome.result, Result::Cancelled);
        QVERIFY(bench.observer.reports.isEmpty());
        QCOMPARE(bench.observer.texts.last(), QString("50"));
        QCOMPARE(bench.port.closes, 1);
        QCOMPARE(bench.countWrites("ENDR"), 0);
        int requests = 0;
        for (const QByteArray& write : bench.port.writes()) {
            requests += write.size() == 4 && write.startsWith('R') ? 1 : 0;
        }
        QCOMPARE(requests, 50);
        QCOMPARE(bench.image, before);
    }

    void leftoverBytesAreNeverAnAcknowledgement() {
        // The radio sends an extra 0x06 after block 1's data, then stays silent on the ack:
        // the purge before the ack drops it, so the ack fails.
        Bench bench;
        bench.filter([](const QByteArray& written, QByteArray answer) {
            if (written == Frame({0x52, 0x00, 0x10, 0x08})) {
                return answer + "\x06";
            }
            return written == "\x06" && answer.size() == 1 ? QByteArray() : answer;
        });
        const TransferOutcome outcome = bench.run(TransferDirection::Read);
        QCOMPARE(outcome.message, QString("通信错误"));
        QCOMPARE(bench.observer.position, 0);
    }

    void endOfReadTakesWhatIsAlreadyOnTheLine() {
        // Nothing is purged before "ENDR": a second 0x06 after the last block's ack is what
        // answers it.
        Bench bench;
        int acks = 0;
        bench.filter([&acks](const QByteArray& written, QByteArray answer) {
            if (written == "\x06" && ++acks == 115) { // the ident ack, then 114 block acks
                return answer + "\x06";
            }
            return written == "ENDR" ? QByteArray() : answer;
        });
        QVERIFY(bench.run(TransferDirection::Read).succeeded());
    }

    void portThatWillNotOpen() {
        Bench bench;
        bench.port.refuseOpen = true;
        const MemoryImage before = bench.image;
        const TransferOutcome outcome = bench.run(TransferDirection::Write, "COM3");
        QCOMPARE(outcome.result, Result::CannotOpen);
        QCOMPARE(outcome.message, QString("不能打开串口COM3"));
        QCOMPARE(outcome.detail, QString("Permission denied"));
        QCOMPARE(bench.observer.reports.size(), 1);
        QCOMPARE(bench.observer.reports[0].detail, QString("Permission denied"));
        QCOMPARE(bench.observer.rangeHigh, 114);
        QVERIFY(bench.port.events.isEmpty());
        QCOMPARE(bench.image, before);
    }
};

QTEST_GUILESS_MAIN(TestTransferEngine)
#include "test_transfer_engine.moc"
