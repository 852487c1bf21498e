#include "main_frame.h"

#include "channel_table_printer.h"
#include "command_ids.h"
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

namespace Id = CommandId;

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
    CreateAccelerators();
    ConnectCommands();
}

CMainFrame::~CMainFrame() = default;

QAction* CMainFrame::AddCommand(int command, const QString& text, const QString& prompt,
                                const QString& tip) {
    auto* action = new QAction(text, this);
    action->setObjectName(QStringLiteral("command%1").arg(command));
    action->setStatusTip(prompt);
    action->setToolTip(tip.isEmpty() ? QString(text).remove(QStringLiteral("&")) : tip);
    action->setData(command);
    m_actions[command] = action;
    return action;
}

void CMainFrame::CreateActions() {
    using Image = ToolbarIcons::Image;
    AddCommand(Id::kFileNew, tr("新建(&N)\tCtrl+N"), tr("建立新文档"), tr("新建"))
        ->setIcon(ToolbarIcons::Make(Image::New));
    AddCommand(Id::kFileOpen, tr("打开(&O)...\tCtrl+O"), tr("打开一个现有文档"), tr("打开"))
        ->setIcon(ToolbarIcons::Make(Image::Open));
    AddCommand(Id::kFileSave, tr("保存(&S)\tCtrl+S"), tr("保存活动文档"), tr("保存"))
        ->setIcon(ToolbarIcons::Make(Image::Save));
    AddCommand(Id::kFileSaveAs, tr("另存为(&A)..."), tr("将活动文档以一个新文件名保存"),
               tr("另存为"));
    AddCommand(Id::kFileOpenBackup, tr("打开备份(&B)..."),
               tr("打开备份文件夹里从对讲机读出或写入对讲机之前保存的数据"), tr("打开备份"));
    AddCommand(Id::kFilePrint, tr("打印(&P)...\tCtrl+P"), tr("打印活动文档"), tr("打印"))
        ->setIcon(ToolbarIcons::Make(Image::Print));
    AddCommand(Id::kFilePrintPreview, tr("打印预览(&V)"), tr("显示整页"), tr("打印预览"));
    AddCommand(Id::kFilePrintSetup, tr("打印设置(&R)..."), tr("改变打印机及打印选项"),
               tr("打印设置"));
    AddCommand(Id::kAppExit, tr("退出(&X)"), tr("退出应用程序；提示保存文档"), tr("退出"));
    AddCommand(Id::kOptionalFeatures, tr("可选功能"), QString(), QString());
    AddCommand(Id::kReadData, tr("读数据"), tr("从对讲机读取数据"), tr("读频"))
        ->setIcon(ToolbarIcons::Make(Image::Read));
    AddCommand(Id::kWriteData, tr("写数据"), tr("向对讲机写入数据"), tr("写频"))
        ->setIcon(ToolbarIcons::Make(Image::Write));
    // One port is chosen at a time; the check mark follows the choice.
    auto* ports = new QActionGroup(this);
    ports->setExclusive(true);
    const int portCommands[] = {Id::kPortCom1, Id::kPortCom2, Id::kPortCom3, Id::kPortCom4};
    for (int n = 1; n <= 4; ++n) {
        QAction* port = AddCommand(portCommands[n - 1], QStringLiteral("COM%1").arg(n), QString(),
                                   QStringLiteral("Com%1").arg(n));
        port->setCheckable(true);
        port->setChecked(n == 1);
        ports->addAction(port);
        connect(port, &QAction::triggered, this,
                [this, n] { m_view->setPortName(QStringLiteral("COM%1").arg(n)); });
    }
    QAction* toolbar =
        AddCommand(Id::kViewToolbar, tr("工具栏(&T)"), tr("显示或隐藏工具栏"), tr("显隐工具栏"));
    toolbar->setCheckable(true);
    toolbar->setChecked(true);
    QAction* status =
        AddCommand(Id::kViewStatusBar, tr("状态栏(&S)"), tr("显示或隐藏状态栏"), tr("显隐状态栏"));
    status->setCheckable(true);
    status->setChecked(true);
    AddCommand(Id::kAppAbout, tr("关于 ..."), tr("显示程序信息，版本号和版权"), tr("关于"))
        ->setIcon(ToolbarIcons::Make(Image::About));
}

