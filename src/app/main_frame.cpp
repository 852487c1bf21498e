#include "main_frame.h"

#include "channel_table_printer.h"
#include "messenger.h"
#include "port_names.h"
#include "program_doc.h"
#include "program_view.h"
#include "toolbar_icons.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QToolBar>

namespace {
const QSize kInitialSize(1000, 800);
} // namespace

CMainFrame::CMainFrame(CProgramDoc* document, QWidget* parent)
    : QMainWindow(parent), m_document(document), m_printer(QPrinter::HighResolution) {
    setObjectName(QStringLiteral("mainFrame"));
    // The caption never names the document.
    setWindowTitle(tr("澜星写频软件"));
    resize(kInitialSize);
    m_printer.setPageSize(QPageSize(QPageSize::A4));

    m_view = new CProgramView(document->image(), document->channels());
    m_viewArea = new QScrollArea(this);
    m_viewArea->setObjectName(QStringLiteral("viewArea"));
    m_viewArea->setWidget(m_view);
    // The form stretches with the window; only a screen too small for it scrolls.
    m_viewArea->setWidgetResizable(true);
    m_viewArea->setFrameShape(QFrame::NoFrame);
    m_viewArea->setFocusPolicy(Qt::NoFocus); // Ctrl+Tab goes from the grid to the selectors
    setCentralWidget(m_viewArea);
    connect(m_view, &CProgramView::resizeParentToFit, this, &CMainFrame::ResizeParentToFit);
    connect(m_view, &CProgramView::transferRunningChanged, this,
            &CMainFrame::OnTransferRunningChanged);

    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    ConnectCommands();
}

CMainFrame::~CMainFrame() = default;

QAction* CMainFrame::AddCommand(const char* name, const QString& text, const QString& prompt,
                                const QString& tip, const QKeySequence& key) {
    auto* action = new QAction(text, this);
    action->setObjectName(QLatin1String(name));
    action->setStatusTip(prompt);
    action->setToolTip(tip.isEmpty() ? QString(text).remove(QStringLiteral("&")) : tip);
    // The keys work wherever the focus is in the window, menu item on show or not.
    addAction(action);
    if (text.contains(QLatin1Char('\t')) || text.isEmpty()) {
        action->setShortcut(key);
    } else if (!key.isEmpty()) {
        // A menu shows an action's key beside its text; items whose text names no key ("COM1",
        // "读数据") keep their look, so their key lives on an action of its own.
        auto* keyOnly = new QAction(this);
        keyOnly->setObjectName(action->objectName() + QStringLiteral("Key"));
        keyOnly->setShortcut(key);
        connect(keyOnly, &QAction::triggered, action, &QAction::trigger);
        connect(action, &QAction::enabledChanged, keyOnly, &QAction::setEnabled);
        addAction(keyOnly);
    }
    return action;
}

QAction* CMainFrame::action(const QString& name) const {
    return findChild<QAction*>(name, Qt::FindDirectChildrenOnly);
}

