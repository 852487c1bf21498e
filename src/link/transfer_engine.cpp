#include "transfer_engine.h"

#include "block_walk.h"

#include <QCoreApplication>
#include <cstring>

namespace {

constexpr std::uint8_t kAck = 0x06;
constexpr std::uint8_t kProgramModeRequest[] = {0x02, 'P', 'R', 'O', 'G', 'R', 'A'};
constexpr std::uint8_t kIdentRequest[] = {'M', 0x02};
constexpr std::uint8_t kEndOfWrite[] = {'E', 'N', 'D', 'W'};
constexpr std::uint8_t kEndOfRead[] = {'E', 'N', 'D', 'R'};
constexpr std::uint8_t kWriteCommand = 'W';
constexpr std::uint8_t kReadCommand = 'R';
constexpr int kIdentReplySize = 8;
constexpr int kReadReplySize = 12;
constexpr int kReadReplyDataOffset = 4;
constexpr int kEventsPerProgressStep = 10;
constexpr int kInputQueueSize = 1024;
constexpr int kOutputQueueSize = 512;
constexpr int kErrorSeverity = 1;
// A read of this many bytes waits 390 ms for the first of them: about twice as long as one
// program-mode attempt takes, so the acknowledgements of requests sent one attempt apart never
// leave it empty between them.
constexpr int kSettleReadSize = 3;

TransferOutcome Outcome(TransferOutcome::Result result, const QString& message = QString()) {
    TransferOutcome outcome;
    outcome.result = result;
    outcome.message = message;
    return outcome;
}

TransferOutcome Failure(const QString& message) {
    return Outcome(TransferOutcome::Result::Failed, message);
}

std::array<std::uint8_t, 4> BlockHeader(std::uint8_t command, int address) {
    const auto word = static_cast<std::uint16_t>(address);
    return {command, static_cast<std::uint8_t>(word >> 8), static_cast<std::uint8_t>(word & 0xFF),
            static_cast<std::uint8_t>(BlockWalk::kBlockSize)};
}

bool IdentMatches(const std::uint8_t* reply) {
    return std::memcmp(reply + 1, "QT318", 5) == 0 || std::memcmp(reply + 1, "4619", 4) == 0;
}

// The printable part of the reply after its first byte, as a record of which radio answered.
QString IdentText(const std::uint8_t* reply) {
    QString text;
    for (int i = 1; i < kIdentReplySize; ++i) {
        const char c = static_cast<char>(reply[i]);
        if (c > ' ' && c < 0x7F) {
            text += QLatin1Char(c);
        }
    }
    return text;
}

} // namespace

QString TransferText::CannotOpen(const QString& portName) {
    return QCoreApplication::translate("TransferEngine", "不能打开串口%1").arg(portName);
}

QString TransferText::CommunicationError() {
    return QCoreApplication::translate("TransferEngine", "通信错误");
}

QString TransferText::NotEnoughBytes() {
    return QCoreApplication::translate("TransferEngine", "未收到足够的字节");
}

QString TransferText::ModelMismatch() {
    return QCoreApplication::translate("TransferEngine", "机型不匹配");
}

QString TransferText::EndError() {
    return QCoreApplication::translate("TransferEngine", "结束错误");
}

QString TransferText::UnfinishedWrite(int blocksDone) {
    if (blocksDone >= BlockWalk::kBlockCount) {
        return QCoreApplication::translate("TransferEngine",
                                           "%1 块都已送出，但对讲机没有确认写入结束，"
                                           "不能确定它保存了新数据。请重新写入。")
            .arg(BlockWalk::kBlockCount);
    }
    return QCoreApplication::translate("TransferEngine",
                                       "写入没有完成：对讲机确认收到 %1 块（共 %2 块）后就中断了，"
                                       "现在它里面是新旧混杂的数据。请重新写入。")
        .arg(blocksDone)
        .arg(BlockWalk::kBlockCount);
}

TransferOutcome TransferEngine::Run(const QString& portName, MemoryImage& image,
                                    TransferDirection direction) {
    m_observer.SetProgressRange(0, BlockWalk::kBlockCount);
    m_blocksDone = 0;
    m_blocksSent = false;
    m_ident.clear();
    if (!m_port.Open(portName)) {
        TransferOutcome outcome =
            Outcome(TransferOutcome::Result::CannotOpen, TransferText::CannotOpen(portName));
        outcome.detail = m_port.OpenError();
        m_observer.ReportMessage(outcome.message, kErrorSeverity, outcome.detail);
        return outcome;
    }
    Configure();
    m_observer.SetProgressText(QStringLiteral("0"));
    TransferOutcome outcome = Converse(image, direction);
    outcome.blocksDone = m_blocksDone;
    outcome.ident = m_ident;
    if (direction == TransferDirection::Write &&
        outcome.result == TransferOutcome::Result::Failed && m_blocksSent) {
        outcome.detail = TransferText::UnfinishedWrite(m_blocksDone);
    }
    // The user reads the failure while the radio is still connected; only then is the port let go.
    if (outcome.result == TransferOutcome::Result::Failed) {
        m_observer.ReportMessage(outcome.message, kErrorSeverity, outcome.detail);
    }
    m_port.Close();
    return outcome;
}

bool TransferEngine::Probe(const QString& portName) {
    if (!m_port.Open(portName)) {
        return false;
    }
    Configure();
    m_port.Purge();
    for (std::uint8_t byte : kProgramModeRequest) {
        SendByte(byte);
    }
    const bool answered = ReceiveAck();
    m_port.Close();
    return answered;
}

void TransferEngine::Configure() {
    m_port.SetQueueSizes(kInputQueueSize, kOutputQueueSize);
    m_port.SetTimeouts(SerialTimeouts{});
    m_port.SetLine();
}