void CMainFrame::CreateMenus() {
    QMenu* file = menuBar()->addMenu(tr("文件(&F)"));
    file->setObjectName(QStringLiteral("menuFile"));
    for (int command :
         {Id::kFileNew, Id::kFileOpen, Id::kFileSave, Id::kFileSaveAs, Id::kFileOpenBackup}) {
        file->addAction(m_actions.at(command));
    }
    file->addSeparator();
    for (int command : {Id::kFilePrint, Id::kFilePrintPreview, Id::kFilePrintSetup}) {
        file->addAction(m_actions.at(command));
    }
    file->addSeparator();
    file->addAction(m_actions.at(Id::kAppExit));

    QMenu* edit = menuBar()->addMenu(tr("编辑(&E)"));
    edit->setObjectName(QStringLiteral("menuEdit"));
    edit->addAction(m_actions.at(Id::kOptionalFeatures));

    QMenu* program = menuBar()->addMenu(tr("编程(&P)"));
    program->setObjectName(QStringLiteral("menuProgram"));
    program->addAction(m_actions.at(Id::kReadData));
    program->addAction(m_actions.at(Id::kWriteData));

    m_portMenu = menuBar()->addMenu(tr("端口(&C)"));
    m_portMenu->setObjectName(QStringLiteral("menuPort"));
    for (int command : {Id::kPortCom1, Id::kPortCom2, Id::kPortCom3, Id::kPortCom4}) {
        m_portMenu->addAction(m_actions.at(command));
    }
    // A cable plugged in or pulled since the menu was last open shows in its prompts.
    connect(m_portMenu, &QMenu::aboutToShow, this, &CMainFrame::UpdatePortPrompts);
    UpdatePortPrompts();

    QMenu* view = menuBar()->addMenu(tr("查看(&V)"));
    view->setObjectName(QStringLiteral("menuView"));
    view->addAction(m_actions.at(Id::kViewToolbar));
    view->addAction(m_actions.at(Id::kViewStatusBar));

    QMenu* help = menuBar()->addMenu(tr("帮助(&H)"));
    help->setObjectName(QStringLiteral("menuHelp"));
    help->addAction(m_actions.at(Id::kAppAbout));

    for (QMenu* menu : {file, edit, program, m_portMenu, view, help}) {
        menu->setAccessibleName(QString(menu->title()).remove(QStringLiteral("&")));
    }
}

void CMainFrame::CreateToolBar() {
    m_toolBar = new QToolBar(tr("工具栏"), this);
    m_toolBar->setObjectName(QStringLiteral("mainToolBar"));
    m_toolBar->setIconSize(QSize(ToolbarIcons::kImageSize, ToolbarIcons::kImageSize));
    m_toolBar->setMovable(true);
    m_toolBar->setFloatable(true);
    m_toolBar->setAllowedAreas(Qt::AllToolBarAreas);
    const int entries[] = {
        Id::kFileNew,   Id::kFileOpen, Id::kFileSave, 0, Id::kReadData, Id::kWriteData, 0,
        Id::kFilePrint, Id::kAppAbout};
    for (int command : entries) {
        if (command == 0) {
            m_toolBar->addSeparator();
            continue;
        }
        QAction* action = m_actions.at(command);
        m_toolBar->addAction(action);
        if (QWidget* button = m_toolBar->widgetForAction(action)) {
            button->setObjectName(QStringLiteral("toolButton%1").arg(command));
            button->setAccessibleName(action->toolTip());
        }
    }
    addToolBar(Qt::TopToolBarArea, m_toolBar);
    QAction* toggle = m_actions.at(Id::kViewToolbar);
    connect(m_toolBar, &QToolBar::visibilityChanged, toggle, &QAction::setChecked);
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

void CMainFrame::CreateAccelerators() {
    m_accelerators = {
        {QKeySequence(Qt::CTRL | Qt::Key_C), Id::kPortCom1},
        {QKeySequence(Qt::CTRL | Qt::Key_D), Id::kPortCom2},
        {QKeySequence(Qt::CTRL | Qt::Key_E), Id::kPortCom3},
        {QKeySequence(Qt::CTRL | Qt::Key_F), Id::kPortCom4},
        {QKeySequence(Qt::CTRL | Qt::Key_N), Id::kFileNew},
        {QKeySequence(Qt::CTRL | Qt::Key_O), Id::kFileOpen},
        {QKeySequence(Qt::CTRL | Qt::Key_P), Id::kFilePrint},
        {QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_P), Id::kUnhandledCtrlAltP},
        {QKeySequence(Qt::CTRL | Qt::Key_R), Id::kReadData},
        {QKeySequence(Qt::CTRL | Qt::Key_S), Id::kFileSave},
        {QKeySequence(Qt::CTRL | Qt::Key_T), Id::kUnhandledCtrlT},
        {QKeySequence(Qt::Key_F1), Id::kHelp},
        {QKeySequence(Qt::SHIFT | Qt::Key_F1), Id::kContextHelp},
        {QKeySequence(Qt::Key_F6), Id::kNextPane},
        {QKeySequence(Qt::SHIFT | Qt::Key_F6), Id::kPrevPane},
        {QKeySequence(Qt::CTRL | Qt::Key_W), Id::kWriteData},
        // The tuning command has no menu item or button; this key is its only way in.
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_T), Id::kTuning},
    };
    for (const Accelerator& accelerator : m_accelerators) {
        auto* action = new QAction(this);
        action->setObjectName(QStringLiteral("accelerator%1").arg(accelerator.command));
        action->setShortcut(accelerator.key);
        action->setShortcutContext(Qt::WindowShortcut);
        const int command = accelerator.command;
        addAction(action);
        if (m_actions.count(command) == 0) {
            m_actions[command] = action; // a command that has only its key
        } else {
            // The key does what the menu item does, and nothing while the item is disabled.
            QAction* item = m_actions.at(command);
            connect(action, &QAction::triggered, item, [item] {
                if (item->isEnabled()) {
                    item->trigger();
                }
            });
        }
    }
}

