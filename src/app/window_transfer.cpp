#include "window_transfer.h"

#include "backup_folder.h"
#include "image_diff.h"
#include "log_writer.h"
#include "messenger.h"
#include "transfer_dialog.h"
#include "transfer_record.h"

#include <QAction>

WindowTransfer::WindowTransfer(QWidget* owner, QObject* parent)
    : QObject(parent), m_owner(owner), m_dialog(new TransferDialog(owner)),
      m_worker(new TransferThread(this)), m_log(new LogWriter(this)),
      m_backupFolder(BackupFolder::Path()) {
    m_dialog->setObjectName(QStringLiteral("transferDialog"));
    connect(m_dialog, &TransferDialog::startTransfer, this, &WindowTransfer::start);
    connect(m_dialog, &TransferDialog::cancelTransfer, this, &WindowTransfer::cancel);
    m_dialog->setCloseGuard([this] { return stopConfirmed(m_dialog); });

    // The worker lives on its own thread; every one of these is queued to this one.
    connect(m_worker, &TransferThread::phaseStarted, this, [this](TransferThread::Phase phase) {
        m_phase = phase;
        // The read-back counts its blocks from 0 again; the phase beside the count says why.
        const QString name = phase == TransferThread::Phase::ReadBack  ? tr("写后校验")
                             : m_direction == TransferDirection::Write ? tr("写数据")
                                                                       : tr("读数据");
        m_dialog->setPhaseText(name);
        if (phase == TransferThread::Phase::ReadBack) {
            m_dialog->setWindowTitle(name);
            m_readBackRecord = TransferRecord::Start(
                m_jobPortName, ProgrammingRecord::Operation::ReadBack, m_record.label);
            m_readBackRecord.program = m_record.program;
        }
    });
    connect(m_worker, &TransferThread::progressRangeSet, this, [this](int low, int high) {
        m_dialog->setRange(low, high);
        m_dialog->setPos(low);
    });
    connect(m_worker, &TransferThread::progressShown, this, [this](int position, const QString&) {
        // The count first: whatever runs when the bar moves (even a nested event loop
        // that shows later blocks) must not be followed by an older count.
        m_dialog->showCount(position);
        m_dialog->setPos(position);
    });
    connect(m_worker, &TransferThread::retryAsked, this, &WindowTransfer::askRetry);
    connect(m_worker, &TransferThread::messageReported, this, &WindowTransfer::report);
    connect(m_worker, &TransferThread::transferFinished, this, &WindowTransfer::finish);
    connect(m_log, &LogWriter::appended, this, &WindowTransfer::tellLogged);
}

WindowTransfer::~WindowTransfer() {
    // The worker must not outlive the window it reports to.
    m_worker->requestCancel();
    disconnect(m_worker, nullptr, this, nullptr);
    delete m_worker;
    delete m_dialog; // its close box asks this object
}

void WindowTransfer::open(TransferDirection direction, const QString& title, QWidget* over) {
    m_direction = direction;
    m_dialog->setTitle(title);
    m_dialog->setVerifyOffered(direction == TransferDirection::Write);
    // An open window keeps its caption; the direction just set is what its Start will use.
    m_compareNext = false;
    m_dialog->openOver(over);
}

void WindowTransfer::openCompare(const QString& title, QWidget* over) {
    if (m_dialog->isWindowOpen()) {
        return; // a read or write chosen before keeps its window
    }
    m_direction = TransferDirection::Read;
    m_compareNext = true;
    m_dialog->setTitle(title);
    m_dialog->openOver(over);
}

bool WindowTransfer::isBusy() const {
    // Start greys itself before the worker is started from the queue; from that moment on the
    // transfer counts as under way.
    return m_busy || m_dialog->isStarted();
}

void WindowTransfer::cancel() {
    if (isBusy()) {
        m_cancelled = true;
        m_worker->requestCancel();
    }
}

void WindowTransfer::setBusy(bool busy) {
    if (!busy) {
        m_cancelled = false;
    }
    if (m_busy != busy) {
        m_busy = busy;
        emit runningChanged(busy);
    }
}

