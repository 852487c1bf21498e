#pragma once

// The transfer engine against a simulated radio on an in-process line that records what happens
// on it, and an observer that records what a user would see and answers Retry from a script.

#include "block_walk.h"
#include "simulated_radio.h"
#include "transfer_engine.h"

#include <QQueue>
#include <QRandomGenerator>
#include <QStringList>
#include <functional>

// When the engine reads, the bytes written since the last read go to the responder, whose answer
// joins the input queue; answers longer than the read leave bytes behind, as a real line would.
class ScriptedPort : public SerialPort {
public:
    enum Kind { Opened, Purged, Written, ReadBack, Closed };

    std::function<QByteArray(const QByteArray& written)> responder;
    QList<QPair<Kind, QByteArray>> events;
    QList<QByteArray> writes;
    int closes = 0;

    bool Open(const QString&) override { return m_open = Log(Opened); }
    QString OpenError() const override { return QString(); }
    bool IsOpen() const override { return m_open; }
    void SetQueueSizes(int, int) override {}
    void SetTimeouts(const SerialTimeouts&) override {}
    void SetLine() override {}
    void Purge() override {
        Answer(); // what the radio said in the meantime is on the line, and goes
        m_input.clear();
        Log(Purged);
    }
    int Write(const std::uint8_t* bytes, int count) override {
        m_unanswered.append(reinterpret_cast<const char*>(bytes), count);
        writes.append(QByteArray(reinterpret_cast<const char*>(bytes), count));
        Log(Written, writes.last());
        return count;
    }
    int Read(std::uint8_t* buffer, int count) override {
        Answer();
        const QByteArray taken = m_input.left(count);
        std::copy(taken.begin(), taken.end(), reinterpret_cast<char*>(buffer));
        m_input.remove(0, taken.size());
        Log(ReadBack, taken);
        return static_cast<int>(taken.size());
    }
    void Close() override {
        m_open = false;
        ++closes;
        Log(Closed);
    }

    // What happened on the line just before the first write of bytes.
    Kind kindBefore(const QByteArray& bytes) const {
        const qsizetype at = events.indexOf(qMakePair(Written, bytes));
        return at > 0 ? events[at - 1].first : Opened;
    }

private:
    bool Log(Kind kind, const QByteArray& bytes = QByteArray()) {
        events.append({kind, bytes});
        return true;
    }
    void Answer() {
        if (!m_unanswered.isEmpty() && responder) {
            m_input.append(responder(m_unanswered));
        }
        m_unanswered.clear();
    }

    bool m_open = false;
    QByteArray m_unanswered;
    QByteArray m_input;
};

class RecordingObserver : public TransferObserver {
public:
    explicit RecordingObserver(const SerialPort& port) : m_port(port) {}

    int cancelAtPosition = -1; // the user clicks Cancel during this block's progress step
    QQueue<bool> retryAnswers; // Cancel once they run out
    QString range;
    int position = 0;
    QStringList texts;
    QStringList questions;
    QStringList reports; // "text|severity|detail|open" or "...|closed"

    void SetProgressRange(int low, int high) override {
        range = QString("%1-%2").arg(low).arg(high);
    }
    void StepProgress() override { ++position; }
    int ProgressPosition() const override { return position; }
    void SetProgressText(const QString& text) override { texts.append(text); }
    void PumpEvents() override { m_cancel = m_cancel || position == cancelAtPosition; }
    bool CancelRequested() const override { return m_cancel; }
    bool AskRetry(const QString& caption, const QString& text) override {
        questions.append(caption + '|' + text);
        return !retryAnswers.isEmpty() && retryAnswers.dequeue();
    }
    void ReportMessage(const QString& text, int severity, const QString& detail) override {
        const QString line = m_port.IsOpen() ? "open" : "closed";
        reports.append(QString("%1|%2|%3|%4").arg(text).arg(severity).arg(detail, line));
    }

private:
    const SerialPort& m_port;
    bool m_cancel = false;
};

// base with every byte that travels taken from source.
inline MemoryImage WithBlocksOf(MemoryImage base, const MemoryImage& source) {
    for (int address = 0; address < MemoryImage::kSize; ++address) {
        if (BlockWalk::Travels(address)) {
            base.WriteByte(address, source.ReadByte(address));
        }
    }
    return base;
}

inline MemoryImage RandomImage(quint32 seed) {
    QRandomGenerator random(seed);
    MemoryImage image;
    for (int a = 0; a < MemoryImage::kSize; ++a) {
        image.WriteByte(a, static_cast<std::uint8_t>(random.bounded(256)));
    }
    return image;
}

// One transfer between an image and a simulated radio, each filled from its own seed.
struct Bench {
    explicit Bench(const SimulatedRadio::Options& options = {})
        : radio(RandomImage(1), options), observer(port), image(RandomImage(99)), before(image) {
        filter([](const QByteArray&, const QByteArray& answer) { return answer; });
    }
    // Lets a test change the radio's answers.
    void filter(std::function<QByteArray(const QByteArray& written, QByteArray answer)> change) {
        port.responder = [this, change](const QByteArray& written) {
            return change(written, radio.Receive(written));
        };
    }
    TransferOutcome run(bool write, const QString& portName = "COM1") {
        TransferEngine engine(port, observer);
        return engine.Run(portName, image,
                          write ? TransferDirection::Write : TransferDirection::Read);
    }

    SimulatedRadio radio;
    ScriptedPort port;
    RecordingObserver observer;
    MemoryImage image;
    const MemoryImage before; // the image as the transfer found it
};
