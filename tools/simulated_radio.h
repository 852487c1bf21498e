#pragma once

#include "memory_image.h"

#include <QByteArray>
#include <functional>

// The radio's side of the programming protocol, fed with the bytes the program sends and giving
// back the bytes the radio answers. It serves one session after another from its own memory.
//
// Sessions are numbered from 1 in the order their program-mode requests were accepted.
// Frames of a session are numbered from 1: the accepted program-mode request, the ident request,
// the ident acknowledgement, then every block frame (a read block takes two: the request and its
// acknowledgement) and finally the end frame. Faults aim at these numbers.
class SimulatedRadio {
public:
    // Misstore: acknowledges write frame N but keeps its block with bit 0 of the first byte
    // flipped, the way a failing memory cell would.
    enum class Fault { None, Nak, Silence, Short, Misstore };

    struct Options {
        QByteArray ident = "QT318";     // placed at bytes 1.. of the 8-byte ident reply
        int ignoredProgramRequests = 0; // program-mode requests left unanswered; -1: all of them
        int faultFrame = 0;             // 0: none
        Fault fault = Fault::None;
        int faultSession = 0;        // the session (counted from 1) the fault is in; 0: every one
        int quietAfterSessions = -1; // after this many sessions ended, answers nothing; -1: never
    };

    SimulatedRadio(const MemoryImage& memory, const Options& options);

    // Consumes what arrived on the line; returns the answer to every frame it completed.
    QByteArray Receive(const QByteArray& bytes);

    const MemoryImage& memory() const { return m_memory; }
    int sessionsEnded() const { return m_sessionsEnded; }
    // The number of the last frame the current session completed.
    int frame() const { return m_frame; }
    // Called after each acknowledged end of write, so the memory can be saved.
    void setOnEndOfWrite(std::function<void()> handler) { m_onEndOfWrite = std::move(handler); }

private:
    enum class State { Idle, AwaitIdent, AwaitIdentAck, Blocks };

    // Returns false when more bytes are needed before the front of the buffer means anything.
    bool ConsumeFrame(QByteArray& reply);
    bool ConsumeProgramRequest(QByteArray& reply);
    void ConsumeBlockFrame(QByteArray& reply, bool& needMore);
    QByteArray Answer(const QByteArray& proper);
    bool AtFault() const;
    QByteArray IdentReply() const;
    QByteArray ReadReply(int address) const;
    void StoreBlock(const QByteArray& frame);

    MemoryImage m_memory;
    Options m_options;
    QByteArray m_pending;
    State m_state = State::Idle;
    int m_frame = 0;
    int m_programRequestsSeen = 0;
    int m_session = 0;
    int m_sessionsEnded = 0;
    std::function<void()> m_onEndOfWrite;
};