void WindowTransfer::start() {
    if (m_busy) {
        return; // one transfer at a time
    }
    setBusy(true);
    // A cancel can arrive before the transfer has begun, when the window is being closed.
    if (m_cancelled || !m_imageSource) {
        m_dialog->closeWindow();
        setBusy(false);
        return;
    }
    TransferThread::Job job;
    job.portName = m_portName;
    m_jobPortName = m_portName;
    job.direction = m_direction;
    m_jobDirection = m_direction;
    m_phase = TransferThread::Phase::Transfer;
    job.image = m_imageSource(m_direction);
    job.readBack = m_direction == TransferDirection::Write && m_dialog->verifyAfterWrite();
    m_comparing = m_compareNext && m_direction == TransferDirection::Read;
    m_record = TransferRecord::Start(m_jobPortName,
                                     m_direction == TransferDirection::Write
                                         ? ProgrammingRecord::Operation::Write
                                         : ProgrammingRecord::Operation::Read,
                                     m_dialog->label());
    m_record.program = QString::fromLatin1(kProgramName);
    if (m_direction == TransferDirection::Write) {
        TransferRecord::SetImage(m_record, job.image, m_fileSource ? m_fileSource() : QString());
        m_record.backup = keepBackup(job.image, QStringLiteral("write"));
        if (m_cancelled) { // while the backup's box was up
            m_dialog->closeWindow();
            setBusy(false);
            return;
        }
    }
    m_worker->startJob(job);
}

void WindowTransfer::finish(const TransferThread::Result& result) {
    m_worker->wait(); // it has returned from its work; now it is gone
    m_dialog->closeWindow();
    QString readBackup;
    if (result.direction == TransferDirection::Read && result.outcome.succeeded()) {
        readBackup = keepBackup(result.image, QStringLiteral("read"));
        if (m_comparing) {
            emit radioCompared(result.image);
        } else {
            emit readCompleted(result.image);
        }
    }
    logResult(result, readBackup);
    emit statusMessage(outcomeText(result));
    if (stoppedMidWrite(result.outcome)) {
        // The engine reports a write that failed part-way; one the user stopped is as unfinished.
        TheMessenger().showMessage(m_owner, kWarningCaption, outcomeText(result));
    }
    setBusy(false);
}

bool WindowTransfer::stoppedMidWrite(const TransferOutcome& outcome) const {
    return m_jobDirection == TransferDirection::Write &&
           outcome.result == TransferOutcome::Result::Cancelled && outcome.blocksDone > 0;
}

QString WindowTransfer::outcomeText(const TransferThread::Result& result) const {
    const TransferOutcome& outcome = result.outcome;
    const QString& port = m_jobPortName;
    const bool cancelled = outcome.result == TransferOutcome::Result::Cancelled;
    if (result.direction == TransferDirection::Read) {
        if (outcome.succeeded()) {
            return m_comparing
                       ? tr("已读出对讲机（%1）的数据与表格比较，窗口里的数据没有改变。").arg(port)
                       : tr("已从对讲机（%1）读入数据。").arg(port);
        }
        return cancelled ? tr("读数据已取消（%1），窗口里的数据没有改变。").arg(port)
                         : tr("读数据失败（%1），窗口里的数据没有改变。").arg(port);
    }
    if (outcome.succeeded()) {
        if (!result.readBackRun) {
            return tr("数据已写入对讲机（%1）。").arg(port);
        }
        if (!result.readBackOutcome.succeeded()) {
            return tr("数据已写入对讲机（%1），但没有校验。").arg(port);
        }
        return result.readBackImage == result.image
                   ? tr("数据已写入对讲机（%1），写后校验一致。").arg(port)
                   : tr("数据已写入对讲机（%1），但写后校验没有通过。").arg(port);
    }
    if (stoppedMidWrite(outcome)) {
        return tr("写数据已取消（%1）。%2")
            .arg(port, TransferText::UnfinishedWrite(outcome.blocksDone));
    }
    if (!cancelled && !outcome.detail.isEmpty() &&
        outcome.result != TransferOutcome::Result::CannotOpen) {
        return tr("写数据失败（%1）。%2").arg(port, outcome.detail);
    }
    return cancelled ? tr("写数据已取消（%1），对讲机里的数据没有改变。").arg(port)
                     : tr("写数据失败（%1），对讲机里的数据没有改变。").arg(port);
}

bool WindowTransfer::isWriting() const {
    const TransferDirection direction = m_busy ? m_jobDirection : m_direction;
    return isBusy() && direction == TransferDirection::Write &&
           m_phase == TransferThread::Phase::Transfer;
}

bool WindowTransfer::stopConfirmed(QWidget* over) {
    return !isWriting() ||
           TheMessenger().askYesNo(
               over,
               tr("正在写入对讲机。停止会使对讲机只写入一部分：新旧数据混杂，必须重新写入。"
                  "要停止写入吗？"),
               QString());
}

