#pragma once

#include "serial_port.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>

// An in-process serial line: every write is recorded, and when the engine reads, the bytes
// written since the last read are handed to the responder, whose answer joins the input queue.
// Answers longer than the read leave bytes behind, as a real line would.
class ScriptedPort : public SerialPort {
public:
    using Responder = std::function<QByteArray(const QByteArray& written)>;

    struct Event {
        enum Kind { Open, Purge, Write, Read, Close } kind;
        QByteArray bytes; // written, or received by a read
    };

    Responder responder = [](const QByteArray&) { return QByteArray(); };
    bool refuseOpen = false;
    QString refusal = QStringLiteral("Permission denied");

    QList<Event> events;
    int opens = 0;
    int closes = 0;

    bool Open(const QString&) override {
        if (refuseOpen) {
            return false;
        }
        ++opens;
        m_open = true;
        events.append(Event{Event::Open, {}});
        return true;
    }
    QString OpenError() const override { return refuseOpen ? refusal : QString(); }
    bool IsOpen() const override { return m_open; }
    void SetQueueSizes(int, int) override {}
    void SetTimeouts(const SerialTimeouts&) override {}
    void SetLine() override {}
    void Purge() override {
        Answer(); // what the radio said in the meantime is on the line, and goes
        m_input.clear();
        events.append(Event{Event::Purge, {}});
    }
    int Write(const std::uint8_t* bytes, int count) override {
        const QByteArray data(reinterpret_cast<const char*>(bytes), count);
        m_unanswered.append(data);
        events.append(Event{Event::Write, data});
        return count;
    }
    int Read(std::uint8_t* buffer, int count) override {
        Answer();
        const int taken = static_cast<int>(std::min<qsizetype>(count, m_input.size()));
        std::copy_n(m_input.constData(), taken, reinterpret_cast<char*>(buffer));
        events.append(Event{Event::Read, m_input.left(taken)});
        m_input.remove(0, taken);
        return taken;
    }
    void Close() override {
        ++closes;
        m_open = false;
        events.append(Event{Event::Close, {}});
    }

    // Every write, in order.
    QList<QByteArray> writes() const {
        QList<QByteArray> result;
        for (const Event& event : events) {
            if (event.kind == Event::Write) {
                result.append(event.bytes);
            }
        }
        return result;
    }
    // The event that came before the first write of bytes, or Open if none.
    Event::Kind kindBefore(const QByteArray& bytes) const {
        for (int i = 1; i < events.size(); ++i) {
            if (events[i].kind == Event::Write && events[i].bytes == bytes) {
                return events[i - 1].kind;
            }
        }
        return Event::Open;
    }

private:
    void Answer() {
        if (!m_unanswered.isEmpty()) {
            m_input.append(responder(m_unanswered));
            m_unanswered.clear();
        }
    }

    bool m_open = false;
    QByteArray m_unanswered;
    QByteArray m_input;
};
