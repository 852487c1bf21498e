// Times complete reads and writes driven through the window, as a user runs them: Read or Write
// from the menu, Start in the progress dialog, until the dialog closes. The radio is the simulated
// one, paced like a 9600-baud line, so a read (2077 bytes on the wire) cannot beat 2.164 s and a
// write (1507 bytes) 1.570 s. A third window read has the About box opened at block 20 and held
// open for 3 s: the transfer runs on its own thread, so the box must not lengthen it. The
// command-line tool is timed the same way beside it. Each figure
// is the best of RUNS, each run against a fresh radio; "net" takes out the time the simulator
// itself answered late on a busy machine (it reports that on exit), "raw" is the clock.
//
// Usage: bench_window_transfer [BUILD_DIR] [RUNS]   (offscreen unless QT_QPA_PLATFORM is set)

#include "application.h"
#include "main_window.h"
#include "paced_radio.h"
#include "scripted_messenger.h"
#include "transfer_dialog.h"
#include "window_transfer.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

constexpr double kBytesPerSecond = 960.0;
constexpr double kLimit = 1.05;
constexpr int kAboutBlock = 20;
constexpr int kAboutHeldMs = 3000;

struct Run {
    double seconds = 0;
    double lateSeconds = 0;
    double net() const { return seconds - lateSeconds; }
};

class Bench {
public:
    Bench(QString buildDir, int runs) : m_buildDir(std::move(buildDir)), m_runs(runs) {}

    bool start() {
        if (!m_dir.isValid()) {
            return false;
        }
        QProcess::execute(m_buildDir + QStringLiteral("/cli/qtr318"),
                          {QStringLiteral("new"), QStringLiteral("-o"), image()});
        QStandardPaths::setTestModeEnabled(true); // the recent-file list stays out of the way
        if (!m_app.initialize({})) {
            return false;
        }
        m_app.transfer()->setBackupFolder(m_dir.filePath(QStringLiteral("backups")));
        return true;
    }

    // The window: the command from the menu, Start, and the wait until the dialog closes.
    Run window(MainWindow::Command command, bool holdAbout = false) {
        PacedRadio radio(m_buildDir, image());
        qputenv("QTR318_COM1", radio.path().toLocal8Bit());
        m_app.mainWindow()->action(command)->trigger();
        TransferDialog* dialog = m_app.transfer()->dialog();
        dialog->verifyBox()->setChecked(false);
        QMetaObject::Connection about;
        if (holdAbout) {
            about = QObject::connect(
                dialog->progressBar(), &QProgressBar::valueChanged, [this](int value) {
                    if (value != kAboutBlock || QApplication::activeModalWidget()) {
                        return;
                    }
                    QTimer::singleShot(kAboutHeldMs, [] {
                        if (QWidget* box = QApplication::activeModalWidget()) {
                            box->close();
                        }
                    });
                    m_app.mainWindow()->action(MainWindow::Command::AppAbout)->trigger();
                });
        }
        QElapsedTimer clock;
        // The end is taken when the window has the result, even while a box is still up.
        qint64 endNs = 0;
        const QMetaObject::Connection end =
            QObject::connect(m_app.transfer(), &WindowTransfer::runningChanged,
                             [&](bool running) { endNs = running ? 0 : clock.nsecsElapsed(); });
        clock.start();
        dialog->startButton()->click();
        // Waiting, not spinning: a busy loop here would take a core from the worker and the radio.
        while (dialog->isWindowOpen() || m_app.transfer()->isBusy()) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        Run run{(endNs ? endNs : clock.nsecsElapsed()) / 1e9, 0};
        QObject::disconnect(about);
        QObject::disconnect(end);
        // A box still up when the read ended is closed in its own loop, after the clock stopped.
        while (QApplication::activeModalWidget()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        }
        run.lateSeconds = radio.stop();
        return run;
    }