void WindowTransfer::logResult(const TransferThread::Result& result, const QString& readBackup) {
    using Result = ProgrammingRecord::Result;
    QList<ProgrammingRecord> records;
    ProgrammingRecord& record = m_record;
    TransferRecord::End(record, result.outcome, m_cancelled);
    if (stoppedMidWrite(result.outcome)) {
        record.message = TransferText::UnfinishedWrite(result.outcome.blocksDone);
    }
    if (result.direction == TransferDirection::Read && result.outcome.succeeded()) {
        TransferRecord::SetRadio(record, result.image);
        TransferRecord::SetImage(record, result.image, QString());
        record.backup = readBackup;
    }
    records.append(record);
    if (result.readBackRun) {
        ProgrammingRecord& check = m_readBackRecord;
        TransferRecord::End(check, result.readBackOutcome, m_cancelled);
        check.file = record.file;
        check.backup = record.backup;
        if (result.readBackOutcome.succeeded()) {
            TransferRecord::SetRadio(check, result.readBackImage);
            TransferRecord::SetImage(check, result.readBackImage, record.file);
            const QString differences = showReadBack(result);
            if (!differences.isEmpty()) {
                check.result = Result::Differs;
                check.message = differences;
            }
        } else if (check.result == Result::Failed) {
            check.result = Result::NotVerified;
        }
        records.append(check);
    }
    m_log->append(records);
}

void WindowTransfer::tellLogged(bool ok, const QString& message) {
    if (!ok) {
        ShowWarning(m_owner, tr("这次传输没有记入编程记录：%1").arg(message));
    } else if (!message.isEmpty()) {
        emit logNoted(message);
    }
}

void WindowTransfer::askRetry(TransferThread::Phase, const QString& caption, const QString& text) {
    m_worker->answerRetry(TheMessenger().askRetry(m_owner, caption, text));
}

void WindowTransfer::report(TransferThread::Phase phase, const QString& text, int severity,
                            const QString& detail) {
    if (phase == TransferThread::Phase::ReadBack) {
        // The write itself went through; only the check of it did not.
        TheMessenger().showMessage(
            m_owner, kWarningCaption,
            tr("数据已写入，但写后校验没有完成：%1。请再读一次对讲机检查。").arg(text), detail);
    } else if (text == TransferText::CannotOpen(m_jobPortName)) {
        // The cable doctor looks at what stands between the user and the port.
        if (TheMessenger().offerChoice(m_owner, kErrorCaption, text, detail, tr("串口诊断..."))) {
            emit cableDoctorWanted();
        }
    } else {
        TheMessenger().showMessage(m_owner, severity == 1 ? kErrorCaption : kWarningCaption, text,
                                   detail);
    }
    m_worker->messageDismissed();
}

QString WindowTransfer::showReadBack(const TransferThread::Result& result) {
    const QList<ImageDiff::Difference> differences =
        ImageDiff::Compare(result.image, result.readBackImage);
    if (differences.isEmpty()) {
        return QString();
    }
    QStringList channels;
    for (int channel : ImageDiff::Channels(differences)) {
        channels.append(QString::number(channel));
    }
    QStringList lines;
    for (const ImageDiff::Difference& difference : differences) {
        lines.append(ImageDiff::Describe(difference, tr("写入"), tr("电台")));
    }
    const QString found =
        channels.isEmpty()
            ? tr("写后校验发现对讲机里的数据与写入的不同。")
            : tr("写后校验发现对讲机里的数据与写入的不同：信道 %1。").arg(channels.join(tr("、")));
    const QString text = tr("%1请重新写入；再次不同时，对讲机可能有故障。").arg(found);
    const QString detail = lines.join(QLatin1Char('\n'));
    TheMessenger().showMessage(m_owner, kErrorCaption, text, detail);
    return text + QLatin1Char('\n') + detail;
}

QString WindowTransfer::keepBackup(const MemoryImage& image, const QString& what) {
    QString error;
    const QString source = QStringLiteral("%1_%2").arg(m_jobPortName, what);
    const QString path = BackupFolder::Keep(image, source, m_backupFolder,
                                            BackupFolder::Pruning::KeepNewest, &error);
    if (path.isEmpty()) {
        ShowWarning(m_owner, tr("没能在备份文件夹里保存一份：%1").arg(error));
    }
    return path;
}
