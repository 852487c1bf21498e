#pragma once

#include "memory_image.h"
#include "serial_port.h"
#include "transfer_observer.h"

#include <QString>
#include <array>
#include <cstdint>

enum class TransferDirection { Read, Write };

struct TransferOutcome {
    enum class Result {
        Succeeded,  // all blocks moved and the end frame acknowledged
        CannotOpen, // the port did not open; message reported, detail holds the system's reason
        Failed,     // the radio answered wrongly or not at all; message reported
        Cancelled,  // the user cancelled (progress step or program-mode question); nothing shown
    };
    Result result = Result::Succeeded;
    QString message; // the text that was reported; empty on success and cancel
    // What the user can do about CannotOpen; what the radio now holds after a write that did not
    // finish.
    QString detail;
    int blocksDone = 0; // blocks the radio acknowledged
    QString ident;      // what the radio called itself ("QT318"), empty when it never answered

    bool succeeded() const { return result == Result::Succeeded; }
};

// The texts the radio link shows the user, in the language of the run: functions, so that they
// are looked up after the translation is installed.
namespace TransferText {
QString CannotOpen(const QString& portName);
QString CommunicationError();
QString NotEnoughBytes();
QString ModelMismatch();
QString EndError();
inline const QString kRetryCaption = QStringLiteral("Error");
// A write that ends after its first block was sent leaves the radio with some blocks new and the
// rest old, a memory no read or write of this program ever produced.
QString UnfinishedWrite(int blocksDone);
} // namespace TransferText

// One transfer between the radio and a memory image, run to its end on the caller's thread.
// It opens, configures and always closes the port; failures are reported through the observer
// while the port is still open. A read leaves the image untouched unless the radio acknowledges
// the end of the read, and then replaces exactly the blocks that travel. Encoding the channel
// table before a write, decoding it after a read and closing the progress display are the
// caller's.
class TransferEngine {
public:
    static constexpr int kProgramModeAttemptsBeforeAsking = 5;

    TransferEngine(SerialPort& port, TransferObserver& observer)
        : m_port(port), m_observer(observer) {}

    TransferOutcome Run(const QString& portName, MemoryImage& image, TransferDirection direction);

    // Whether a radio answers one program-mode request on portName: how a program waiting for
    // the next radio of a batch sees one plugged in, and the last one unplugged. Reports nothing;
    // the port is closed again.
    bool Probe(const QString& portName);

private:
    using Frame = std::array<std::uint8_t, 4>;

    TransferOutcome Converse(MemoryImage& image, TransferDirection direction);
    void Configure();
    bool EnterProgramMode();
    // Waits until no more acknowledgements of program-mode requests arrive.
    void SettleAfterLateAck(int requestsAfterFirst);
    TransferOutcome CheckIdent();
    TransferOutcome WriteBlocks(const MemoryImage& image);
    TransferOutcome ReadBlocks(MemoryImage& image);
    bool ProgressStepCancelled();

    void Send(const std::uint8_t* bytes, int count);
    void SendByte(std::uint8_t byte);
    bool ReceiveAck();
    int Receive(int count);

    SerialPort& m_port;
    TransferObserver& m_observer;
    int m_blocksDone = 0;
    QString m_ident;
    bool m_blocksSent = false; // the radio's memory may have changed
    std::array<std::uint8_t, 20> m_receive{};
};
