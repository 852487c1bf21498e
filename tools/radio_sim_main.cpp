// qtr318-radio-sim: a radio on a pseudo-terminal, so the program can be tried and tested without
// one. The first line on stdout is the device to open.

#include "cable_latency.h"
#include "document_file.h"
#include "new_document.h"
#include "simulated_radio.h"
#include "ui_language.h"
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
    int latencyTimer = 0; // ms
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

void Complain(const QString& text) {
    std::fprintf(stderr, "qtr318-radio-sim: %s\n", qPrintable(text));
}

QString SystemError(int number) {
    return UiLanguage::SystemErrorText(qt_error_string(number));
}

bool ParseSettings(const QCoreApplication& app, Settings& settings) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QCoreApplication::translate(
        "RadioSim", "在伪终端上模拟的 QTR-318 对讲机。第一行输出设备路径。\n"
                    "一次会话的帧从 1 开始计数：被接受的进入编程模式请求、机型查询、机型确认，\n"
                    "然后是每个数据块的帧（读一个块是一个请求加一个确认），最后是结束帧。\n"
                    "完整的读取有 232 帧，完整的写入有 118 帧。"));
    parser.addHelpOption();
    parser.addPositionalArgument(
        QStringLiteral("memory"),
        QCoreApplication::translate("RadioSim", "1024 字节的 .sin 文件（默认：新文档）"));
    parser.addOptions({
        {QStringLiteral("ident"),
         QCoreApplication::translate("RadioSim", "应答的机型标识（默认 QT318）。"),
         QCoreApplication::translate("RadioSim", "文本"), QStringLiteral("QT318")},
        {QStringLiteral("ignore-prog"),
         QCoreApplication::translate("RadioSim",
                                     "前 K 个进入编程模式的请求不应答；all 表示全都不应答。"),
         QStringLiteral("K")},
        {QStringLiteral("nak-at"), QCoreApplication::translate("RadioSim", "对第 N 帧应答 0x15。"),
         QStringLiteral("N")},
        {QStringLiteral("silent-at"), QCoreApplication::translate("RadioSim", "第 N 帧不应答。"),
         QStringLiteral("N")},
        {QStringLiteral("short-at"),
         QCoreApplication::translate("RadioSim", "对第 N 帧的应答少一个字节。"),
         QStringLiteral("N")},
        {QStringLiteral("misstore-at"),
         QCoreApplication::translate(
             "RadioSim", "确认写入第 N 帧，但保存它的数据块时把第一个字节的第 0 位取反。"),
         QStringLiteral("N")},
        {QStringLiteral("fault-session"),
         QCoreApplication::translate(
             "RadioSim", "--nak-at、--silent-at、--short-at 或 --misstore-at 的故障只出现在"
                         "第 S 次会话（从 1 数起）；默认：每次会话。"),
         QStringLiteral("S")},
        {QStringLiteral("quiet-after"),
         QCoreApplication::translate("RadioSim", "K 次会话结束后什么也不应答，像关了机的对讲机。"),
         QStringLiteral("K")},
        {QStringLiteral("pace"),
         QCoreApplication::translate("RadioSim", "每个字节按 9600 波特花 10 个位时间。")},
        {QStringLiteral("latency-timer"),
         QCoreApplication::translate("RadioSim",
                                     "像带延迟定时器的 USB 串口线那样交出应答：应答的第一个字节"
                                     "到达后满 N 毫秒，或 62 字节的缓冲区满时，才交出收到的字节。"),
         QStringLiteral("N"), QStringLiteral("0")},
        {QStringLiteral("stats"),
         QCoreApplication::translate("RadioSim", "退出时在标准错误上输出会话的时间花在了哪里。")},
        {QStringLiteral("trace"),
         QCoreApplication::translate("RadioSim",
                                     "在设备路径之后，每应答一帧就在标准输出上输出它的编号，"
                                     "让测试能在会话的某一点采取行动。")},
        {QStringLiteral("save"),
         QCoreApplication::translate("RadioSim", "每次写入结束后和退出时把内存保存到这个文件。"),
         QCoreApplication::translate("RadioSim", "文件")},
    });
    parser.process(app);
    settings.memory = NewDocumentImage();
    const QStringList files = parser.positionalArguments();
    QString error;
    if (!files.isEmpty() && !DocumentFile::Load(files.first(), settings.memory, &error)) {
        Complain(error);
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
            Complain(QCoreApplication::translate("RadioSim", "会话从 1 开始计数"));
            return false;
        }
    }
    if (parser.isSet(QStringLiteral("quiet-after"))) {
        bool ok = false;
        settings.radio.quietAfterSessions = parser.value(QStringLiteral("quiet-after")).toInt(&ok);
        if (!ok || settings.radio.quietAfterSessions < 0) {
            Complain(QCoreApplication::translate("RadioSim", "--quiet-after 的值是会话的次数"));
            return false;
        }
    }
    settings.paced = parser.isSet(QStringLiteral("pace"));
    bool latencyOk = false;
    settings.latencyTimer = parser.value(QStringLiteral("latency-timer")).toInt(&latencyOk);
    if (!latencyOk || settings.latencyTimer < 0 || settings.latencyTimer > 255) {
        Complain(QCoreApplication::translate("RadioSim", "--latency-timer 的值是 0~255 毫秒"));
        return false;
    }
    settings.statistics = parser.isSet(QStringLiteral("stats"));
    settings.trace = parser.isSet(QStringLiteral("trace"));
    settings.savePath = parser.value(QStringLiteral("save"));
    if (!ParseFault(parser, settings.radio)) {
        Complain(QCoreApplication::translate("RadioSim", "帧号从 1 开始计数"));
        return false;
    }
    return true;
}