    // The command-line tool against a fresh radio, process start included.
    Run commandLine(bool write) {
        PacedRadio radio(m_buildDir, image());
        const QStringList arguments =
            write ? QStringList{QStringLiteral("write"), QStringLiteral("--port"), radio.path(),
                                image()}
                  : QStringList{QStringLiteral("read"), QStringLiteral("--port"), radio.path(),
                                QStringLiteral("-o"), m_dir.filePath(QStringLiteral("read.sin"))};
        QElapsedTimer clock;
        clock.start();
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_DATA_HOME"), m_dir.path()); // its backups
        process.setProcessEnvironment(environment);
        process.start(m_buildDir + QStringLiteral("/cli/qtr318"), arguments);
        process.waitForFinished(60000);
        Run run{clock.nsecsElapsed() / 1e9, 0};
        run.lateSeconds = radio.stop();
        if (process.exitCode() != 0) {
            m_failures.append(QStringLiteral("qtr318 %1 failed: %2")
                                  .arg(arguments.first(),
                                       QString::fromLocal8Bit(process.readAllStandardError())));
        }
        return run;
    }

    bool report(const char* name, int wireBytes, const std::function<Run()>& once) {
        double bestRaw = 1e9;
        Run bestNet{1e9, 0};
        for (int i = 0; i < m_runs; ++i) {
            const Run run = once();
            bestRaw = std::min(bestRaw, run.seconds);
            if (run.net() < bestNet.net()) {
                bestNet = run;
            }
        }
        const double floor = wireBytes / kBytesPerSecond;
        const double ratio = bestNet.net() / floor;
        std::printf("%-19s floor %.3f s  raw best %.3f s (ratio %.3f)  net best %.3f s (ratio "
                    "%.3f, sim late %.1f ms)  %s\n",
                    name, floor, bestRaw, bestRaw / floor, bestNet.net(), ratio,
                    bestNet.lateSeconds * 1000, ratio <= kLimit ? "ok (<= 1.05)" : "TOO SLOW");
        std::fflush(stdout);
        return ratio <= kLimit;
    }

    QStringList failures() const {
        QStringList all = m_failures;
        for (const ScriptedMessenger::Shown& box : m_messenger.shown) {
            all.append(QStringLiteral("box: %1 %2").arg(box.caption, box.text));
        }
        return all;
    }

private:
    QString image() const { return m_dir.filePath(QStringLiteral("image.sin")); }

    QString m_buildDir;
    int m_runs;
    QTemporaryDir m_dir;
    ScriptedMessenger m_messenger; // a box during a timed run is a failure, not a wait
    Application m_app;
    QStringList m_failures;
};

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    const QString buildDir = arguments.size() > 1
                                 ? arguments.at(1)
                                 : QApplication::applicationDirPath() + QStringLiteral("/..");
    const int runs = arguments.size() > 2 ? std::max(1, arguments.at(2).toInt()) : 3;

    Bench bench(buildDir, runs);
    if (!bench.start()) {
        std::fprintf(stderr, "the window did not start\n");
        return 1;
    }
    std::printf("runs: %d\n", runs);
    bool ok = true;
    ok &= bench.report("window read", 2077,
                       [&] { return bench.window(MainWindow::Command::ReadData); });
    ok &= bench.report("window write", 1507,
                       [&] { return bench.window(MainWindow::Command::WriteData); });
    ok &= bench.report("read, About held", 2077,
                       [&] { return bench.window(MainWindow::Command::ReadData, true); });
    bench.report("command-line read", 2077, [&] { return bench.commandLine(false); });
    // The tool's write reads the radio first (its backup) and reads it back afterwards.
    bench.report("command-line write", 2077 + 1507 + 2077, [&] { return bench.commandLine(true); });
    for (const QString& failure : bench.failures()) {
        std::printf("FAILED: %s\n", qPrintable(failure));
        ok = false;
    }
    return ok ? 0 : 1;
}
