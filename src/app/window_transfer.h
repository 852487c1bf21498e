#pragma once

#include "memory_image.h"
#include "programming_record.h"
#include "transfer_dialog.h"
#include "transfer_engine.h"
#include "transfer_thread.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

class LogWriter;
class QWidget;

// The window's reads and writes: the chosen port and direction, the progress dialog, and the
// worker thread the transfer runs on. The dialog's Start takes the image as it stands (the table
// encoded first, for a write), keeps a copy in the backup folder when it is about to be written,
// and hands the worker a copy; the window stays free while the blocks travel. The engine's boxes
// are shown here, on the window's thread, while the worker waits for them.
class WindowTransfer : public QObject {
    Q_OBJECT
public:
    // The program every transfer of the window is logged under, the station's included.
    static constexpr const char* kProgramName = "qtr318-cps";

    // owner, the window, carries the boxes and the dialog, which goes with this object.
    explicit WindowTransfer(QWidget* owner, QObject* parent = nullptr);
    // A transfer still under way is cancelled, and its port closed, before the window goes.
    ~WindowTransfer() override;

    // The image the next Start sends or reads into, asked for at Start.
    void setImageSource(std::function<MemoryImage(TransferDirection)> source) {
        m_imageSource = std::move(source);
    }

    // Read or Write chosen: the direction the next Start uses, and the dialog opened over widget
    // with title unless it is open already (then it keeps its caption).
    void open(TransferDirection direction, const QString& title, QWidget* over);
    // As a Read, but what the radio holds goes to radioCompared() and not into the window.
    void openCompare(const QString& title, QWidget* over);
    // The document's file, for the log of a write.
    void setFileSource(std::function<QString()> source) { m_fileSource = std::move(source); }
    LogWriter* log() const { return m_log; }

    TransferDirection direction() const { return m_direction; }
    const QString& portName() const { return m_portName; }
    // "COM1" to "COM4" (or a device): the port the next transfer opens.
    void setPortName(const QString& portName) { m_portName = portName; }
    TransferDialog* dialog() const { return m_dialog; }
    // Where the images read and about to be written are kept; the user's backup folder unless
    // set.
    void setBackupFolder(const QString& folder) { m_backupFolder = folder; }
    const QString& backupFolder() const { return m_backupFolder; }
    TransferThread* worker() const { return m_worker; }

    // From Start until the worker has closed its port and the window has taken the result.
    // Meanwhile nothing may replace the image, and the window must not close.
    bool isBusy() const;
    // Asks a transfer under way to stop at its next block; nothing if none is.
    void cancel();
    // The blocks of a write are going out: stopping now leaves the radio half-written.
    bool isWriting() const;
    // Before a stop the user did not ask for by Cancel (closing a window): true when nothing is
    // being written, or the user agrees to leave the radio half-written. The write goes on
    // meanwhile.
    bool stopConfirmed(QWidget* over);

signals:
    // A transfer began or ended (its port and dialog are closed by then).
    void runningChanged(bool running);
    // A read completed: everything the radio holds, to be taken in one step.
    void readCompleted(const MemoryImage& image);
    // What a transfer came to, for the status bar.
    void statusMessage(const QString& text);
    // A compare's read completed: what the radio holds, the window unchanged.
    void radioCompared(const MemoryImage& radio);
    // What became of the log that is not worth a box (a log set aside, a server that waits).
    void logNoted(const QString& text);
    // The user asked, from a port that would not open, for the cable doctor.
    void cableDoctorWanted();

private:
    void start();
    void finish(const TransferThread::Result& result);
    // For the status bar, and the box of a write the user stopped.
    QString outcomeText(const TransferThread::Result& result) const;
    // The user stopped a write after the radio took some of its blocks.
    bool stoppedMidWrite(const TransferOutcome& outcome) const;
    void askRetry(TransferThread::Phase phase, const QString& caption, const QString& text);
    void report(TransferThread::Phase phase, const QString& text, int severity,
                const QString& detail);
    // The differences found, in the box's words and field by field; empty when the read-back
    // matches.
    QString showReadBack(const TransferThread::Result& result);
    QString keepBackup(const MemoryImage& image, const QString& what);
    void logResult(const TransferThread::Result& result, const QString& readBackup);
    void tellLogged(bool ok, const QString& message);
    void setBusy(bool busy);

    QWidget* m_owner;
    QPointer<TransferDialog> m_dialog;
    TransferThread* m_worker;
    std::function<MemoryImage(TransferDirection)> m_imageSource;
    std::function<QString()> m_fileSource;
    LogWriter* m_log;
    ProgrammingRecord m_record;         // of the transfer under way
    ProgrammingRecord m_readBackRecord; // from the read-back's start
    TransferDirection m_direction = TransferDirection::Read;
    TransferDirection m_jobDirection = TransferDirection::Read; // of the transfer under way
    TransferThread::Phase m_phase = TransferThread::Phase::Transfer;
    QString m_portName = QStringLiteral("COM1");
    QString m_jobPortName; // the port of the transfer under way
    QString m_backupFolder;
    bool m_busy = false;
    bool m_cancelled = false; // asked for before or during the transfer
    bool m_compareNext = false;
    bool m_comparing = false; // the transfer under way is a compare's read
};
