#include "station_loop.h"

#include "backup_folder.h"
#include "block_walk.h"
#include "channel_codec.h"
#include "programming_log.h"
#include "qt_serial_port.h"
#include "radio_mismatch.h"
#include "transfer_record.h"
#include "unattended_observer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>

namespace {

using Operation = ProgrammingRecord::Operation;
using Result = StationRadio::Result;

// How long a radio just written may take to answer the read-back: one that restarts after a
// write answers well within it.
constexpr int kReadBackPatienceMs = 5000;

} // namespace

// The engine's view of the station: nobody sits at a Retry button, so a radio that stops
// answering fails, except while it restarts for the read-back.
class StationLoop::Observer : public UnattendedObserver {
public:
    Observer(StationLoop& loop, bool patient) : m_loop(loop) {
        SetPatience(patient ? kReadBackPatienceMs : 0, 0);
    }

    bool CancelRequested() const override { return m_loop.m_stoppable && m_loop.m_stop; }

private:
    void ProgressShown(int done, int total) override { emit m_loop.progressShown(done, total); }

    StationLoop& m_loop;
};

QList<StrayFrequency> StationLoop::Plan::strayFrequencies() const {
    QList<MemoryImage> images;
    if (radios.isEmpty()) {
        images << image;
    }
    for (const RadioOverride& radio : radios) {
        images << radio.image;
    }
    QList<StrayFrequency> strays;
    for (const MemoryImage& given : images) {
        ChannelTable table;
        DecodeChannels(given, table);
        for (const StrayFrequency& stray : StrayFrequencies(table)) {
            if (!strays.contains(stray)) {
                strays << stray;
            }
        }
    }
    std::stable_sort(strays.begin(), strays.end(), [](const auto& a, const auto& b) {
        return std::pair(a.channel, a.column) < std::pair(b.channel, b.column);
    });
    return strays;
}

StationLoop::StationLoop(QObject* parent) : QThread(parent) {
    qRegisterMetaType<StationRadio>();
    m_portFactory = [] { return std::make_unique<QtSerialPort>(); };
}

StationLoop::~StationLoop() {
    requestStop();
    wait();
}

bool StationLoop::startStation(const Plan& plan) {
    if (isRunning()) {
        return false;
    }
    wait();
    m_plan = plan;
    m_stop = false;
    start();
    return true;
}

QString StationLoop::imageSha256(const MemoryImage& image) {
    ProgrammingRecord record;
    TransferRecord::SetImage(record, image, QString());
    return record.imageSha256;
}

void StationLoop::requestStop() {
    QMutexLocker lock(&m_mutex);
    m_stop = true;
    m_woken.wakeAll();
}

bool StationLoop::pause() {
    QMutexLocker lock(&m_mutex);
    if (!m_stop && m_probeIntervalMs > 0) {
        m_woken.wait(&m_mutex, m_probeIntervalMs);
    }
    return !m_stop;
}

bool StationLoop::radioAnswers() {
    const std::unique_ptr<SerialPort> port = m_portFactory();
    Observer observer(*this, false);
    return TransferEngine(*port, observer).Probe(m_plan.portName);
}

TransferOutcome StationLoop::transfer(MemoryImage& image, bool write, bool readBack) {
    const std::unique_ptr<SerialPort> port = m_portFactory();
    Observer observer(*this, readBack);
    return TransferEngine(*port, observer)
        .Run(m_plan.portName, image, write ? TransferDirection::Write : TransferDirection::Read);
}

ProgrammingRecord StationLoop::startRecord(ProgrammingRecord::Operation operation) const {
    ProgrammingRecord record = TransferRecord::Start(m_plan.portName, operation, m_label);
    if (!m_plan.program.isEmpty()) {
        record.program = m_plan.program;
    }
    record.plan = m_plan.fleetPlan;
    record.planVersion = m_plan.fleetPlanVersion;
    return record;
}

void StationLoop::log(const ProgrammingRecord& record) {
    const LogStatus status = m_runLog->append(record);
    if (!status.message.isEmpty() && !m_logProblemTold) {
        m_logProblemTold = true;
        emit logProblem(status.message);
    }
}

void StationLoop::run() {
    std::unique_ptr<ProgrammingLog> ownLog;
    if (!m_log) {
        ownLog = std::make_unique<ProgrammingLog>(m_logLocation);
    }
    m_runLog = m_log ? m_log : ownLog.get();
    m_logProblemTold = false;
    int finished = 0;
    m_share = 0;
    for (int number = m_plan.firstNumber; !m_stop && takeNextShare(); ++number) {
        emit waitingForRadio(number, m_label);
        bool present = false;
        while (!(present = radioAnswers()) && pause()) {
        }
        if (!present) {
            break;
        }
        emit radioStarted(number);
        StationRadio radio = serveRadio(number);
        radio.shareDone = !m_plan.radios.isEmpty() && radio.result == Result::Written;
        m_share += radio.shareDone;
        emit radioFinished(radio);
        ++finished;
        emit waitingForDeparture(number);
        for (int quiet = 0; quiet < kQuietLooks && pause();) {
            quiet = radioAnswers() ? 0 : quiet + 1;
        }
        if (m_plan.oneRadio) {
            break;
        }
    }
    // Records that waited for another program's lock on the log go in now, or the user hears.
    if (const LogStatus status = m_runLog->flush(); !status.ok) {
        emit logProblem(status.message);
    }
    m_runLog = nullptr;
    emit stationEnded(finished);
}

