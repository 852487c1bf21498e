// The station's loop against simulated radios plugged into one cable one after another: every
// radio is backed up before its write, one of another band is refused unless allowed, one whose
// memory fails is reported as differing, every transfer is logged, and a stop never cuts a write.

#include "channel_table.h"
#include "image_map.h"
#include "new_document.h"
#include "programming_log.h"
#include "radio_overrides.h"
#include "radio_rack.h"
#include "station_loop.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

using Result = StationRadio::Result;
using Operation = ProgrammingRecord::Operation;
using LogResult = ProgrammingRecord::Result;

MemoryImage Table() {
    MemoryImage image = NewDocumentImage();
    image.WriteByte(0x20, 0x42); // something for the write to change
    return image;
}

MemoryImage OtherBand() {
    MemoryImage image = NewDocumentImage();
    image.WriteByte(ImageMap::kBandIndex, 1 - image.ReadByte(ImageMap::kBandIndex));
    return image;
}

// A radio whose memory keeps the first block written with a bit flipped.
SimulatedRadio::Options Misstoring() {
    SimulatedRadio::Options options;
    options.fault = SimulatedRadio::Fault::Misstore;
    options.faultFrame = 4;
    return options;
}

} // namespace

Q_DECLARE_METATYPE(SimulatedRadio::Options)

namespace {

struct Run {
    QList<StationRadio> radios;
    int ended = -1;
    bool usedUp = false; // ended by itself with every radio's own data written
};

} // namespace

class TestStationLoop : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    // Runs the station over rack; each radio is unplugged as soon as it is reported done, or after
    // the station's next lingerLooks looks for it. stopWhen, called on the station's thread at
    // each stage, asks for a stop when it says so.
    Run run(RadioRack& rack, const StationLoop::Plan& plan, const ProgrammingLog& log,
            std::function<bool(bool stoppable)> stopWhen = {}, int lingerLooks = 0) {
        StationLoop loop;
        loop.setPortFactory([&] { return rack.port(); });
        loop.setProbeIntervalMs(0);
        loop.setLog(&log);
        Run result;
        connect(
            &loop, &StationLoop::radioFinished, this,
            [&](const StationRadio& radio) {
                result.radios.append(radio);
                rack.unplugAfter(lingerLooks);
            },
            Qt::DirectConnection);
        connect(
            &loop, &StationLoop::stageStarted, this,
            [&](int, const QString&, bool stoppable) {
                if (stopWhen && stopWhen(stoppable)) {
                    loop.requestStop();
                }
            },
            Qt::DirectConnection);
        // With every radio served, nothing more will answer: the user stops the station.
        connect(
            &loop, &StationLoop::waitingForRadio, this,
            [&] {
                if (!rack.plugNext()) {
                    loop.requestStop();
                }
            },
            Qt::DirectConnection);
        connect(
            &loop, &StationLoop::radiosUsedUp, this, [&] { result.usedUp = true; },
            Qt::DirectConnection);
        QSignalSpy ended(&loop, &StationLoop::stationEnded);
        loop.startStation(plan);
        if (ended.wait(60000)) {
            result.ended = ended.at(0).at(0).toInt();
        }
        return result;
    }

    StationLoop::Plan plan(const QString& folder, bool overwriteOthers) const {
        StationLoop::Plan plan;
        plan.portName = "COM1";
        plan.image = Table();
        plan.file = "fleet.sin";
        plan.label = "truck 12";
        plan.overwriteOthers = overwriteOthers;
        plan.backupFolder = folder;
        return plan;
    }

