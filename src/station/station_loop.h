#pragma once

#include "band_fit.h"
#include "log_location.h"
#include "memory_image.h"
#include "programming_record.h"
#include "radio_overrides.h"
#include "serial_port.h"
#include "transfer_engine.h"

#include <QDateTime>
#include <QMetaType>
#include <QMutex>
#include <QThread>
#include <QWaitCondition>
#include <atomic>
#include <functional>
#include <memory>

class ProgrammingLog;

// How one radio of a station run ended.
struct StationRadio {
    enum class Result {
        Written,     // written, read back and the same
        Refused,     // another model or band, or no backup: not written
        Failed,      // not read, or the write broke off
        Differs,     // written, but the read-back differs
        NotVerified, // written, but the read-back did not complete
        Stopped,     // stopped before its write: untouched
    };
    int number = 0; // counted from Plan::firstNumber in the order the radios answered
    QDateTime finished;
    Result result = Result::Failed;
    QString label;
    QString message;     // what the user reads about this radio
    QString backup;      // what it held before, when that was kept
    QString imageSha256; // of the image this radio was given
    // Its entry of Plan::radios has been written and verified: the next radio gets the next one.
    bool shareDone = false;
    qint64 elapsedMs = 0;
};

// Radio after radio on one port, each given the same image: wait until a radio answers, read and
// keep what it held, refuse one of another model or band unless told it may be overwritten,
// write, read back and compare, log every transfer, report the radio done, and wait until it has
// been unplugged before looking for the next. Runs on a thread of its own; everything reaches the
// window by queued signals.
//
// A stop takes effect at a safe point: at once while waiting or reading the radio before its
// write; once the write has begun, after this radio's read-back.
class StationLoop : public QThread {
    Q_OBJECT
public:
    struct Plan {
        QString portName;
        MemoryImage image;
        QString file; // what the image is called in the log
        QString label;
        QString program;     // what the records name as their program; empty: this one's name
        int firstNumber = 1; // of the first radio that answers
        bool overwriteOthers = false; // radios of another model or band are written too
        QString backupFolder;         // empty: the program's own folder, pruned as usual
        // When given, each radio gets the next of these in turn instead of image, logged under
        // its label (the run's label when it has none), and the run ends when all are written.
        // A radio not written and verified leaves its share to the next radio that answers,
        // which is most often the same radio plugged in again.
        QList<RadioOverride> radios;
        // The fleet's plan and version image is, on every record of the run; empty: none.
        QString fleetPlan;
        int fleetPlanVersion = 0;
        // The run ends once its first radio has been served and unplugged: the fleet's station
        // looks up every radio by its label before it is written.
        bool oneRadio = false;

        // Every frequency that the band or the raster refuse, of every image the run may write,
        // each once, in channel order.
        QList<StrayFrequency> strayFrequencies() const;
    };

    using PortFactory = std::function<std::unique_ptr<SerialPort>()>;

    // Between two looks for a radio.
    static constexpr int kProbeIntervalMs = 500;
    // A radio gone quiet this many looks in a row has been unplugged.
    static constexpr int kQuietLooks = 2;

    explicit StationLoop(QObject* parent = nullptr);
    // Stops at the next safe point and waits for it.
    ~StationLoop() override;

    void setPortFactory(PortFactory factory) { m_portFactory = std::move(factory); }
    void setProbeIntervalMs(int ms) { m_probeIntervalMs = ms; }
    // The log records go to (not owned, safe from any thread); without one the run opens its own
    // at location.
    void setLog(const ProgrammingLog* log) { m_log = log; }
    void setLogLocation(const LogLocation& location) { m_logLocation = location; }

    // Starts the run; false while one is still going.
    bool startStation(const Plan& plan);
    // Ends the run at the next safe point; safe from any thread.
    void requestStop();

    // What the log keeps of the image each radio is given.
    static QString imageSha256(const MemoryImage& image);

signals:
    // label: what the radio that answers will be logged under.
    void waitingForRadio(int number, const QString& label);
    void radioStarted(int number);
    // "读取备份", "写入", "读回校验": what the radio is going through.
    void stageStarted(int number, const QString& stage, bool stoppable);
    void progressShown(int done, int total);
    void radioFinished(const StationRadio& radio);
    // The radio just finished may be unplugged now.
    void waitingForDeparture(int number);
    // What the log had to say, the first time it said anything.
    void logProblem(const QString& message);
    // Every radio of Plan::radios has been written; the run ends.
    void radiosUsedUp(int radios);
    // The run is over: radios is how many were finished.
    void stationEnded(int radios);

protected:
    void run() override;

private:
    class Observer;
    friend class Observer;

    // Chooses what the next radio gets; false when Plan::radios are all written.
    bool takeNextShare();
    StationRadio serveRadio(int number);
    ProgrammingRecord startRecord(ProgrammingRecord::Operation operation) const;
    TransferOutcome transfer(MemoryImage& image, bool write, bool readBack);
    void log(const ProgrammingRecord& record);
    bool radioAnswers();
    // Waits one probe interval; false once a stop has been asked for.
    bool pause();
    bool stopRequested() const { return m_stop; }

    PortFactory m_portFactory;
    int m_probeIntervalMs = kProbeIntervalMs;
    const ProgrammingLog* m_log = nullptr;
    const ProgrammingLog* m_runLog = nullptr;
    LogLocation m_logLocation = LogLocation::FromEnvironment();
    bool m_logProblemTold = false;
    Plan m_plan;
    qsizetype m_share = 0; // the entry of Plan::radios the next radio gets
    MemoryImage m_image;   // what the radio being served gets
    QString m_label;       // and the label it is logged under
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_stoppable{true}; // whether a stop may cut the transfer under way
    QMutex m_mutex;
    QWaitCondition m_woken;
};

Q_DECLARE_METATYPE(StationRadio)
