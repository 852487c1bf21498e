#pragma once

#include "simulated_radio.h"
#include "transfer_bench.h"

#include <memory>
#include <utility>
#include <vector>

// Radios plugged into one cable one after another, in process: plugNext() puts the next one on
// the cable, unplug() takes it away. Used only from the station's thread: its ports and the
// slots a test connects directly.
class RadioRack {
public:
    void add(const MemoryImage& memory, const SimulatedRadio::Options& options = {}) {
        m_radios.push_back(std::make_unique<SimulatedRadio>(memory, options));
    }
    // False when every radio has had its turn. One left on the cable goes first.
    bool plugNext() {
        if (m_portsLeft > 0) {
            m_plugWhenGone = true;
            return m_next < int(m_radios.size());
        }
        m_plugged = m_next < int(m_radios.size());
        m_current = m_plugged ? m_next++ : m_current;
        return m_plugged;
    }
    void unplug() { m_plugged = false; }
    // The radio stays on the cable for this many more ports taken, then goes.
    void unplugAfter(int ports) {
        m_portsLeft = ports;
        m_plugged = m_plugged && ports > 0;
    }
    const SimulatedRadio& radio(int index) const { return *m_radios.at(index); }

    // A port on the cable, for StationLoop::setPortFactory.
    std::unique_ptr<SerialPort> port() {
        if (m_portsLeft > 0 && --m_portsLeft == 0) {
            unplug();
            if (std::exchange(m_plugWhenGone, false)) {
                plugNext();
            }
        }
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
    int m_portsLeft = 0;
    bool m_plugWhenGone = false;
};
