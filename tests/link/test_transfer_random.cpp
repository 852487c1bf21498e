// Seeded random radios: answers of random length and content, silences and cancels at random
// moments. Whatever happens, a transfer ends in one of its outcomes with the port closed, and a
// read leaves the image either as it was or with every block replaced by what was received.

#include "block_walk.h"
#include "recording_observer.h"
#include "scripted_port.h"
#include "simulated_radio.h"
#include "transfer_engine.h"

#include <QMap>
#include <QRandomGenerator>
#include <QTest>

namespace {

constexpr quint32 kSeed = 318;
constexpr int kRuns = 400;

MemoryImage RandomImage(QRandomGenerator& random) {
    MemoryImage image;
    for (int a = 0; a < MemoryImage::kSize; ++a) {
        image.WriteByte(a, static_cast<std::uint8_t>(random.bounded(256)));
    }
    return image;
}

QByteArray RandomBytes(QRandomGenerator& random, int size) {
    QByteArray bytes(size, '\0');
    for (char& byte : bytes) {
        byte = static_cast<char>(random.bounded(256));
    }
    return bytes;
}

struct RandomRun {
    RandomRun(QRandomGenerator& random, TransferDirection direction) : observer(port) {
        image = RandomImage(random);
        SimulatedRadio::Options options;
        options.ignoredProgramRequests = static_cast<int>(random.bounded(8));
        radio = std::make_unique<SimulatedRadio>(RandomImage(random), options);
        // Fault rate per answer: from a clean line to a very noisy one.
        const int faultPerMille = random.bounded(3) == 0 ? 0 : static_cast<int>(random.bounded(30));
        observer.cancelAtPosition =
            random.bounded(4) == 0 ? static_cast<int>(random.bounded(1, 115)) : -1;
        for (int i = 0; i < 3; ++i) {
            observer.retryAnswers.enqueue(random.bounded(2) == 0);
        }
        port.responder = [this, &random, faultPerMille](const QByteArray& written) {
            QByteArray answer = radio->Receive(written);
            if (static_cast<int>(random.bounded(1000)) < faultPerMille) {
                answer = RandomBytes(random, static_cast<int>(random.bounded(14)));
            }
            if (written.size() == 4 && written.startsWith('R') && answer.size() >= 12) {
                const int address = (static_cast<std::uint8_t>(written[1]) << 8) |
                                    static_cast<std::uint8_t>(written[2]);
                delivered[address] = answer.mid(4, 8);
            }
            return answer;
        };
        TransferEngine engine(port, observer);
        before = image;
        outcome = engine.Run(QStringLiteral("COM1"), image, direction);
    }

    ScriptedPort port;
    RecordingObserver observer;
    std::unique_ptr<SimulatedRadio> radio;
    MemoryImage image;
    MemoryImage before;
    QMap<int, QByteArray> delivered; // the data part of each 12-byte block answer
    TransferOutcome outcome;
};

bool HoldsDelivered(const RandomRun& run) {
    for (int address = 0; address < MemoryImage::kSize; ++address) {
        std::uint8_t expected = run.before.ReadByte(address);
        if (BlockWalk::Travels(address)) {
            const int block = address & ~7;
            if (!run.delivered.contains(block)) {
                return false;
            }
            expected = static_cast<std::uint8_t>(run.delivered[block][address - block]);
        }
        if (run.image.ReadByte(address) != expected) {
            return false;
        }
    }
    return true;
}

int EndFrames(const ScriptedPort& port) {
    const QList<QByteArray> writes = port.writes();
    return static_cast<int>(writes.count("ENDR") + writes.count("ENDW"));
}

} // namespace

class TestTransferRandom : public QObject {
    Q_OBJECT

private slots:
    void everyRunEndsCleanly_data() {
        QTest::addColumn<bool>("write");
        QTest::newRow("read") << false;
        QTest::newRow("write") << true;
    }

    void everyRunEndsCleanly() {
        QFETCH(bool, write);
        const QStringList failureTexts = {"未收到足够的字节", "机型不匹配", "通信错误", "结束错误"};
        QRandomGenerator random(kSeed + (write ? 1 : 0));
        int succeeded = 0;
        for (int i = 0; i < kRuns; ++i) {
            const RandomRun run(random, write ? TransferDirection::Write : TransferDirection::Read);
            const QString where = QStringLiteral("run %1").arg(i);
            QVERIFY2(!run.port.IsOpen() && run.port.closes == 1, qPrintable(where));
            QVERIFY2(run.observer.position <= 114, qPrintable(where));
            const bool allBlocks = run.observer.position == 114 &&
                                   run.outcome.result != TransferOutcome::Result::Cancelled;
            QVERIFY2(EndFrames(run.port) == (allBlocks ? 1 : 0), qPrintable(where));
            switch (run.outcome.result) {
            case TransferOutcome::Result::Succeeded:
                ++succeeded;
                QVERIFY2(run.observer.reports.isEmpty(), qPrintable(where));
                QVERIFY2(run.observer.position == 114, qPrintable(where));
                break;
            case TransferOutcome::Result::Failed:
                QVERIFY2(failureTexts.contains(run.outcome.message), qPrintable(where));
                QVERIFY2(run.observer.reports.size() == 1 && run.observer.reports[0].portWasOpen,
                         qPrintable(where));
                break;
            case TransferOutcome::Result::Cancelled:
                QVERIFY2(run.observer.reports.isEmpty(), qPrintable(where));
                break;
            case TransferOutcome::Result::CannotOpen:
                QFAIL(qPrintable(where));
            }
            if (write || !run.outcome.succeeded()) {
                QVERIFY2(run.image == run.before, qPrintable(where));
            } else {
                QVERIFY2(HoldsDelivered(run), qPrintable(where));
            }
        }
        // The mix must reach the end sometimes, or the checks above prove little.
        QVERIFY(succeeded > kRuns / 10);
        QVERIFY(succeeded < kRuns);
    }
};

QTEST_GUILESS_MAIN(TestTransferRandom)
#include "test_transfer_random.moc"
