#include "application.h"

#include "about_dialog.h"
#include "batch_write_command.h"
#include "cable_doctor.h"
#include "cable_doctor_dialog.h"
#include "channel_document.h"
#include "channel_form.h"
#include "combo_speech.h"
#include "csv_file_commands.h"
#include "edit_commands.h"
#include "fleet_commands.h"
#include "log_writer.h"
#include "main_window.h"
#include "messenger.h"
#include "option_commands.h"
#include "station_commands.h"
#include "toolbar_icons.h"
#include "transfer_commands.h"
#include "window_transfer.h"

#include <QAccessibleObject>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMenu>

// The recent-file list lives in ~/.config/qtr318/, named after the program, not the framework.
const char* const Application::kSettingsOrganization = "qtr318";
const char* const Application::kApplicationTitle = "写频软件";

namespace {

// Screen readers (AT-SPI) name the program by the application's accessible name, which Qt takes
// from the application name. That name also names the settings file and stays as it is; the
// accessible name alone follows the run's language.
class NamedApplication : public QAccessibleApplication {
public:
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? Application::tr("写频软件")
                                      : QAccessibleApplication::text(t);
    }
};

QAccessibleInterface* NameTheApplication(const QString&, QObject* object) {
    return object == QCoreApplication::instance() ? new NamedApplication : nullptr;
}

} // namespace

Application::Application() = default;

Application::~Application() {
    m_transfer.reset(); // its worker stops, and its dialog goes, before the window
    m_frame.reset();    // the window refers to the document until it is gone
}

ChannelForm* Application::form() const {
    return m_frame ? m_frame->form() : nullptr;
}

WindowTransfer* Application::transfer() const {
    return m_transfer ? m_transfer->transfer() : nullptr;
}

bool Application::initialize(const QStringList& arguments) {
    QCoreApplication::setOrganizationName(QString::fromUtf8(kSettingsOrganization));
    QCoreApplication::setApplicationName(QString::fromUtf8(kApplicationTitle));
    QAccessible::installFactory(NameTheApplication);

    m_document = std::make_unique<ChannelDocument>();
    m_frame = std::make_unique<MainWindow>(m_document.get());
    m_transfer = std::make_unique<TransferCommands>(m_frame.get(), m_document.get());
    m_frame->setTransfer(m_transfer->transfer());
    ChannelForm* view = m_frame->form();
    connectForm(view);
    connect(m_document.get(), &ChannelDocument::fileUsed, this, [this](const QString& path) {
        m_recentFiles.add(path);
        updateRecentFilesMenu();
    });
    updateRecentFilesMenu();

    using Command = MainWindow::Command;
    m_frame->connectCommand(Command::FileNew, this, &Application::newFile);
    m_frame->connectCommand(Command::FileOpen, this, &Application::openFile);
    m_frame->connectCommand(Command::FileOpenBackup, this, &Application::openBackup);
    m_frame->connectCommand(Command::AppAbout, this, &Application::showAbout);
    m_frame->connectCommand(Command::CableDoctor, this, &Application::showCableDoctor);
    m_frame->connectCommand(Command::OptionalFeatures, this, &Application::openOptionalFeatures);
    m_frame->connectCommand(Command::Tuning, this, &Application::openTuning);
    connectAppearance();
    ComboSpeech::Install();
    // The window owns the edit and CSV commands; a dropped .sin opens as Open would open it.
    WindowTransfer* transfer = m_transfer->transfer();
    new EditCommands(m_frame.get(), m_document.get(), transfer);
    auto* station = new StationCommands(m_frame.get(), m_document.get(), m_transfer.get());
    auto* batch = new BatchWriteCommand(m_frame.get(), m_document.get(), transfer);
    connect(batch, &BatchWriteCommand::radioLogged, station, &StationCommands::refreshLog);
    m_fleet = new FleetCommands(m_frame.get(), m_document.get());
    connect(m_fleet, &FleetCommands::imageRestored, this, &Application::openKeptImage);
    connect(transfer->log(), &LogWriter::appended, m_fleet, &FleetCommands::refreshFleet);
    connect(batch, &BatchWriteCommand::radioLogged, m_fleet, &FleetCommands::refreshFleet);
    new CsvFileCommands(m_frame.get(), m_document.get(), transfer, [this](const QString& path) {
        if (m_frame->saveModified()) {
            openDocumentFile(path);
        }
    });

    if (arguments.isEmpty()) {
        m_document->newDocument();
        view->initialUpdate();
    } else if (!openDocumentFile(arguments.constFirst())) {
        return false;
    }

    m_frame->setWindowIcon(ToolbarIcons::ApplicationIcon());
    // Wayland shows the icon of the desktop entry of this name rather than the window's own.
    QGuiApplication::setDesktopFileName(QStringLiteral("qtr318-cps"));
    m_frame->show();
    return true;
}