void CMainFrame::CreateActions() {
    using Image = ToolbarIcons::Image;
    AddCommand("actionFileNew", tr("新建(&N)\tCtrl+N"), tr("建立新文档"), tr("新建"),
               Qt::CTRL | Qt::Key_N)
        ->setIcon(ToolbarIcons::Make(Image::New));
    AddCommand("actionFileOpen", tr("打开(&O)...\tCtrl+O"), tr("打开一个现有文档"), tr("打开"),
               Qt::CTRL | Qt::Key_O)
        ->setIcon(ToolbarIcons::Make(Image::Open));
    AddCommand("actionFileSave", tr("保存(&S)\tCtrl+S"), tr("保存活动文档"), tr("保存"),
               Qt::CTRL | Qt::Key_S)
        ->setIcon(ToolbarIcons::Make(Image::Save));
    AddCommand("actionFileSaveAs", tr("另存为(&A)..."), tr("将活动文档以一个新文件名保存"),
               tr("另存为"));
    AddCommand("actionFileOpenBackup", tr("打开备份(&B)..."),
               tr("打开备份文件夹里从对讲机读出或写入对讲机之前保存的数据"), tr("打开备份"));
    AddCommand("actionFilePrint", tr("打印(&P)...\tCtrl+P"), tr("打印活动文档"), tr("打印"),
               Qt::CTRL | Qt::Key_P)
        ->setIcon(ToolbarIcons::Make(Image::Print));
    AddCommand("actionFilePrintPreview", tr("打印预览(&V)"), tr("显示整页"), tr("打印预览"));
    AddCommand("actionFilePrintSetup", tr("打印设置(&R)..."), tr("改变打印机及打印选项"),
               tr("打印设置"));
    AddCommand("actionAppExit", tr("退出(&X)"), tr("退出应用程序；提示保存文档"), tr("退出"));
    AddCommand("actionOptionalFeatures", tr("可选功能"), QString(), QString());
    // The tuning command has no menu item or button; its key is its only way in.
    AddCommand("actionTuning", QString(), QString(), QString(), Qt::CTRL | Qt::SHIFT | Qt::Key_T);
    AddCommand("actionReadData", tr("读数据"), tr("从对讲机读取数据"), tr("读频"),
               Qt::CTRL | Qt::Key_R)
        ->setIcon(ToolbarIcons::Make(Image::Read));
    AddCommand("actionWriteData", tr("写数据"), tr("向对讲机写入数据"), tr("写频"),
               Qt::CTRL | Qt::Key_W)
        ->setIcon(ToolbarIcons::Make(Image::Write));
    // One port is chosen at a time; the check mark follows the choice.
    auto* ports = new QActionGroup(this);
    ports->setExclusive(true);
    const char* const portNames[] = {"actionPortCom1", "actionPortCom2", "actionPortCom3",
                                     "actionPortCom4"};
    const Qt::Key portKeys[] = {Qt::Key_C, Qt::Key_D, Qt::Key_E, Qt::Key_F};
    for (int n = 1; n <= 4; ++n) {
        QAction* port = AddCommand(portNames[n - 1], QStringLiteral("COM%1").arg(n), QString(),
                                   QStringLiteral("Com%1").arg(n), Qt::CTRL | portKeys[n - 1]);
        port->setCheckable(true);
        port->setChecked(n == 1);
        ports->addAction(port);
        connect(port, &QAction::triggered, this,
                [this, n] { m_view->setPortName(QStringLiteral("COM%1").arg(n)); });
    }
    QAction* toolbar =
        AddCommand("actionViewToolbar", tr("工具栏(&T)"), tr("显示或隐藏工具栏"), tr("显隐工具栏"));
    toolbar->setCheckable(true);
    toolbar->setChecked(true);
    QAction* status = AddCommand("actionViewStatusBar", tr("状态栏(&S)"), tr("显示或隐藏状态栏"),
                                 tr("显隐状态栏"));
    status->setCheckable(true);
    status->setChecked(true);
    AddCommand("actionAppAbout", tr("关于 ..."), tr("显示程序信息，版本号和版权"), tr("关于"))
        ->setIcon(ToolbarIcons::Make(Image::About));
    // Keys the window reserves without a command: they do nothing, wherever the focus is.
    AddCommand("actionUnhandledCtrlAltP", QString(), QString(), QString(),
               Qt::CTRL | Qt::ALT | Qt::Key_P);
    AddCommand("actionUnhandledCtrlT", QString(), QString(), QString(), Qt::CTRL | Qt::Key_T);
    AddCommand("actionHelp", QString(), QString(), QString(), Qt::Key_F1);
    AddCommand("actionContextHelp", QString(), QString(), QString(), Qt::SHIFT | Qt::Key_F1);
    AddCommand("actionNextPane", QString(), QString(), QString(), Qt::Key_F6);
    AddCommand("actionPrevPane", QString(), QString(), QString(), Qt::SHIFT | Qt::Key_F6);

    for (const char* name :
         {"actionFileNew", "actionFileOpen", "actionFileOpenBackup", "actionFileSave",
          "actionFileSaveAs", "actionFilePrint", "actionFilePrintPreview", "actionFilePrintSetup",
          "actionOptionalFeatures", "actionTuning"}) {
        m_refusedDuringTransfer.append(action(QLatin1String(name)));
    }
}

