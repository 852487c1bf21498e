#include "simulated_radio.h"

namespace {

constexpr char kAck = 0x06;
constexpr char kNak = 0x15;
const QByteArray kProgramRequest("\x02PROGRA", 7);
const QByteArray kIdentRequest("M\x02", 2);
constexpr int kBlockSize = 8;
constexpr int kWriteFrameSize = 4 + kBlockSize;
constexpr int kHeaderSize = 4;

int FrameAddress(const QByteArray& frame) {
    return (static_cast<std::uint8_t>(frame[1]) << 8) | static_cast<std::uint8_t>(frame[2]);
}

} // namespace

SimulatedRadio::SimulatedRadio(const MemoryImage& memory, const Options& options)
    : m_memory(memory), m_options(options) {}

QByteArray SimulatedRadio::Receive(const QByteArray& bytes) {
    const int quietAfter = m_options.quietAfterSessions;
    if (quietAfter >= 0 && m_sessionsEnded >= quietAfter) {
        return QByteArray(); // switched off: what arrives goes nowhere
    }
    m_pending.append(bytes);
    QByteArray reply;
    while (!m_pending.isEmpty() && ConsumeFrame(reply)) {
    }
    return reply;
}

bool SimulatedRadio::ConsumeFrame(QByteArray& reply) {
    const char first = m_pending.at(0);
    // A new program-mode request starts a new session whatever state the last one was left in.
    if (first == kProgramRequest.at(0)) {
        return ConsumeProgramRequest(reply);
    }
    if (m_state == State::AwaitIdent && first == kIdentRequest.at(0)) {
        if (m_pending.size() < kIdentRequest.size()) {
            return false;
        }
        const bool proper = m_pending.startsWith(kIdentRequest);
        m_pending.remove(0, proper ? kIdentRequest.size() : 1);
        if (proper) {
            ++m_frame;
            reply += Answer(IdentReply());
            m_state = State::AwaitIdentAck;
        }
        return true;
    }
    if (m_state == State::AwaitIdentAck && first == kAck) {
        m_pending.remove(0, 1);
        ++m_frame;
        reply += Answer(QByteArray(1, kAck));
        m_state = State::Blocks;
        return true;
    }
    if (m_state == State::Blocks) {
        bool needMore = false;
        ConsumeBlockFrame(reply, needMore);
        return !needMore;
    }
    m_pending.remove(0, 1); // noise between frames
    return true;
}

bool SimulatedRadio::ConsumeProgramRequest(QByteArray& reply) {
    const int have = static_cast<int>(std::min(m_pending.size(), kProgramRequest.size()));
    if (m_pending.left(have) != kProgramRequest.left(have)) {
        m_pending.remove(0, 1);
        return true;
    }
    if (have < kProgramRequest.size()) {
        return false;
    }
    m_pending.remove(0, kProgramRequest.size());
    ++m_programRequestsSeen;
    const int ignored = m_options.ignoredProgramRequests;
    if (ignored < 0 || m_programRequestsSeen <= ignored) {
        return true;
    }
    m_state = State::AwaitIdent;
    m_frame = 1;
    ++m_session;
    reply += Answer(QByteArray(1, kAck));
    return true;
}

void SimulatedRadio::ConsumeBlockFrame(QByteArray& reply, bool& needMore) {
    const char command = m_pending.at(0);
    int size = 1;
    if (command == 'W') {
        size = kWriteFrameSize;
    } else if (command == 'R' || command == 'E') {
        size = kHeaderSize;
    } else if (command != kAck) {
        m_pending.remove(0, 1);
        return;
    }
    if (m_pending.size() < size) {
        needMore = true;
        return;
    }
    const QByteArray frame = m_pending.left(size);
    m_pending.remove(0, size);
    ++m_frame;
    if (command == 'W') {
        const bool faulty = AtFault();
        if (!faulty) {
            StoreBlock(frame); // a block the radio refuses is not stored
        } else if (m_options.fault == Fault::Misstore) {
            QByteArray damaged = frame;
            damaged[kHeaderSize] = static_cast<char>(damaged[kHeaderSize] ^ 0x01);
            StoreBlock(damaged);
        }
        reply += Answer(QByteArray(1, kAck));
    } else if (command == 'R') {
        reply += Answer(ReadReply(FrameAddress(frame)));
    } else if (command == kAck) {
        reply += Answer(QByteArray(1, kAck));
    } else if (frame == "ENDW" || frame == "ENDR") {
        const bool faulty = AtFault();
        reply += Answer(QByteArray(1, kAck));
        m_state = State::Idle;
        ++m_sessionsEnded;
        if (frame == "ENDW" && !faulty && m_onEndOfWrite) {
            m_onEndOfWrite();
        }
    } else {
        --m_frame; // "E" that is no end frame: not a frame at all
        m_pending.prepend(frame.mid(1));
    }
}

bool SimulatedRadio::AtFault() const {
    return m_frame == m_options.faultFrame &&
           (m_options.faultSession == 0 || m_session == m_options.faultSession);
}

QByteArray SimulatedRadio::Answer(const QByteArray& proper) {
    if (!AtFault()) {
        return proper;
    }
    switch (m_options.fault) {
    case Fault::Nak:
        return QByteArray(1, kNak);
    case Fault::Silence:
        return QByteArray();
    case Fault::Short:
        return proper.left(proper.size() - 1);
    case Fault::None:
    case Fault::Misstore: // answers properly; the damage is in what it keeps
        break;
    }
    return proper;
}

QByteArray SimulatedRadio::IdentReply() const {
    QByteArray reply(8, '\0');
    reply.replace(1, static_cast<int>(std::min<qsizetype>(m_options.ident.size(), 7)),
                  m_options.ident.left(7));
    return reply.left(8);
}

QByteArray SimulatedRadio::ReadReply(int address) const {
    QByteArray reply;
    reply.append('W');
    reply.append(static_cast<char>(address >> 8));
    reply.append(static_cast<char>(address & 0xFF));
    reply.append(static_cast<char>(kBlockSize));
    for (int i = 0; i < kBlockSize; ++i) {
        reply.append(static_cast<char>(m_memory.ReadByte(address + i)));
    }
    return reply;
}

void SimulatedRadio::StoreBlock(const QByteArray& frame) {
    const int address = FrameAddress(frame);
    for (int i = 0; i < kBlockSize; ++i) {
        m_memory.WriteByte(address + i, static_cast<std::uint8_t>(frame[kHeaderSize + i]));
    }
}