// The form reports the user's changes and each document it shows, and commits the value being
// typed before the document is saved.
void Application::connectForm(ChannelForm* form) {
    ChannelDocument* document = m_document.get();
    connect(form, &ChannelForm::documentModified, document, &ChannelDocument::recordChange);
    connect(form, &ChannelForm::documentShown, document, &ChannelDocument::resetHistory);
    connect(document, &ChannelDocument::aboutToSave, form, &ChannelForm::commitOpenEditor);
    MainWindow* frame = m_frame.get();
    connect(form, &ChannelForm::statusMessage, frame, &MainWindow::showStatus);
    connect(document, &ChannelDocument::saved, frame, [frame, document](const QString& path) {
        // The document keeps what the file cannot; the user learns it is not in the file.
        const QString unkept = document->unkeptNote();
        const QString saved = tr("已保存 %1。").arg(QDir::toNativeSeparators(path));
        frame->showStatus(unkept.isEmpty() ? saved : tr("%1%2。").arg(saved, unkept));
    });
}

void Application::newFile() {
    if (!m_frame->saveModified()) {
        return;
    }
    if (m_document->newDocument()) {
        form()->initialUpdate();
    }
}

void Application::openFile() {
    if (!m_frame->saveModified()) {
        return;
    }
    const QString path =
        TheMessenger().chooseOpenFile(m_frame.get(), tr("打开"), ChannelDocument::fileFilter());
    if (!path.isEmpty()) {
        openDocumentFile(path);
    }
}

void Application::openBackup() {
    if (!m_frame->saveModified()) {
        return;
    }
    const QString folder = transfer()->backupFolder();
    QDir().mkpath(folder); // before the first transfer it is not there yet
    const QString path = TheMessenger().chooseOpenFile(m_frame.get(), tr("打开备份"),
                                                       ChannelDocument::fileFilter(), folder);
    if (!path.isEmpty()) {
        openDocumentFile(path);
    }
}

bool Application::openDocumentFile(const QString& path) {
    QString error;
    if (!m_document->open(path, &error)) {
        ShowWarning(m_frame.get(), error);
        return false;
    }
    form()->initialUpdate();
    return true;
}

void Application::openKeptImage(const MemoryImage& image) {
    if (transfer()->isBusy()) {
        ShowWarning(m_frame.get(), tr("正在与对讲机传输数据，传输结束后再恢复"));
        return;
    }
    if (!m_frame->saveModified()) {
        return;
    }
    m_document->newDocument();
    m_document->takeImage(image);
    form()->initialUpdate();
    m_frame->showStatus(tr("已打开记录留存的数据；保存前它没有文件名。"));
}

void Application::updateRecentFilesMenu() {
    QMenu* menu = m_frame->menu(MainWindow::Menu::File);
    QAction* exit = m_frame->action(MainWindow::Command::AppExit);
    qDeleteAll(m_recentItems);
    m_recentItems.clear();
    const QStringList files = m_recentFiles.files();
    for (int i = 0; i < files.size(); ++i) {
        const QString shown = QDir::toNativeSeparators(files.at(i));
        auto* item = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QString(shown).replace(
                                     QLatin1Char('&'), QStringLiteral("&&"))),
                                 menu);
        item->setObjectName(QStringLiteral("actionRecentFile%1").arg(i + 1));
        item->setStatusTip(tr("打开 %1").arg(shown));
        connect(item, &QAction::triggered, this,
                [this, path = files.at(i)] { openRecentFile(path); });
        menu->insertAction(exit, item);
        m_recentItems.append(item);
    }
    if (!files.isEmpty()) {
        m_recentItems.append(menu->insertSeparator(exit));
    }
}

// As Open would open it, and not while a transfer runs, like Open.
void Application::openRecentFile(const QString& path) {
    if (!transfer()->isBusy() && m_frame->saveModified()) {
        openDocumentFile(path);
    }
}

// The look of the last run before the window first shows, and the menu's check on it.
void Application::connectAppearance() {
    m_appearance = std::make_unique<Appearance>();
    using Command = MainWindow::Command;
    const std::pair<Command, Appearance::Choice> choices[] = {
        {Command::AppearanceSystem, Appearance::Choice::System},
        {Command::AppearanceLight, Appearance::Choice::Light},
        {Command::AppearanceDark, Appearance::Choice::Dark}};
    m_appearance->restore();
    for (const auto& [command, choice] : choices) {
        QAction* look = m_frame->action(command);
        look->setChecked(m_appearance->choice() == choice);
        connect(look, &QAction::triggered, m_appearance.get(),
                [this, choice = choice] { m_appearance->choose(choice); });
    }
}

// Modeless, so the user can follow its advice in a terminal and refresh it; one at a time.
void Application::showCableDoctor() {
    auto* doctor = m_frame->findChild<CableDoctorDialog*>();
    if (!doctor) {
        doctor = new CableDoctorDialog(CableDoctor::RootFromEnvironment(), m_frame.get());
        doctor->setAttribute(Qt::WA_DeleteOnClose);
    }
    doctor->show();
    doctor->raise();
    doctor->activateWindow();
}

void Application::openOptionalFeatures() {
    if (RunOptionalFeaturesCommand(m_frame.get(), m_document->image())) {
        m_document->recordChange(tr("可选功能"));
    }
}

void Application::openTuning() {
    if (RunTuningCommand(m_frame.get(), m_document->image())) {
        m_document->recordChange(tr("调试参数"));
    }
}

void Application::showAbout() {
    AboutDialog about(m_frame.get());
    about.exec();
}
