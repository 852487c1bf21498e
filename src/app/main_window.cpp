#include "main_window.h"

#include "channel_document.h"
#include "channel_form.h"
#include "channel_table_printer.h"
#include "messenger.h"
#include "port_names.h"
#include "status_announcer.h"
#include "toolbar_icons.h"
#include "window_transfer.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QDir>
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

#include <tuple>

namespace {
const QSize kInitialSize(1000, 800);
// Long enough to read after looking back from the radio; the window's state, not news, after.
constexpr int kStatusMessageMs = 30000;
} // namespace

MainWindow::MainWindow(ChannelDocument* document, QWidget* parent)
    : QMainWindow(parent), m_document(document), m_printer(QPrinter::HighResolution) {
    setObjectName(QStringLiteral("mainWindow"));
    // The caption never names the document.
    setWindowTitle(tr("澜星写频软件"));
    resize(kInitialSize);
    m_printer.setPageSize(QPageSize(QPageSize::A4));

    m_view = new ChannelForm(document->image(), document->channels());
    m_viewArea = new QScrollArea(this);
    m_viewArea->setObjectName(QStringLiteral("viewArea"));
    m_viewArea->setWidget(m_view);
    // The form stretches with the window; only a screen too small for it scrolls.
    m_viewArea->setWidgetResizable(true);
    m_viewArea->setFrameShape(QFrame::NoFrame);
    m_viewArea->setFocusPolicy(Qt::NoFocus); // Ctrl+Tab goes from the grid to the selectors
    setCentralWidget(m_viewArea);
    connect(m_view, &ChannelForm::resizeParentToFit, this, &MainWindow::fitToForm);

    createActions();
    createMenus();
    createToolBar();
    createStatusBar();
    connectCommands();
    connect(document, &ChannelDocument::pathChanged, this, &MainWindow::showDocumentState);
    connect(document, &ChannelDocument::modifiedChanged, this, &MainWindow::showDocumentState);
    showDocumentState();
}

MainWindow::~MainWindow() = default;

