// The window on a real desktop: its light and dark looks, each readable and remembered, and the
// serial port check it shows for a system it is given.

#include "appearance.h"
#include "cable_doctor.h"
#include "cable_doctor_dialog.h"
#include "desktop_color_scheme.h"
#include "window_fixture.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QToolBar>

namespace {

double Luminance(const QColor& color) {
    const auto channel = [](double c) {
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(color.redF()) + 0.7152 * channel(color.greenF()) +
           0.0722 * channel(color.blueF());
}

// The contrast ratio of two colours, 1 (the same) to 21 (black on white).
double Contrast(const QColor& a, const QColor& b) {
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The share of a picture's outline that can be told from what it is drawn on: each pixel at its
// edge, or one a little inside it, stands out.
double VisibleOutline(const QIcon& icon, const QColor& background) {
    const QImage image = icon.pixmap(36, 36).toImage();
    const auto drawn = [&image](int x, int y) {
        return image.rect().contains(x, y) && image.pixelColor(x, y).alpha() > 128;
    };
    int edge = 0;
    int visible = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (!drawn(x, y) ||
                (drawn(x - 1, y) && drawn(x + 1, y) && drawn(x, y - 1) && drawn(x, y + 1))) {
                continue;
            }
            ++edge;
            double best = 1;
            for (int dy = -2; dy <= 2; ++dy) {
                for (int dx = -2; dx <= 2; ++dx) {
                    if (drawn(x + dx, y + dy)) {
                        best =
                            std::max(best, Contrast(image.pixelColor(x + dx, y + dy), background));
                    }
                }
            }
            visible += best >= 1.6;
        }
    }
    return edge == 0 ? 0 : double(visible) / edge;
}

void WriteFile(const QString& path, const QByteArray& content) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
}

} // namespace

class TestDesktopLook : public QObject {
    Q_OBJECT

    WindowFixture f;

private slots:
    void init() {
        QStandardPaths::setTestModeEnabled(true);
        QSettings().remove(QStringLiteral("appearance"));
        QVERIFY(f.start());
    }
    void cleanup() {
        f.action("actionAppearanceLight")->trigger();
        f.stop();
        QSettings().remove(QStringLiteral("appearance"));
    }

    void looksAreReadable_data() {
        QTest::addColumn<QString>("choice");
        QTest::addColumn<bool>("dark");
        QTest::newRow("light") << "actionAppearanceLight" << false;
        QTest::newRow("dark") << "actionAppearanceDark" << true;
    }
    // Every text against what it is drawn on, the grid's numbers and headers among them, and
    // every toolbar picture against the bar.
    void looksAreReadable() {
        QFETCH(QString, choice);
        QFETCH(bool, dark);
        f.action(qPrintable(choice))->trigger();
        QCoreApplication::sendPostedEvents(); // widgets take a new palette from the queue
        QVERIFY(f.action(qPrintable(choice))->isChecked());
        QCOMPARE(DesktopColorScheme::IsDark(QApplication::palette()), dark);
        const QPalette numbers = f.grid()->verticalHeader()->palette();
        const QPalette cells = f.grid()->palette();
        const QPalette window = f.frame()->idlePrompt()->palette();
        const struct {
            const char* what;
            QColor text, ground;
            double least;
        } pairs[] = {
            {"numbers", numbers.color(QPalette::ButtonText), numbers.color(QPalette::Button), 4.5},
            {"headers", f.grid()->horizontalHeader()->palette().color(QPalette::ButtonText),
             f.grid()->horizontalHeader()->palette().color(QPalette::Button), 4.5},
            {"cells", cells.color(QPalette::Text), cells.color(QPalette::Base), 4.5},
            {"selection", cells.color(QPalette::HighlightedText), cells.color(QPalette::Highlight),
             3.0},
            {"status", window.color(QPalette::WindowText), window.color(QPalette::Window), 4.5},
        };
        for (const auto& pair : pairs) {
            QVERIFY2(Contrast(pair.text, pair.ground) >= pair.least, pair.what);
        }
        const QColor bar = f.frame()->toolBar()->palette().color(QPalette::Window);
        for (QAction* command : f.frame()->toolBar()->actions()) {
            if (!command->isSeparator()) {
                QVERIFY2(VisibleOutline(command->icon(), bar) >= 0.9,
                         qPrintable(command->toolTip()));
            }
        }
    }

    // The choice outlives the window; following the system again takes the desktop's word.
    void choiceIsRemembered() {
        f.action("actionAppearanceDark")->trigger();
        f.stop();
        QVERIFY(f.start());
        QVERIFY(f.action("actionAppearanceDark")->isChecked());
        QVERIFY(DesktopColorScheme::IsDark(QApplication::palette()));
        qputenv("GTK_THEME", "Adwaita:dark");
        f.action("actionAppearanceSystem")->trigger();
        QVERIFY(DesktopColorScheme::IsDark(QApplication::palette()));
        qputenv("GTK_THEME", "Adwaita");
        f.action("actionAppearanceSystem")->trigger();
        qunsetenv("GTK_THEME");
        QVERIFY(!DesktopColorScheme::IsDark(QApplication::palette()));
        f.stop();
        QVERIFY(f.start());
        QVERIFY(f.action("actionAppearanceSystem")->isChecked());
    }

    // The dialog shows what qtr318 doctor prints for the same system, copies it, and looks
    // again when asked.
    void cableDoctorShowsTheSystemsReport() {
        QTemporaryDir root;
        WriteFile(root.filePath("etc/passwd"), "alice:x:4242:100::/home/alice:/bin/bash\n");
        WriteFile(root.filePath("proc/self/status"), "Uid:\t4242\t4242\t4242\t4242\n");
        qputenv("QTR318_SYSTEM_ROOT", root.path().toLocal8Bit());
        f.action("actionCableDoctor")->trigger();
        qunsetenv("QTR318_SYSTEM_ROOT");
        auto* doctor = f.frame()->findChild<CableDoctorDialog*>();
        QVERIFY(doctor && doctor->isVisible());
        const auto shown = [doctor] {
            return doctor->findChild<QPushButton*>("refreshButton")->isEnabled();
        };
        QTRY_VERIFY_WITH_TIMEOUT(shown(), 60000);
        const QString before = doctor->reportText();
        QCOMPARE(before, CableReportFormat::Text(CableDoctor(root.path()).Examine()));

        doctor->findChild<QPushButton*>("copyButton")->click();
        QCOMPARE(QGuiApplication::clipboard()->text(), before);

        WriteFile(root.filePath("etc/udev/rules.d/60-qtr318-cable.rules"), "\n");
        doctor->findChild<QPushButton*>("refreshButton")->click();
        QTRY_VERIFY_WITH_TIMEOUT(shown(), 60000);
        QVERIFY2(doctor->reportText().contains("/etc/udev/rules.d/60-qtr318-cable.rules"),
                 qPrintable(doctor->reportText()));
        doctor->close();
    }
};

QTEST_MAIN(TestDesktopLook)
#include "test_desktop_look.moc"
