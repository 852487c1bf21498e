// qtr318-radio-sim: a radio on a pseudo-terminal, so the program can be tried and tested without
// one. The first line on stdout is the device to open.

#include "document_file.h"
#include "new_document.h"
#include "simulated_radio.h"
#include "wire_pacer.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sched.h>
#include <sys/prctl.h>
#include <termios.h>
#include <unistd.h>

namespace {

std::atomic<bool> g_stop{false};

void RequestStop(int) {
    g_stop = true;
}

void InstallStopHandlers() {
    struct sigaction action {};
    action.sa_handler = RequestStop;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0; // no restart: poll must wake up
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

void MakeRaw(int fd) {
    termios settings{};
    if (tcgetattr(fd, &settings) == 0) {
        cfmakeraw(&settings);
        cfsetspeed(&settings, B9600);
        tcsetattr(fd, TCSANOW, &settings);
    }
}

struct Pty {
    int master = -1;
    int slave = -1; // kept open so the line survives between sessions
    QByteArray path;
};

bool OpenPty(Pty& pty) {
    pty.master = posix_openpt(O_RDWR | O_NOCTTY);
    if (pty.master < 0 || grantpt(pty.master) != 0 || unlockpt(pty.master) != 0) {
        return false;
    }
    const char* name = ptsname(pty.master);
    if (name == nullptr) {
        return false;
    }
    pty.path = name;
    MakeRaw(pty.master);
    pty.slave = open(name, O_RDWR | O_NOCTTY);
    if (pty.slave < 0) {
        return false;
    }
    MakeRaw(pty.slave);
    fcntl(pty.master, F_SETFL, fcntl(pty.master, F_GETFL) | O_NONBLOCK);
    return true;
}

struct Settings {
    MemoryImage memory;
    SimulatedRadio::Options radio;
    QString savePath;
    bool paced = false;
    bool statistics = false;
    bool trace = false;
};

bool ParseFault(const QCommandLineParser& parser, SimulatedRadio::Options& radio) {
    const struct {
        const char* option;
        SimulatedRadio::Fault fault;
    } faults[] = {{"nak-at", SimulatedRadio::Fault::Nak},
                  {"silent-at", SimulatedRadio::Fault::Silence},
                  {"short-at", SimulatedRadio::Fault::Short},
                  {"misstore-at", SimulatedRadio::Fault::Misstore}};
    for (const auto& entry : faults) {
        if (parser.isSet(QLatin1String(entry.option))) {
            bool ok = false;
            radio.faultFrame = parser.value(QLatin1String(entry.option)).toInt(&ok);
            radio.fault = entry.fault;
            if (!ok || radio.faultFrame < 1) {
                return false;
            }
        }
    }
    return true;
}

bool ParseSettings(const QCoreApplication& app, Settings& settings) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Simulated QTR-318 radio on a pseudo-terminal. Prints the device path on the first line.\n"
        "Frames of a session count from 1: the accepted program-mode request, the ident request,\n"
        "the ident acknowledgement, then each block frame (a read block is a request and an\n"
        "acknowledgement), then the end frame. A full read has 232 frames, a full write 118."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("memory"),
                                 QStringLiteral("1024-byte .sin file (default: new document)"));
    parser.addOptions({
        {QStringLiteral("ident"), QStringLiteral("Model ident to answer (default QT318)."),
         QStringLiteral("text"), QStringLiteral("QT318")},
        {QStringLiteral("ignore-prog"),
         QStringLiteral("Leave the first K program-mode requests unanswered; 'all' for every one."),
         QStringLiteral("K")},
        {QStringLiteral("nak-at"), QStringLiteral("Answer frame N with 0x15."),
         QStringLiteral("N")},
        {QStringLiteral("silent-at"), QStringLiteral("Leave frame N unanswered."),
         QStringLiteral("N")},
        {QStringLiteral("short-at"), QStringLiteral("Answer frame N one byte short."),
         QStringLiteral("N")},
        {QStringLiteral("misstore-at"),
         QStringLiteral("Acknowledge write frame N but store its block with bit 0 of the first "
                        "byte flipped."),
         QStringLiteral("N")},
        {QStringLiteral("fault-session"),
         QStringLiteral("Place the fault of --nak-at, --silent-at, --short-at or --misstore-at in "
                        "session S only (counted from 1); default: every session."),
         QStringLiteral("S")},
        {QStringLiteral("quiet-after"),
         QStringLiteral("Answer nothing once K sessions have ended, like a radio switched off."),
         QStringLiteral("K")},
        {QStringLiteral("pace"), QStringLiteral("Take 10 bit times at 9600 baud per byte.")},
        {QStringLiteral("stats"),
         QStringLiteral("On exit, print to stderr where the time of the sessions went.")},
        {QStringLiteral("trace"),
         QStringLiteral("After the device path, print each frame's number on stdout as it is "
                        "answered, so a test can act at a given point of a session.")},
        {QStringLiteral("save"),
         QStringLiteral("Save the memory to this file after each end of write and on exit."),
         QStringLiteral("file")},
    });
    parser.process(app);
    settings.memory = NewDocumentImage();
    const QStringList files = parser.positionalArguments();
    QString error;
    if (!files.isEmpty() && !DocumentFile::Load(files.first(), settings.memory, &error)) {
        std::fprintf(stderr, "qtr318-radio-sim: %s\n", qPrintable(error));
        return false;
    }
    settings.radio.ident = parser.value(QStringLiteral("ident")).toLatin1();
    if (parser.isSet(QStringLiteral("ignore-prog"))) {
        const QString value = parser.value(QStringLiteral("ignore-prog"));
        settings.radio.ignoredProgramRequests = value == QLatin1String("all") ? -1 : value.toInt();
    }
    if (parser.isSet(QStringLiteral("fault-session"))) {
        bool ok = false;
        settings.radio.faultSession = parser.value(QStringLiteral("fault-session")).toInt(&ok);
        if (!ok || settings.radio.faultSession < 1) {
            std::fprintf(stderr, "qtr318-radio-sim: a session number counts from 1\n");
            return false;
        }
    }
    if (parser.isSet(QStringLiteral("quiet-after"))) {
        bool ok = false;
        settings.radio.quietAfterSessions = parser.value(QStringLiteral("quiet-after")).toInt(&ok);
        if (!ok || settings.radio.quietAfterSessions < 0) {
            std::fprintf(stderr, "qtr318-radio-sim: --quiet-after takes a count of sessions\n");
            return false;
        }
    }
    settings.paced = parser.isSet(QStringLiteral("pace"));
    settings.statistics = parser.isSet(QStringLiteral("stats"));
    settings.trace = parser.isSet(QStringLiteral("trace"));
    settings.savePath = parser.value(QStringLiteral("save"));
    if (!ParseFault(parser, settings.radio)) {
        std::fprintf(stderr, "qtr318-radio-sim: a frame number counts from 1\n");
        return false;
    }
    return true;
}