// A menu of the named actions, in order; an empty name is a separator.
QMenu* CMainFrame::AddMenu(const QString& title, const char* name, const QStringList& actions) {
    QMenu* menu = menuBar()->addMenu(title);
    menu->setObjectName(QLatin1String(name));
    menu->setAccessibleName(QString(title).remove(QStringLiteral("&")));
    for (const QString& entry : actions) {
        if (entry.isEmpty()) {
            menu->addSeparator();
        } else {
            menu->addAction(action(entry));
        }
    }
    return menu;
}

void CMainFrame::CreateMenus() {
    AddMenu(tr("文件(&F)"), "menuFile",
            {"actionFileNew", "actionFileOpen", "actionFileSave", "actionFileSaveAs",
             "actionFileOpenBackup", "", "actionFilePrint", "actionFilePrintPreview",
             "actionFilePrintSetup", "", "actionAppExit"});
    AddMenu(tr("编辑(&E)"), "menuEdit", {"actionOptionalFeatures"});
    AddMenu(tr("编程(&P)"), "menuProgram", {"actionReadData", "actionWriteData"});
    m_portMenu = AddMenu(tr("端口(&C)"), "menuPort",
                         {"actionPortCom1", "actionPortCom2", "actionPortCom3", "actionPortCom4"});
    // A cable plugged in or pulled since the menu was last open shows in its prompts.
    connect(m_portMenu, &QMenu::aboutToShow, this, &CMainFrame::UpdatePortPrompts);
    UpdatePortPrompts();
    AddMenu(tr("查看(&V)"), "menuView", {"actionViewToolbar", "actionViewStatusBar"});
    AddMenu(tr("帮助(&H)"), "menuHelp", {"actionAppAbout"});
}

void CMainFrame::CreateToolBar() {
    m_toolBar = new QToolBar(tr("工具栏"), this);
    m_toolBar->setObjectName(QStringLiteral("mainToolBar"));
    m_toolBar->setIconSize(QSize(ToolbarIcons::kImageSize, ToolbarIcons::kImageSize));
    m_toolBar->setMovable(true);
    m_toolBar->setFloatable(true);
    m_toolBar->setAllowedAreas(Qt::AllToolBarAreas);
    const QStringList entries = {"actionFileNew",
                                 "actionFileOpen",
                                 "actionFileSave",
                                 "",
                                 "actionReadData",
                                 "actionWriteData",
                                 "",
                                 "actionFilePrint",
                                 "actionAppAbout"};
    for (const QString& entry : entries) {
        if (entry.isEmpty()) {
            m_toolBar->addSeparator();
            continue;
        }
        QAction* command = action(entry);
        m_toolBar->addAction(command);
        if (QWidget* button = m_toolBar->widgetForAction(command)) {
            button->setObjectName(
                QString(entry).replace(QLatin1String("action"), QLatin1String("toolButton")));
            button->setAccessibleName(command->toolTip());
        }
    }
    addToolBar(Qt::TopToolBarArea, m_toolBar);
    connect(m_toolBar, &QToolBar::visibilityChanged, action(QStringLiteral("actionViewToolbar")),
            &QAction::setChecked);
}

void CMainFrame::CreateStatusBar() {
    m_idlePrompt = new QLabel(tr("就绪"));
    m_idlePrompt->setObjectName(QStringLiteral("idlePrompt"));
    statusBar()->setObjectName(QStringLiteral("statusBar"));
    statusBar()->addWidget(m_idlePrompt, 1);
    // Qt cannot read the lock keys' state portably, so the indicators stay as the framework
    // shows them with the locks off: present but dimmed.
    for (const QString& name : {tr("大写"), tr("数字"), tr("滚动")}) {
        auto* indicator = new QLabel(name);
        indicator->setFrameShape(QFrame::Panel);
        indicator->setFrameShadow(QFrame::Sunken);
        indicator->setAlignment(Qt::AlignCenter);
        indicator->setEnabled(false);
        indicator->setAccessibleName(name);
        statusBar()->addPermanentWidget(indicator);
        m_indicators.append(indicator);
    }
}