TransferOutcome TransferEngine::Converse(MemoryImage& image, TransferDirection direction) {
    if (!EnterProgramMode()) {
        return Outcome(TransferOutcome::Result::Cancelled);
    }
    const TransferOutcome ident = CheckIdent();
    if (!ident.succeeded()) {
        return ident;
    }
    return direction == TransferDirection::Write ? WriteBlocks(image) : ReadBlocks(image);
}

bool TransferEngine::EnterProgramMode() {
    int failures = 0; // never reset: once the radio has failed five times, every failure asks
    for (;;) {
        m_port.Purge();
        for (std::uint8_t byte : kProgramModeRequest) {
            SendByte(byte);
        }
        if (ReceiveAck()) {
            if (failures > 0) {
                SettleAfterLateAck(failures);
            }
            return true;
        }
        ++failures;
        if (failures >= kProgramModeAttemptsBeforeAsking &&
            !m_observer.AskRetry(TransferText::kRetryCaption, TransferText::CommunicationError())) {
            return false;
        }
    }
}

void TransferEngine::SettleAfterLateAck(int requestsAfterFirst) {
    // The acknowledgement just taken may answer an earlier request, with the answers to the
    // later ones still on their way; in front of the ident reply they would make it look like
    // another model's. At most one answer per request can be outstanding, so a line that keeps
    // talking beyond that is left to the ident check.
    for (int read = 0; read <= requestsAfterFirst; ++read) {
        if (Receive(kSettleReadSize) == 0) {
            break;
        }
    }
}

TransferOutcome TransferEngine::CheckIdent() {
    m_port.Purge();
    Send(kIdentRequest, sizeof kIdentRequest);
    if (Receive(kIdentReplySize) < kIdentReplySize) {
        return Failure(TransferText::NotEnoughBytes());
    }
    m_ident = IdentText(m_receive.data());
    if (!IdentMatches(m_receive.data())) {
        return Failure(TransferText::ModelMismatch());
    }
    m_port.Purge();
    SendByte(kAck);
    if (!ReceiveAck()) {
        return Failure(TransferText::CommunicationError());
    }
    return Outcome(TransferOutcome::Result::Succeeded);
}

TransferOutcome TransferEngine::WriteBlocks(const MemoryImage& image) {
    for (int address : BlockWalk::kAddresses) {
        std::array<std::uint8_t, BlockWalk::kBlockSize> data{};
        for (int i = 0; i < BlockWalk::kBlockSize; ++i) {
            data[static_cast<std::size_t>(i)] = image.ReadByte(address + i);
        }
        m_port.Purge();
        const Frame header = BlockHeader(kWriteCommand, address);
        m_blocksSent = true;
        Send(header.data(), static_cast<int>(header.size()));
        Send(data.data(), static_cast<int>(data.size()));
        if (!ReceiveAck()) {
            return Failure(TransferText::CommunicationError());
        }
        ++m_blocksDone;
        if (ProgressStepCancelled()) {
            return Outcome(TransferOutcome::Result::Cancelled);
        }
    }
    m_port.Purge();
    Send(kEndOfWrite, sizeof kEndOfWrite);
    if (!ReceiveAck()) {
        return Failure(TransferText::EndError());
    }
    return Outcome(TransferOutcome::Result::Succeeded);
}

TransferOutcome TransferEngine::ReadBlocks(MemoryImage& image) {
    // Blocks collect in a copy so that a read that does not finish leaves the image as it was
    // rather than a mixture of the radio's memory and the old contents.
    MemoryImage received = image;
    for (int address : BlockWalk::kAddresses) {
        m_port.Purge();
        const Frame request = BlockHeader(kReadCommand, address);
        Send(request.data(), static_cast<int>(request.size()));
        if (Receive(kReadReplySize) < kReadReplySize) {
            return Failure(TransferText::NotEnoughBytes());
        }
        for (int i = 0; i < BlockWalk::kBlockSize; ++i) {
            received.WriteByte(address + i,
                               m_receive[static_cast<std::size_t>(kReadReplyDataOffset + i)]);
        }
        m_port.Purge();
        SendByte(kAck);
        if (!ReceiveAck()) {
            return Failure(TransferText::CommunicationError());
        }
        ++m_blocksDone;
        if (ProgressStepCancelled()) {
            return Outcome(TransferOutcome::Result::Cancelled);
        }
    }
    // No purge here: the radio may already be answering, and its answer must not be thrown away.
    Send(kEndOfRead, sizeof kEndOfRead);
    if (!ReceiveAck()) {
        return Failure(TransferText::EndError());
    }
    for (int address : BlockWalk::kAddresses) {
        for (int i = 0; i < BlockWalk::kBlockSize; ++i) {
            image.WriteByte(address + i, received.ReadByte(address + i));
        }
    }
    return Outcome(TransferOutcome::Result::Succeeded);
}

bool TransferEngine::ProgressStepCancelled() {
    m_observer.StepProgress();
    m_observer.SetProgressText(QString::number(m_observer.ProgressPosition()));
    for (int i = 0; i < kEventsPerProgressStep; ++i) {
        m_observer.PumpEvents();
        if (m_observer.CancelRequested()) {
            return true;
        }
    }
    return false;
}

void TransferEngine::Send(const std::uint8_t* bytes, int count) {
    m_port.Write(bytes, count);
}

void TransferEngine::SendByte(std::uint8_t byte) {
    m_port.Write(&byte, 1);
}

bool TransferEngine::ReceiveAck() {
    return Receive(1) == 1 && m_receive[0] == kAck;
}

int TransferEngine::Receive(int count) {
    // A byte left from an earlier answer must never pass for this one.
    m_receive.fill(0);
    return m_port.Read(m_receive.data(), count);
}