void CMainFrame::ConnectCommands() {
    connectCommand(Id::kReadData, m_view, &CProgramView::OnReadData);
    connectCommand(Id::kWriteData, m_view, &CProgramView::OnWriteData);
    connectCommand(Id::kOptionalFeatures, m_view, &CProgramView::OnOptionalFeatures);
    connectCommand(Id::kTuning, m_view, &CProgramView::OnTuning);
    connectCommand(Id::kFileSave, m_document, &CProgramDoc::OnFileSave);
    connectCommand(Id::kFileSaveAs, m_document, &CProgramDoc::OnFileSaveAs);
    connectCommand(Id::kFilePrint, this, &CMainFrame::OnFilePrint);
    connectCommand(Id::kFilePrintPreview, this, &CMainFrame::OnFilePrintPreview);
    connectCommand(Id::kFilePrintSetup, this, &CMainFrame::OnFilePrintSetup);
    connect(CommandAction(Id::kAppExit), &QAction::triggered, this, &CMainFrame::close);
    connect(CommandAction(Id::kViewToolbar), &QAction::triggered, m_toolBar, &QToolBar::setVisible);
    connect(CommandAction(Id::kViewStatusBar), &QAction::triggered, statusBar(),
            &QStatusBar::setVisible);
}

void CMainFrame::UpdatePortPrompts() {
    const int portCommands[] = {Id::kPortCom1, Id::kPortCom2, Id::kPortCom3, Id::kPortCom4};
    for (int n = 1; n <= 4; ++n) {
        const QString device = PortNames::DevicePath(QStringLiteral("COM%1").arg(n));
        const bool present = QFileInfo::exists(device);
        m_actions.at(portCommands[n - 1])
            ->setStatusTip(tr("选择串口%1 （%2，%3）")
                               .arg(n)
                               .arg(device, present ? tr("存在") : tr("不存在")));
    }
}

bool CMainFrame::IsTransferBusy() const {
    return m_view->IsTransferBusy();
}

bool CMainFrame::IsRefusedDuringTransfer(int command) {
    switch (command) {
    case Id::kFileNew:
    case Id::kFileOpen:
    case Id::kFileOpenBackup:
    case Id::kFileSave:
    case Id::kFileSaveAs:
    case Id::kFilePrint:
    case Id::kFilePrintPreview:
    case Id::kFilePrintSetup:
    case Id::kOptionalFeatures:
    case Id::kTuning:
        return true;
    default:
        return false;
    }
}

void CMainFrame::OnTransferRunningChanged(bool running) {
    for (const auto& [command, action] : m_actions) {
        if (IsRefusedDuringTransfer(command)) {
            action->setEnabled(!running);
        }
    }
    if (!running && m_bCloseAfterTransfer) {
        m_bCloseAfterTransfer = false;
        // Queued, so the transfer has left the stack before the window goes.
        QMetaObject::invokeMethod(
            this, [this] { close(); }, Qt::QueuedConnection);
    }
}

QAction* CMainFrame::CommandAction(int command) const {
    const auto action = m_actions.find(command);
    return action == m_actions.end() ? nullptr : action->second;
}

void CMainFrame::ResizeParentToFit() {
    // What the menu, tool and status bars take is whatever the window has around its form.
    layout()->activate();
    const QSize chrome = size() - m_viewArea->size();
    const QSize form = m_view->FormSize() + chrome;
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
    if (m_view->IsTransferBusy()) {
        // The transfer runs on this window's stack: it stops at its next block, closes the port
        // and its dialog, and then the close goes ahead as any other.
        m_view->CancelTransfer();
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