void CMainFrame::ConnectCommands() {
    connectCommand(QStringLiteral("actionReadData"), m_view, &CProgramView::readData);
    connectCommand(QStringLiteral("actionWriteData"), m_view, &CProgramView::writeData);
    connectCommand(QStringLiteral("actionOptionalFeatures"), m_view,
                   &CProgramView::openOptionalFeatures);
    connectCommand(QStringLiteral("actionTuning"), m_view, &CProgramView::openTuning);
    connectCommand(QStringLiteral("actionFileSave"), m_document, &CProgramDoc::OnFileSave);
    connectCommand(QStringLiteral("actionFileSaveAs"), m_document, &CProgramDoc::OnFileSaveAs);
    connectCommand(QStringLiteral("actionFilePrint"), this, &CMainFrame::OnFilePrint);
    connectCommand(QStringLiteral("actionFilePrintPreview"), this, &CMainFrame::OnFilePrintPreview);
    connectCommand(QStringLiteral("actionFilePrintSetup"), this, &CMainFrame::OnFilePrintSetup);
    connect(action(QStringLiteral("actionAppExit")), &QAction::triggered, this, &CMainFrame::close);
    connect(action(QStringLiteral("actionViewToolbar")), &QAction::triggered, m_toolBar,
            &QToolBar::setVisible);
    connect(action(QStringLiteral("actionViewStatusBar")), &QAction::triggered, statusBar(),
            &QStatusBar::setVisible);
}

void CMainFrame::UpdatePortPrompts() {
    for (int n = 1; n <= 4; ++n) {
        const QString device = PortNames::DevicePath(QStringLiteral("COM%1").arg(n));
        const bool present = QFileInfo::exists(device);
        action(QStringLiteral("actionPortCom%1").arg(n))
            ->setStatusTip(tr("选择串口%1 （%2，%3）")
                               .arg(n)
                               .arg(device, present ? tr("存在") : tr("不存在")));
    }
}

bool CMainFrame::IsTransferBusy() const {
    return m_view->isTransferBusy();
}

void CMainFrame::OnTransferRunningChanged(bool running) {
    for (QAction* command : m_refusedDuringTransfer) {
        command->setEnabled(!running);
    }
    if (!running && m_bCloseAfterTransfer) {
        m_bCloseAfterTransfer = false;
        // Queued, so the transfer has left the stack before the window goes.
        QMetaObject::invokeMethod(
            this, [this] { close(); }, Qt::QueuedConnection);
    }
}

void CMainFrame::ResizeParentToFit() {
    // What the menu, tool and status bars take is whatever the window has around its form.
    layout()->activate();
    const QSize chrome = size() - m_viewArea->size();
    const QSize form = m_view->formSize() + chrome;
    // Just the form, unless the screen is smaller: the whole grid is in view without scrolling
    // wherever the screen allows it. A font wider than the window was drawn for grows it.
    QSize wanted = form;
    if (const QScreen* screen = this->screen()) {
        const QSize frameMargins = frameGeometry().size() - geometry().size();
        wanted = wanted.boundedTo(screen->availableGeometry().size() - frameMargins);
    }
    resize(wanted);
}

void CMainFrame::CenterOnScreen() {
    const QScreen* screen = this->screen();
    if (!screen) {
        return;
    }
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
}

void CMainFrame::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!event->spontaneous()) {
        // Only now do the bars around the form have their real sizes.
        ResizeParentToFit();
        CenterOnScreen();
    }
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (m_view->isTransferBusy()) {
        // The transfer runs on this window's stack: it stops at its next block, closes the port
        // and its dialog, and then the close goes ahead as any other.
        m_view->cancelTransfer();
        m_bCloseAfterTransfer = true;
        event->ignore();
        return;
    }
    if (m_document->SaveModified()) {
        event->accept();
    } else {
        event->ignore();
    }
}

bool CMainFrame::PrintDocument(QPrinter& printer) {
    const ChannelTablePrinter tablePrinter(m_document->channels(), m_document->GetTitle());
    if (!tablePrinter.Print(printer)) {
        ShowWarning(this, tr("无法打印。"));
        return false;
    }
    return true;
}

void CMainFrame::OnFilePrint() {
    QPrintDialog dialog(&m_printer, this);
    if (dialog.exec() == QDialog::Accepted) {
        PrintDocument(m_printer);
    }
}

void CMainFrame::OnFilePrintPreview() {
    QPrintPreviewDialog preview(&m_printer, this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* printer) { PrintDocument(*printer); });
    preview.exec();
}

void CMainFrame::OnFilePrintSetup() {
    QPageSetupDialog dialog(&m_printer, this);
    dialog.exec();
}