void Save(const Settings& settings, const SimulatedRadio& radio) {
    QString error;
    if (!settings.savePath.isEmpty() &&
        !DocumentFile::Save(settings.savePath, radio.memory(), &error)) {
        std::fprintf(stderr, "qtr318-radio-sim: %s\n", qPrintable(error));
    }
}

void Serve(int master, SimulatedRadio& radio, WirePacer& pacer, bool trace) {
    while (!g_stop) {
        pollfd descriptor{master, POLLIN, 0};
        // ppoll waits to the nanosecond, so a paced answer leaves on time, not on the next tick.
        const auto wait = pacer.UntilDue(std::chrono::milliseconds(200));
        const timespec timeout{static_cast<time_t>(wait.count() / 1000000000),
                               static_cast<long>(wait.count() % 1000000000)};
        const int ready = ppoll(&descriptor, 1, &timeout, nullptr);
        if (ready < 0 && errno != EINTR) {
            break;
        }
        if (ready > 0 && (descriptor.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) {
            // Never spin at real-time priority on a line in trouble.
            usleep(10000);
        }
        if (ready > 0 && (descriptor.revents & POLLIN)) {
            char buffer[256];
            const ssize_t count = read(master, buffer, sizeof buffer);
            if (count > 0) {
                pacer.Arrived(static_cast<int>(count));
                const int frameBefore = radio.frame();
                pacer.Queue(radio.Receive(QByteArray(buffer, static_cast<int>(count))));
                if (trace && radio.frame() != frameBefore) {
                    std::printf("frame %d\n", radio.frame());
                    std::fflush(stdout);
                }
            }
        }
        const QByteArray due = pacer.TakeDue();
        if (!due.isEmpty() && write(master, due.constData(), static_cast<size_t>(due.size())) < 0) {
            std::perror("qtr318-radio-sim: write");
        }
    }
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("qtr318-radio-sim"));
    Settings settings;
    if (!ParseSettings(app, settings)) {
        return 2;
    }
    Pty pty;
    if (!OpenPty(pty)) {
        std::perror("qtr318-radio-sim: pseudo-terminal");
        return 1;
    }
    std::printf("%s\n", pty.path.constData());
    std::fflush(stdout);
    InstallStopHandlers();
    if (settings.paced) {
        // A radio answers from its own hardware; the simulation should not add its scheduling
        // delays to the program's figures. Real-time priority is taken where allowed, and the
        // timer slack that would make every timed answer late is removed.
        prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
        sched_param priority{};
        priority.sched_priority = 10;
        sched_setscheduler(0, SCHED_FIFO, &priority);
    }

    SimulatedRadio radio(settings.memory, settings.radio);
    radio.setOnEndOfWrite([&] { Save(settings, radio); });
    WirePacer pacer(settings.paced);
    Serve(pty.master, radio, pacer, settings.trace);

    Save(settings, radio);
    if (settings.statistics) {
        std::fprintf(stderr, "qtr318-radio-sim: %s\n", pacer.Statistics().constData());
    }
    close(pty.slave);
    close(pty.master);
    return 0;
}