private slots:
    // A radio left on the cable after it is done is not written again; one whose backup cannot
    // be kept is not written at all.
    void servesRadioAfterRadio_data() {
        QTest::addColumn<bool>("overwriteOthers");
        QTest::addColumn<int>("lingerLooks");
        QTest::addColumn<bool>("backups");
        QTest::addColumn<QList<int>>("results");
        QTest::addColumn<QStringList>("logged");
        QTest::newRow("another band refused")
            << false << 0 << true
            << QList<int>{int(Result::Written), int(Result::Refused), int(Result::Differs)}
            << QStringList{"read ok", "write ok", "read-back ok",     "read failed",
                           "read ok", "write ok", "read-back differs"};
        QTest::newRow("another band allowed, radios left on a while")
            << true << 2 * StationLoop::kQuietLooks + 1 << true
            << QList<int>{int(Result::Written), int(Result::Written), int(Result::Differs)}
            << QStringList{"read ok", "write ok", "read-back ok",
                           "read ok", "write ok", "read-back ok",
                           "read ok", "write ok", "read-back differs"};
        QTest::newRow("no backup kept")
            << false << 0 << false << QList<int>(3, int(Result::Refused))
            << QStringList(3, "read failed");
    }
    void servesRadioAfterRadio() {
        QFETCH(bool, overwriteOthers);
        QFETCH(int, lingerLooks);
        QFETCH(bool, backups);
        QFETCH(QList<int>, results);
        QFETCH(QStringList, logged);
        const QString folder = m_dir.filePath(QTest::currentDataTag());
        QVERIFY(QDir().mkpath(folder));
        RadioRack rack;
        rack.add(NewDocumentImage());
        rack.add(OtherBand());
        rack.add(NewDocumentImage(), Misstoring());
        const ProgrammingLog log(LogLocation::FromSetting(folder + "/log.sqlite"));

        StationLoop::Plan radios = plan(folder, overwriteOthers);
        QFile blocker(folder + "/not-a-folder");
        if (!backups) {
            QVERIFY(blocker.open(QIODevice::WriteOnly));
            radios.backupFolder = blocker.fileName();
        }
        const Run done = run(rack, radios, log, {}, lingerLooks);
        QCOMPARE(done.ended, 3);
        QList<int> seen;
        for (const StationRadio& radio : done.radios) {
            seen.append(int(radio.result));
            QCOMPARE(QFileInfo(radio.backup).isFile(), backups);
            QCOMPARE(radio.label, QString("truck 12"));
        }
        QCOMPARE(seen, results);
        if (!overwriteOthers && backups) {
            QVERIFY2(done.radios[1].message.contains(BandEntries().at(1)),
                     qPrintable(done.radios[1].message));
        }
        // What a radio held before stays in its backup, and what it holds now is the table's.
        QVERIFY(rack.radio(0).memory() ==
                (backups ? WithBlocksOf(NewDocumentImage(), Table()) : NewDocumentImage()));
        QVERIFY((rack.radio(1).memory() == OtherBand()) != overwriteOthers);

        QList<ProgrammingRecord> records;
        QVERIFY(log.records({}, &records).ok);
        QStringList operations;
        for (const ProgrammingRecord& record : records) {
            operations.append(RecordFields::OperationCode(record.operation) + ' ' +
                              RecordFields::ResultCode(record.result));
            QCOMPARE(record.label, QString("truck 12"));
            if (record.operation == Operation::Write) {
                QCOMPARE(record.imageSha256, StationLoop::imageSha256(Table()));
                QCOMPARE(record.file, QString("fleet.sin"));
            }
        }
        QCOMPARE(operations, logged);
    }

    // Radios with their own data: each gets its row's image and label, a radio refused, failed or
    // not verified leaves its row to the next, and the run ends once every row is written, before
    // another radio is read.
    void givesEachRadioItsOwnData_data() {
        QTest::addColumn<bool>("otherBand");
        QTest::addColumn<SimulatedRadio::Options>("trouble"); // the first radio's
        QTest::addColumn<int>("result");
        SimulatedRadio::Options broken; // goes quiet in the middle of its write
        broken.fault = SimulatedRadio::Fault::Silence;
        broken.faultSession = 3; // after the look for it and its backup
        broken.faultFrame = 10;
        QTest::newRow("refused") << true << SimulatedRadio::Options() << int(Result::Refused);
        QTest::newRow("write failed") << false << broken << int(Result::Failed);
        QTest::newRow("read-back differs") << false << Misstoring() << int(Result::Differs);
    }
    void givesEachRadioItsOwnData() {
        QFETCH(bool, otherBand);
        QFETCH(SimulatedRadio::Options, trouble);
        QFETCH(int, result);
        const QString folder = m_dir.filePath(QStringLiteral("own ") + QTest::currentDataTag());
        QVERIFY(QDir().mkpath(folder));
        RadioRack rack;
        rack.add(otherBand ? OtherBand() : NewDocumentImage(), trouble);
        for (int n = 0; n < 3; ++n) {
            rack.add(NewDocumentImage());
        }
        const ProgrammingLog log(LogLocation::FromSetting(folder + "/log.sqlite"));
        StationLoop::Plan own = plan(folder, false);
        own.radios =
            RadioOverrides::Read("标签,信道1 接收频率\n车1,150.000\n车2,151.000\n", own.image)
                .radios;
        QCOMPARE(own.radios.size(), 2);

        const Run done = run(rack, own, log);
        QCOMPARE(done.ended, 3);
        QVERIFY(done.usedUp);
        QStringList radios;
        for (const StationRadio& radio : done.radios) {
            radios << QString::number(int(radio.result)) + ' ' + radio.label;
        }
        QCOMPARE(radios, QStringList({QString::number(result) + " 车1",
                                      QString::number(int(Result::Written)) + " 车1",
                                      QString::number(int(Result::Written)) + " 车2"}));
        for (int n = 0; n < 2; ++n) {
            const MemoryImage& image = own.radios.at(n).image;
            QVERIFY(rack.radio(n + 1).memory() == WithBlocksOf(NewDocumentImage(), image));
            QCOMPARE(done.radios.at(n + 1).imageSha256, StationLoop::imageSha256(image));
        }
        QCOMPARE(rack.radio(3).sessionsEnded(), 0);
        QList<ProgrammingRecord> records;
        QVERIFY(log.records({}, &records).ok);
        QStringList written;
        for (const ProgrammingRecord& record : records) {
            if (record.operation == Operation::Write) {
                written << record.label + ' ' + record.imageSha256;
            }
        }
        QStringList given;
        for (const StationRadio& radio : done.radios) {
            if (radio.result != Result::Refused) {
                given << radio.label + ' ' + radio.imageSha256;
            }
        }
        QCOMPARE(written, given);
    }

    // A stop while the radio is only being read leaves it untouched; one asked for once the write
    // has begun waits until that radio is written and read back.
    void stopsAtASafePoint_data() {
        QTest::addColumn<bool>("duringWrite");
        QTest::addColumn<int>("result");
        QTest::newRow("while reading") << false << int(Result::Stopped);
        QTest::newRow("while writing") << true << int(Result::Written);
    }
    void stopsAtASafePoint() {
        QFETCH(bool, duringWrite);
        QFETCH(int, result);
        const QString folder = m_dir.filePath(QStringLiteral("stop-%1").arg(duringWrite));
        QVERIFY(QDir().mkpath(folder));
        RadioRack rack;
        rack.add(NewDocumentImage());
        rack.add(NewDocumentImage());
        const ProgrammingLog log(LogLocation::FromSetting(folder + "/log.sqlite"));

        const Run done = run(rack, plan(folder, false), log,
                             [&](bool stoppable) { return stoppable != duringWrite; });
        QCOMPARE(done.ended, 1);
        QCOMPARE(int(done.radios.at(0).result), result);
        QVERIFY((rack.radio(0).memory() == NewDocumentImage()) != duringWrite);
        QCOMPARE(rack.radio(1).sessionsEnded(), 0);
    }
};

QTEST_GUILESS_MAIN(TestStationLoop)
#include "test_station_loop.moc"
