#pragma once

#include <QString>
#include <csignal>

namespace Cli {

// For the length of a command, Ctrl+C and SIGTERM stop its transfers at the next block boundary
// the way Cancel does in the window: killed outright, the tool would leave the port's lock behind
// and never say that the radio holds half a write. The handler resets itself, so a second signal
// still ends the tool at once.
class StopSignals {
public:
    StopSignals();
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

private:
    struct sigaction m_oldInterrupt {};
    struct sigaction m_oldTerminate {};
};

// The signal that asked the running transfers to stop, 0 while none has; any thread may ask.
int StopSignal();

// Sleeps ms; false when a signal came meanwhile.
bool Pause(int ms);

// The next line of standard input, without its line end; false at the input's end, on a read
// error, or when a signal came while it waited. A station waits here for the next scanned label,
// so Ctrl+C must end the wait at once rather than after the next line.
bool ReadInputLine(QString* line);

} // namespace Cli