void Save(const Settings& settings, const SimulatedRadio& radio) {
    QString error;
    if (!settings.savePath.isEmpty() &&
        !DocumentFile::Save(settings.savePath, radio.memory(), &error)) {
        Complain(error);
    }
}

void Serve(int master, SimulatedRadio& radio, WirePacer& pacer, CableLatency& cable, bool trace) {
    while (!g_stop) {
        pollfd descriptor{master, POLLIN, 0};
        // ppoll waits to the nanosecond, so a paced answer leaves on time, not on the next tick.
        const auto wait = cable.UntilRelease(pacer.UntilDue(std::chrono::milliseconds(200)));
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
        cable.Hold(pacer.TakeDue());
        const QByteArray due = cable.TakeReleased();
        if (!due.isEmpty() && write(master, due.constData(), static_cast<size_t>(due.size())) < 0) {
            Complain(SystemError(errno));
        }
    }
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("qtr318-radio-sim"));
    UiLanguage::Install();
    Settings settings;
    if (!ParseSettings(app, settings)) {
        return 2;
    }
    Pty pty;
    if (!OpenPty(pty)) {
        Complain(
            QCoreApplication::translate("RadioSim", "无法打开伪终端：%1").arg(SystemError(errno)));
        return 1;
    }
    std::printf("%s\n", pty.path.constData());
    std::fflush(stdout);
    InstallStopHandlers();
    // A radio answers from its own hardware; the simulation should not add its scheduling delays
    // to the program's figures, nor, on a busy machine, answer later than the program waits.
    // Real-time priority is taken where allowed, and the timer slack that would make every paced
    // answer late is removed.
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
    sched_param priority{};
    priority.sched_priority = 10;
    sched_setscheduler(0, SCHED_FIFO, &priority);

    SimulatedRadio radio(settings.memory, settings.radio);
    radio.setOnEndOfWrite([&] { Save(settings, radio); });
    WirePacer pacer(settings.paced);
    CableLatency cable{std::chrono::milliseconds(settings.latencyTimer)};
    Serve(pty.master, radio, pacer, cable, settings.trace);

    Save(settings, radio);
    if (settings.statistics) {
        std::fprintf(stderr, "qtr318-radio-sim: %s\n", pacer.Statistics().constData());
    }
    close(pty.slave);
    close(pty.master);
    return 0;
}
