#pragma once

#include "simulated_radio.h"
#include "transfer_bench.h"

#include <memory>
#include <vector>

// Radios plugged into one cable one after another, in process: plugNext() puts the next one on
// the cable, unplug() takes it away. Used only from the station's thread: its ports and the
// slots a test connects directly.
class RadioRack {
public:
    void add(const MemoryImage& memory, const SimulatedRadio::Options& options = {}) {
        m_radios.push_back(std::make_unique<SimulatedRadio>(memory, options));
    }
    // False when every radio has had its turn.
    bool plugNext() {
        m_plugged = m_next < int(m_radios.size());
        m_current = m_plugged ? m_next++ : m_current;
        return m_plugged;
    }
    void unplug() { m_plugged = false; }
    const SimulatedRadio& radio(int index) const { return *m_radios.at(index); }

    // A port on the cable, for StationLoop::setPortFactory.
    std::unique_ptr<SerialPort> port() {
        auto line = std::make_unique<ScriptedPort>();
        line->responder = [this](const QByteArray& written) { return answer(written); };
        return line;
    }

private:
    QByteArray answer(const QByteArray& written) {
        return m_plugged ? m_radios[m_current]->Receive(written) : QByteArray();
    }

    std::vector<std::unique_ptr<SimulatedRadio>> m_radios;
    int m_next = 0;
    int m_current = -1;
    bool m_plugged = false;
};