bool StationLoop::takeNextShare() {
    m_image = m_plan.image;
    m_label = m_plan.label;
    if (m_plan.radios.isEmpty()) {
        return true;
    }
    if (m_share == m_plan.radios.size()) {
        emit radiosUsedUp(int(m_share));
        return false;
    }
    const RadioOverride& share = m_plan.radios.at(m_share);
    m_image = share.image;
    m_label = share.label.isEmpty() ? m_plan.label : share.label;
    return true;
}

// One radio as qtr318 write treats it: nothing is written without a backup of what it held, and
// nothing written goes unchecked.
StationRadio StationLoop::serveRadio(int number) {
    QElapsedTimer clock;
    clock.start();
    StationRadio radio;
    radio.number = number;
    radio.label = m_label;
    radio.imageSha256 = imageSha256(m_image);
    const auto done = [&](Result result, const QString& message) {
        radio.result = result;
        radio.message = message;
        radio.finished = QDateTime::currentDateTime();
        radio.elapsedMs = clock.elapsed();
        return radio;
    };
    const QString& port = m_plan.portName;

    m_stoppable = true;
    emit stageStarted(number, tr("读取备份"), true);
    MemoryImage held = m_image;
    ProgrammingRecord record = startRecord(Operation::Read);
    TransferOutcome outcome = transfer(held, false, false);
    TransferRecord::End(record, outcome, m_stop);
    if (!outcome.succeeded()) {
        log(record);
        return m_stop ? done(Result::Stopped, tr("已停止，没有写入。"))
                      : done(Result::Failed, tr("没有写入：写入前没能读出对讲机里的数据。"));
    }
    TransferRecord::SetRadio(record, held);
    QString error;
    const QString folder =
        m_plan.backupFolder.isEmpty() ? BackupFolder::Path(&error) : m_plan.backupFolder;
    radio.backup = folder.isEmpty() ? QString()
                                    : BackupFolder::Keep(held, port, folder,
                                                         m_plan.backupFolder.isEmpty()
                                                             ? BackupFolder::Pruning::KeepNewest
                                                             : BackupFolder::Pruning::KeepAll,
                                                         &error);
    TransferRecord::SetImage(record, held, radio.backup);
    record.backup = radio.backup;
    const auto refuse = [&](const QString& message) {
        record.result = ProgrammingRecord::Result::Failed;
        record.message = message;
        log(record);
        return done(Result::Refused, message);
    };
    if (radio.backup.isEmpty()) {
        return refuse(error + tr("；没有备份就不写入。"));
    }
    const QString mismatch = RadioMismatch(m_image, held);
    if (!mismatch.isEmpty() && !m_plan.overwriteOthers) {
        return refuse(tr("没有写入：表格与对讲机不符（%1）。").arg(mismatch));
    }
    log(record);
    if (m_stop) {
        return done(Result::Stopped, tr("已停止，没有写入。"));
    }

    // From here the radio's memory changes: a stop waits until it has been read back.
    m_stoppable = false;
    emit stageStarted(number, tr("写入"), false);
    MemoryImage written = m_image;
    record = startRecord(Operation::Write);
    outcome = transfer(written, true, false);
    TransferRecord::End(record, outcome, false);
    TransferRecord::SetRadio(record, held);
    TransferRecord::SetImage(record, m_image, m_plan.file);
    record.backup = radio.backup;
    log(record);
    if (!outcome.succeeded()) {
        return done(Result::Failed, record.message);
    }

    emit stageStarted(number, tr("读回校验"), false);
    MemoryImage readBack = m_image;
    record = startRecord(Operation::ReadBack);
    outcome = transfer(readBack, false, true);
    TransferRecord::End(record, outcome, false);
    TransferRecord::SetImage(record, readBack, m_plan.file);
    record.backup = radio.backup;
    m_stoppable = true;
    if (!outcome.succeeded()) {
        record.result = ProgrammingRecord::Result::NotVerified;
        record.message = tr("已写入，但读回校验在第 %1 块（共 %2 "
                            "块）中断，没有校验。请检查写频线和对讲机的电量。")
                             .arg(outcome.blocksDone + 1)
                             .arg(BlockWalk::kBlockCount);
        log(record);
        return done(Result::NotVerified, record.message);
    }
    TransferRecord::SetRadio(record, readBack);
    if (readBack != m_image) {
        record.result = ProgrammingRecord::Result::Differs;
        record.message = tr("写入后读回的数据与表格不同。");
        log(record);
        return done(Result::Differs, record.message);
    }
    record.message = tr("已写入，校验通过。");
    log(record);
    return done(Result::Written, record.message);
}