QAction* MainWindow::addCommand(Command id, const char* name, const QString& text,
                                const QString& prompt, const QString& tip,
                                const QKeySequence& key) {
    // A text naming its key ("新建(&N)\tCtrl+N") leaves the key to the shortcut, which the menu
    // shows beside the item and a screen reader reads apart from the item's name.
    const QString label = text.section(QLatin1Char('\t'), 0, 0);
    auto* action = new QAction(label, this);
    action->setObjectName(QLatin1String(name));
    m_actions[id] = action;
    action->setStatusTip(prompt);
    action->setToolTip(tip.isEmpty() ? QString(label).remove(QStringLiteral("&")) : tip);
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

void MainWindow::createActions() {
    using Image = ToolbarIcons::Image;
    addCommand(Command::FileNew, "actionFileNew", tr("新建(&N)\tCtrl+N"), tr("建立新文档"),
               tr("新建"), Qt::CTRL | Qt::Key_N)
        ->setIcon(ToolbarIcons::Make(Image::New));
    addCommand(Command::FileOpen, "actionFileOpen", tr("打开(&O)...\tCtrl+O"),
               tr("打开一个现有文档"), tr("打开"), Qt::CTRL | Qt::Key_O)
        ->setIcon(ToolbarIcons::Make(Image::Open));
    addCommand(Command::FileSave, "actionFileSave", tr("保存(&S)\tCtrl+S"), tr("保存活动文档"),
               tr("保存"), Qt::CTRL | Qt::Key_S)
        ->setIcon(ToolbarIcons::Make(Image::Save));
    addCommand(Command::FileSaveAs, "actionFileSaveAs", tr("另存为(&A)..."),
               tr("将活动文档以一个新文件名保存"), tr("另存为"));
    addCommand(Command::FileSaveAsPlan, "actionFileSaveAsPlan", tr("保存为计划(&L)..."),
               tr("把活动文档作为车队一个计划的下一版保存到编程记录的数据库"), tr("保存为计划"));
    addCommand(Command::FileOpenBackup, "actionFileOpenBackup", tr("打开备份(&B)..."),
               tr("打开备份文件夹里从对讲机读出或写入对讲机之前保存的数据"), tr("打开备份"));
    addCommand(Command::FilePrint, "actionFilePrint", tr("打印(&P)...\tCtrl+P"), tr("打印活动文档"),
               tr("打印"), Qt::CTRL | Qt::Key_P)
        ->setIcon(ToolbarIcons::Make(Image::Print));
    addCommand(Command::FilePrintPreview, "actionFilePrintPreview", tr("打印预览(&V)"),
               tr("显示整页"), tr("打印预览"));
    addCommand(Command::FilePrintSetup, "actionFilePrintSetup", tr("打印设置(&R)..."),
               tr("改变打印机及打印选项"), tr("打印设置"));
    addCommand(Command::AppExit, "actionAppExit", tr("退出(&X)"), tr("退出应用程序；提示保存文档"),
               tr("退出"));
    addCommand(Command::OptionalFeatures, "actionOptionalFeatures", tr("可选功能(&O)"), QString(),
               QString());
    // The tuning command has no menu item or button; its key is its only way in.
    addCommand(Command::Tuning, "actionTuning", QString(), QString(), QString(),
               Qt::CTRL | Qt::SHIFT | Qt::Key_T);
    addCommand(Command::ReadData, "actionReadData", tr("读数据(&R)"), tr("从对讲机读取数据"),
               tr("读频"), Qt::CTRL | Qt::Key_R)
        ->setIcon(ToolbarIcons::Make(Image::Read));
    addCommand(Command::WriteData, "actionWriteData", tr("写数据(&W)"), tr("向对讲机写入数据"),
               tr("写频"), Qt::CTRL | Qt::Key_W)
        ->setIcon(ToolbarIcons::Make(Image::Write));
    addCommand(Command::Fleet, "actionFleet", tr("车队(&F)..."),
               tr("列出车队的每台电台：该写的计划版本、已写的版本和状态；以及计划和它们的版本"),
               tr("车队"));
    // One port is chosen at a time; the check mark follows the choice.
    auto* ports = new QActionGroup(this);
    ports->setExclusive(true);
    const std::pair<Command, const char*> portCommands[] = {{Command::PortCom1, "actionPortCom1"},
                                                            {Command::PortCom2, "actionPortCom2"},
                                                            {Command::PortCom3, "actionPortCom3"},
                                                            {Command::PortCom4, "actionPortCom4"}};
    const Qt::Key portKeys[] = {Qt::Key_C, Qt::Key_D, Qt::Key_E, Qt::Key_F};
    for (int n = 1; n <= 4; ++n) {
        // The menu shows each port's key: Ctrl+C is no copy key here, and says so by its place.
        const QKeySequence key(Qt::CTRL | portKeys[n - 1]);
        QAction* port = addCommand(portCommands[n - 1].first, portCommands[n - 1].second,
                                   QStringLiteral("COM&%1\t%2").arg(n).arg(key.toString()),
                                   QString(), QStringLiteral("Com%1").arg(n), key);
        port->setCheckable(true);
        port->setChecked(n == 1);
        ports->addAction(port);
    }
    QAction* toolbar = addCommand(Command::ViewToolbar, "actionViewToolbar", tr("工具栏(&T)"),
                                  tr("显示或隐藏工具栏"), tr("显隐工具栏"));
    toolbar->setCheckable(true);
    toolbar->setChecked(true);
    QAction* status = addCommand(Command::ViewStatusBar, "actionViewStatusBar", tr("状态栏(&S)"),
                                 tr("显示或隐藏状态栏"), tr("显隐状态栏"));
    status->setCheckable(true);
    status->setChecked(true);
    addCommand(Command::AppAbout, "actionAppAbout", tr("关于(&A) ..."),
               tr("显示程序信息，版本号和版权"), tr("关于"))
        ->setIcon(ToolbarIcons::Make(Image::About));
    addCommand(Command::CableDoctor, "actionCableDoctor", tr("串口诊断(&D)..."),
               tr("检查编程线能否使用，列出妨碍它的原因和解决办法"), tr("串口诊断"));
    // Appearance: one of three, as the port choice.
    auto* looks = new QActionGroup(this);
    for (const auto& [id, name, text, prompt] :
         {std::tuple{Command::AppearanceSystem, "actionAppearanceSystem", tr("跟随系统(&S)"),
                     tr("使用桌面的浅色或深色")},
          std::tuple{Command::AppearanceLight, "actionAppearanceLight", tr("浅色(&L)"),
                     tr("浅色窗口")},
          std::tuple{Command::AppearanceDark, "actionAppearanceDark", tr("深色(&D)"),
                     tr("深色窗口")}}) {
        QAction* look = addCommand(id, name, text, prompt, QString());
        look->setCheckable(true);
        looks->addAction(look);
    }
    // Keys the window reserves without a command: they do nothing, wherever the focus is.
    addCommand(Command::UnhandledCtrlAltP, "actionUnhandledCtrlAltP", QString(), QString(),
               QString(), Qt::CTRL | Qt::ALT | Qt::Key_P);
    addCommand(Command::UnhandledCtrlT, "actionUnhandledCtrlT", QString(), QString(), QString(),
               Qt::CTRL | Qt::Key_T);
    addCommand(Command::Help, "actionHelp", QString(), QString(), QString(), Qt::Key_F1);
    addCommand(Command::ContextHelp, "actionContextHelp", QString(), QString(), QString(),
               Qt::SHIFT | Qt::Key_F1);
    addCommand(Command::NextPane, "actionNextPane", QString(), QString(), QString(), Qt::Key_F6);
    addCommand(Command::PrevPane, "actionPrevPane", QString(), QString(), QString(),
               Qt::SHIFT | Qt::Key_F6);

    for (Command id :
         {Command::FileNew, Command::FileOpen, Command::FileOpenBackup, Command::FileSave,
          Command::FileSaveAs, Command::FilePrint, Command::FilePrintPreview,
          Command::FilePrintSetup, Command::OptionalFeatures, Command::Tuning}) {
        m_refusedDuringTransfer.append(action(id));
    }
}

QMenu* MainWindow::addMenu(Menu id, const QString& title, const char* name,
                           std::initializer_list<std::optional<Command>> commands) {
    QMenu* menu = menuBar()->addMenu(title);
    menu->setObjectName(QLatin1String(name));
    menu->setAccessibleName(QString(title).remove(QStringLiteral("&")));
    m_menus[id] = menu;
    for (const std::optional<Command>& entry : commands) {
        if (entry) {
            menu->addAction(action(*entry));
        } else {
            menu->addSeparator();
        }
    }
    return menu;
}

void MainWindow::createMenus() {
    const std::nullopt_t separator = std::nullopt;
    addMenu(Menu::File, tr("文件(&F)"), "menuFile",
            {Command::FileNew, Command::FileOpen, Command::FileSave, Command::FileSaveAs,
             Command::FileSaveAsPlan, Command::FileOpenBackup, separator, Command::FilePrint,
             Command::FilePrintPreview, Command::FilePrintSetup, separator, Command::AppExit});
    addMenu(Menu::Edit, tr("编辑(&E)"), "menuEdit", {Command::OptionalFeatures});
    addMenu(Menu::Program, tr("编程(&P)"), "menuProgram",
            {Command::ReadData, Command::WriteData, Command::Fleet});
    QMenu* ports =
        addMenu(Menu::Port, tr("端口(&C)"), "menuPort",
                {Command::PortCom1, Command::PortCom2, Command::PortCom3, Command::PortCom4});
    // A cable plugged in or pulled since the menu was last open shows in its prompts.
    connect(ports, &QMenu::aboutToShow, this, &MainWindow::updatePortPrompts);
    updatePortPrompts();
    QMenu* view = addMenu(Menu::View, tr("查看(&V)"), "menuView",
                          {Command::ViewToolbar, Command::ViewStatusBar});
    view->addSeparator();
    QMenu* looks = view->addMenu(tr("外观(&A)"));
    looks->setObjectName(QStringLiteral("menuAppearance"));
    looks->addActions({action(Command::AppearanceSystem), action(Command::AppearanceLight),
                       action(Command::AppearanceDark)});
    addMenu(Menu::Help, tr("帮助(&H)"), "menuHelp",
            {Command::CableDoctor, separator, Command::AppAbout});
}

void MainWindow::createToolBar() {
    m_toolBar = new QToolBar(tr("工具栏"), this);
    m_toolBar->setObjectName(QStringLiteral("mainToolBar"));
    m_toolBar->setIconSize(QSize(ToolbarIcons::kImageSize, ToolbarIcons::kImageSize));
    m_toolBar->setMovable(true);
    m_toolBar->setFloatable(true);
    m_toolBar->setAllowedAreas(Qt::AllToolBarAreas);
    const std::nullopt_t separator = std::nullopt;
    const std::initializer_list<std::optional<Command>> entries = {
        Command::FileNew, Command::FileOpen,  Command::FileSave,
        separator,        Command::ReadData,  Command::WriteData,
        separator,        Command::FilePrint, Command::AppAbout};
    for (const std::optional<Command>& entry : entries) {
        if (!entry) {
            m_toolBar->addSeparator();
            continue;
        }
        QAction* command = action(*entry);
        m_toolBar->addAction(command);
        if (QWidget* button = m_toolBar->widgetForAction(command)) {
            button->setObjectName(command->objectName().replace(QLatin1String("action"),
                                                                QLatin1String("toolButton")));
            button->setAccessibleName(command->toolTip());
        }
    }
    addToolBar(Qt::TopToolBarArea, m_toolBar);
    connect(m_toolBar, &QToolBar::visibilityChanged, action(Command::ViewToolbar),
            &QAction::setChecked);
}

void MainWindow::showStatus(const QString& text) {
    statusBar()->showMessage(text, kStatusMessageMs);
}

void MainWindow::createStatusBar() {
    m_idlePrompt = new QLabel(tr("就绪"));
    m_idlePrompt->setObjectName(QStringLiteral("idlePrompt"));
    statusBar()->setObjectName(QStringLiteral("statusBar"));
    new StatusAnnouncer(statusBar());
    statusBar()->addWidget(m_idlePrompt, 1);
    // The caption never names the document, so the status bar does.
    m_documentState = new QLabel;
    m_documentState->setObjectName(QStringLiteral("documentState"));
    statusBar()->addPermanentWidget(m_documentState);
}

void MainWindow::connectCommands() {
    connectCommand(Command::FileSave, this, &MainWindow::save);
    connectCommand(Command::FileSaveAs, this, &MainWindow::saveAs);
    connectCommand(Command::FilePrint, this, &MainWindow::print);
    connectCommand(Command::FilePrintPreview, this, &MainWindow::printPreview);
    connectCommand(Command::FilePrintSetup, this, &MainWindow::printSetup);
    connect(action(Command::AppExit), &QAction::triggered, this, &MainWindow::close);
    connect(action(Command::ViewToolbar), &QAction::triggered, m_toolBar, &QToolBar::setVisible);
    connect(action(Command::ViewStatusBar), &QAction::triggered, statusBar(),
            &QStatusBar::setVisible);
}

void MainWindow::setTransfer(WindowTransfer* transfer) {
    m_transfer = transfer;
    connect(transfer, &WindowTransfer::runningChanged, this, &MainWindow::showTransferRunning);
    connect(transfer, &WindowTransfer::cableDoctorWanted, action(Command::CableDoctor),
            &QAction::trigger);
}

bool MainWindow::save() {
    return saveTo(m_document->pathName());
}

bool MainWindow::saveAs() {
    return saveTo(QString());
}

bool MainWindow::saveTo(const QString& path) {
    QString target = path;
    if (target.isEmpty()) {
        const QString suggested =
            m_document->pathName().isEmpty()
                ? QDir::current().filePath(m_document->title() + QStringLiteral(".sin"))
                : m_document->pathName();
        target = TheMessenger().chooseSaveFile(this, tr("另存为"), suggested,
                                               ChannelDocument::fileFilter());
        if (target.isEmpty()) {
            return false;
        }
        if (QFileInfo(target).suffix().isEmpty()) {
            target += QStringLiteral(".sin");
        }
    }
    QString error;
    if (!m_document->save(target, &error)) {
        ShowWarning(this, error);
        return false;
    }
    return true;
}

bool MainWindow::saveModified() {
    m_view->commitOpenEditor(); // a value still in its editor counts as an edit too
    if (!m_document->isModified()) {
        return true;
    }
    const QString question = tr("是否保存对 %1 的更改?").arg(m_document->title());
    switch (TheMessenger().askSave(this, question)) {
    case Messenger::SaveChoice::Save:
        return save();
    case Messenger::SaveChoice::Discard:
        return true;
    case Messenger::SaveChoice::Cancel:
        break;
    }
    return false;
}

void MainWindow::updatePortPrompts() {
    const Command ports[] = {Command::PortCom1, Command::PortCom2, Command::PortCom3,
                             Command::PortCom4};
    for (int n = 1; n <= 4; ++n) {
        const QString device = PortNames::DevicePath(QStringLiteral("COM%1").arg(n));
        const bool present = QFileInfo::exists(device);
        action(ports[n - 1])
            ->setStatusTip(tr("选择串口%1 （%2，%3）")
                               .arg(n)
                               .arg(device, present ? tr("存在") : tr("不存在")));
    }
}

bool MainWindow::isTransferBusy() const {
    return m_transfer && m_transfer->isBusy();
}

void MainWindow::showTransferRunning(bool running) {
    for (QAction* command : m_refusedDuringTransfer) {
        command->setEnabled(!running);
    }
    if (!running && m_closeAfterTransfer) {
        m_closeAfterTransfer = false;
        // Queued, so the transfer has left the stack before the window goes.
        QMetaObject::invokeMethod(
            this, [this] { close(); }, Qt::QueuedConnection);
    }
}

void MainWindow::showDocumentState() {
    const QString name = m_document->title();
    const bool modified = m_document->isModified();
    m_documentState->setText(modified ? name + QStringLiteral(" *") : name);
    m_documentState->setAccessibleName(modified ? tr("文件 %1，有未保存的更改").arg(name)
                                                : tr("文件 %1").arg(name));
    m_documentState->setToolTip(QDir::toNativeSeparators(m_document->pathName()));
}

void MainWindow::fitToForm() {
    // What the menu, tool and status bars take is whatever the window has around its form.
    layout()->activate();
    const QSize chrome = size() - m_viewArea->size();
    const QSize form = m_view->formSize() + chrome;
    // Just the form, unless the screen is smaller: the whole grid is in view without scrolling
    // wherever the screen allows it. A font wider than the window was drawn for grows it.
    QSize wanted = form;
    if (const QScreen* screen = this->screen()) {
        const QSize frameMargins = frameGeometry().size() - geometry().size();
        const QSize room = screen->availableGeometry().size() - frameMargins;
        if (wanted.width() > room.width() || wanted.height() > room.height()) {
            // The title bar's height is not known before the window is on the screen (a large
            // scale on a small screen): maximized, the desktop fits the whole window, status bar
            // included, into its available area.
            setWindowState(windowState() | Qt::WindowMaximized);
        }
        wanted = wanted.boundedTo(room);
    }
    resize(wanted);
}

void MainWindow::centerOnScreen() {
    const QScreen* screen = this->screen();
    if (!screen) {
        return;
    }
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!event->spontaneous()) {
        // Only now do the bars around the form have their real sizes.
        fitToForm();
        centerOnScreen();
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (isTransferBusy()) {
        // Asked once; the transfer then stops at its next block, closes the port and its dialog,
        // and the close goes ahead as any other.
        if (m_closeAfterTransfer || !transferLetGo()) {
            event->ignore();
            return;
        }
        if (isTransferBusy()) {
            m_closeAfterTransfer = true;
            event->ignore();
            return;
        }
    }
    if (saveModified()) {
        event->accept();
    } else {
        event->ignore();
    }
}

bool MainWindow::transferLetGo() {
    if (!m_transfer->stopConfirmed(this) || !saveModified()) {
        return false;
    }
    // The changes were let go: only what changes from now on (a read that ends before it can
    // stop) is asked about again.
    m_document->setModified(false);
    m_transfer->cancel();
    return true;
}

bool MainWindow::printDocument(QPrinter& printer) {
    const ChannelTablePrinter tablePrinter(m_document->table(), m_document->title(),
                                           &m_document->image());
    if (!tablePrinter.Print(printer)) {
        ShowWarning(this, tr("无法打印。"));
        return false;
    }
    return true;
}

void MainWindow::print() {
    QPrintDialog dialog(&m_printer, this);
    if (dialog.exec() == QDialog::Accepted) {
        printDocument(m_printer);
    }
}

void MainWindow::printPreview() {
    QPrintPreviewDialog preview(&m_printer, this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* printer) { printDocument(*printer); });
    preview.exec();
}

void MainWindow::printSetup() {
    QPageSetupDialog dialog(&m_printer, this);
    dialog.exec();
}
