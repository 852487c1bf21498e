#include "program_app.h"

#include "about_dialog.h"
#include "csv_file_commands.h"
#include "edit_commands.h"
#include "main_frame.h"
#include "messenger.h"
#include "program_doc.h"
#include "program_view.h"
#include "toolbar_icons.h"
#include "window_transfer.h"

#include <QApplication>
#include <QDir>

// The recent-file list lives in ~/.config/qtr318/, named after the program, not the framework.
const char* const CProgramApp::kSettingsOrganization = "qtr318";
const char* const CProgramApp::kApplicationTitle = "写频软件";

CProgramApp::CProgramApp() = default;

CProgramApp::~CProgramApp() {
    m_frame.reset(); // the window refers to the document until it is gone
}

CProgramView* CProgramApp::GetView() const {
    return m_frame ? m_frame->GetActiveView() : nullptr;
}

bool CProgramApp::InitInstance(const QStringList& arguments) {
    QCoreApplication::setOrganizationName(QString::fromUtf8(kSettingsOrganization));
    QCoreApplication::setApplicationName(QString::fromUtf8(kApplicationTitle));

    m_document = std::make_unique<CProgramDoc>();
    m_frame = std::make_unique<CMainFrame>(m_document.get());
    CProgramView* view = m_frame->GetActiveView();
    m_document->SetView(view);
    m_document->SetWindow(m_frame.get());
    connect(m_document.get(), &CProgramDoc::fileUsed, this,
            [this](const QString& path) { m_recentFiles.Add(path); });

    m_frame->connectCommand(QStringLiteral("actionFileNew"), this, &CProgramApp::OnFileNew);
    m_frame->connectCommand(QStringLiteral("actionFileOpen"), this, &CProgramApp::OnFileOpen);
    m_frame->connectCommand(QStringLiteral("actionFileOpenBackup"), this,
                            &CProgramApp::OnFileOpenBackup);
    m_frame->connectCommand(QStringLiteral("actionAppAbout"), this, &CProgramApp::OnAppAbout);
    // The window owns the edit and CSV commands; a dropped .sin opens as Open would open it.
    new EditCommands(m_frame.get(), m_document.get());
    new CsvFileCommands(m_frame.get(), m_document.get(), [this](const QString& path) {
        if (m_document->SaveModified()) {
            OpenDocumentFile(path);
        }
    });

    if (arguments.isEmpty()) {
        m_document->OnNewDocument();
        view->initialUpdate();
    } else if (!OpenDocumentFile(arguments.constFirst())) {
        return false;
    }

    m_frame->setWindowIcon(ToolbarIcons::ApplicationIcon());
    // Wayland shows the icon of the desktop entry of this name rather than the window's own.
    QGuiApplication::setDesktopFileName(QStringLiteral("qtr318-cps"));
    m_frame->show();
    return true;
}

void CProgramApp::OnFileNew() {
    if (!m_document->SaveModified()) {
        return;
    }
    if (m_document->OnNewDocument()) {
        GetView()->initialUpdate();
    }
}

void CProgramApp::OnFileOpen() {
    if (!m_document->SaveModified()) {
        return;
    }
    const QString path =
        TheMessenger().chooseOpenFile(m_frame.get(), tr("打开"), CProgramDoc::FileFilter());
    if (!path.isEmpty()) {
        OpenDocumentFile(path);
    }
}

void CProgramApp::OnFileOpenBackup() {
    if (!m_document->SaveModified()) {
        return;
    }
    const QString folder = GetView()->transfer()->backupFolder();
    QDir().mkpath(folder); // before the first transfer it is not there yet
    const QString path = TheMessenger().chooseOpenFile(m_frame.get(), tr("打开备份"),
                                                       CProgramDoc::FileFilter(), folder);
    if (!path.isEmpty()) {
        OpenDocumentFile(path);
    }
}

bool CProgramApp::OpenDocumentFile(const QString& path) {
    if (!m_document->OnOpenDocument(path)) {
        return false;
    }
    GetView()->initialUpdate();
    return true;
}

void CProgramApp::OnAppAbout() {
    CAboutDlg about(m_frame.get());
    about.exec();
}
