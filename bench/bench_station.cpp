// A programming station's run as a depot sees it: RADIOS paced simulated radios, each on a
// pseudo-terminal of its own, plugged one after another into one cable (a link renamed per radio,
// as a USB cable's device name comes and goes), each read for its backup, written and read back
// through the real serial port code. Each radio's time is set against the wire's own: the bytes
// the three transfers put on a 9600-baud line, counted from the protocol's frames. The run's
// total adds the station's waits for each radio to go and the next to answer.
//
// Usage: bench_station [BUILD_DIR] [RADIOS]

#include "block_walk.h"
#include "new_document.h"
#include "paced_radio.h"
#include "programming_log.h"
#include "station_loop.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr double kBytesPerSecond = 960.0; // 9600 baud, ten bit times a byte
constexpr double kLimit = 1.10;

// Bytes on the line, both ways. Entering program mode: 7-byte request and its acknowledgement;
// the ident: 2-byte request, 8-byte reply, acknowledgement and its answer; the end: 4 bytes and
// an acknowledgement. A block read: 4-byte request, 12-byte reply, acknowledgement and its
// answer; a block written: 4-byte header, 8 bytes and the acknowledgement.
constexpr int kHandshakeBytes = 7 + 1 + 2 + 8 + 1 + 1;
constexpr int kEndBytes = 4 + 1;
constexpr int kReadBytes = kHandshakeBytes + BlockWalk::kBlockCount * (4 + 12 + 1 + 1) + kEndBytes;
constexpr int kWriteBytes = kHandshakeBytes + BlockWalk::kBlockCount * (4 + 8 + 1) + kEndBytes;
// Backup read, write, read-back.
constexpr int kRadioBytes = kReadBytes + kWriteBytes + kReadBytes;

const char* ResultName(StationRadio::Result result) {
    switch (result) {
    case StationRadio::Result::Written:
        return "written and verified";
    case StationRadio::Result::Refused:
        return "refused";
    case StationRadio::Result::Differs:
        return "read-back differs";
    case StationRadio::Result::NotVerified:
        return "not verified";
    case StationRadio::Result::Stopped:
        return "stopped";
    case StationRadio::Result::Failed:
        break;
    }
    return "failed";
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    const QString buildDir = arguments.value(1, QStringLiteral("build"));
    const int count = qMax(1, arguments.value(2, QStringLiteral("3")).toInt());
    QTemporaryDir dir;
    if (!dir.isValid()) {
        return 1;
    }

    std::vector<std::unique_ptr<PacedRadio>> radios;
    for (int i = 0; i < count; ++i) {
        radios.push_back(std::make_unique<PacedRadio>(buildDir));
        if (radios.back()->path().isEmpty()) {
            std::fprintf(stderr, "bench_station: the simulated radio did not start\n");
            return 1;
        }
    }
    const QString cable = dir.filePath(QStringLiteral("cable"));
    const auto plug = [&](int number) {
        QFile::remove(cable);
        if (number >= 1 && number <= count) {
            QFile::link(radios[size_t(number - 1)]->path(), cable);
        }
    };

    ProgrammingLog log(LogLocation::FromSetting(dir.filePath(QStringLiteral("log.sqlite"))));
    StationLoop::Plan plan;
    plan.portName = cable;
    plan.image = NewDocumentImage();
    plan.image.WriteByte(0x20, 0x42); // something for the write to change
    plan.file = QStringLiteral("fleet.sin");
    plan.backupFolder = dir.filePath(QStringLiteral("backups"));

    StationLoop loop;
    loop.setLog(&log);
    std::vector<StationRadio> done;
    // Queued to this thread, as the window gets them; the cable changes between two looks.
    QObject::connect(&loop, &StationLoop::radioFinished, &app,
                     [&](const StationRadio& radio) { done.push_back(radio); });
    QObject::connect(&loop, &StationLoop::waitingForDeparture, &app, [&](int) { plug(0); });
    QObject::connect(&loop, &StationLoop::waitingForRadio, &app, [&](int number) {
        if (number > count) {
            loop.requestStop();
        } else if (number > 1) {
            plug(number);
        }
    });
    QObject::connect(&loop, &StationLoop::stationEnded, &app, &QCoreApplication::quit);

    QFile loadAverage(QStringLiteral("/proc/loadavg"));
    if (loadAverage.open(QIODevice::ReadOnly)) {
        std::printf("load average: %s", loadAverage.readLine().constData());
    }
    plug(1);
    QElapsedTimer clock;
    clock.start();
    loop.startStation(plan);
    app.exec();
    const double total = clock.nsecsElapsed() / 1e9;

    const double floor = kRadioBytes / kBytesPerSecond;
    double served = 0;
    bool ok = int(done.size()) == count;
    for (const StationRadio& radio : done) {
        const double seconds = radio.elapsedMs / 1000.0;
        const double late = radios[size_t(radio.number - 1)]->stop();
        served += seconds;
        ok &= radio.result == StationRadio::Result::Written;
        std::printf("radio %d: %-20s %.3f s  floor %.3f s (%d bytes)  ratio %.3f  "
                    "(simulator late by %.3f s)\n",
                    radio.number, ResultName(radio.result), seconds, floor, kRadioBytes,
                    seconds / floor, late);
    }
    const double perRadio = done.empty() ? 0 : served / double(done.size());
    std::printf("per radio: %.3f s against the wire's %.3f s, ratio %.3f  %s\n", perRadio, floor,
                perRadio / floor, ok && perRadio / floor <= kLimit ? "ok" : "SLOWER THAN EXPECTED");
    std::printf("whole run of %d radios: %.3f s, %.3f s a radio with the waits for each to go "
                "and the next to answer (a look every %d ms)\n",
                count, total, total / count, StationLoop::kProbeIntervalMs);
    return ok ? 0 : 1;
}
