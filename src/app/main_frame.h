#pragma once

#include <QKeySequence>
#include <QList>
#include <QMainWindow>
#include <QPrinter>
#include <map>

class CProgramDoc;
class CProgramView;
class QAction;
class QLabel;
class QMenu;
class QScrollArea;
class QToolBar;

// The main window: caption, menu bar, toolbar, accelerators and status bar around the channel
// view. Each command is one QAction, connected directly to what carries it out; menu item and
// toolbar button share it, and an accelerator key triggers it. The commands keep their numbers
// only as names for the accelerator table and for finding an action.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    struct Accelerator {
        QKeySequence key;
        int command;
    };

    explicit CMainFrame(CProgramDoc* document, QWidget* parent = nullptr);
    ~CMainFrame() override;

    CProgramView* GetActiveView() const { return m_view; }
    CProgramDoc* GetDocument() const { return m_document; }

    // Connects a command to what carries it out. A command that would replace, save or print the
    // image, or change the options, does nothing while a transfer is under way.
    template <typename Receiver, typename Slot>
    void connectCommand(int command, Receiver* receiver, Slot slot) {
        QAction* action = CommandAction(command);
        connect(action, &QAction::triggered, receiver, [this, command, receiver, slot] {
            if (!(IsRefusedDuringTransfer(command) && IsTransferBusy())) {
                (receiver->*slot)();
            }
        });
    }
    static bool IsRefusedDuringTransfer(int command);

    // The menu item (or, for commands without one, the accelerator action) of a command.
    QAction* CommandAction(int command) const;
    const QList<Accelerator>& Accelerators() const { return m_accelerators; }
    QToolBar* ToolBar() const { return m_toolBar; }
    QLabel* IdlePrompt() const { return m_idlePrompt; }
    QList<QLabel*> Indicators() const { return m_indicators; }

    // Fits the window to the form's size, within the screen.
    void ResizeParentToFit();

    // Print, Print Preview and Print Setup share one printer, so a page set up once is used by
    // both. PrintDocument is what every page of either receives.
    QPrinter& Printer() { return m_printer; }
    bool PrintDocument(QPrinter& printer);
    void OnFilePrint();
    void OnFilePrintPreview();
    void OnFilePrintSetup();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    void CreateAccelerators();
    void ConnectCommands();
    bool IsTransferBusy() const;
    void CenterOnScreen();
    void OnTransferRunningChanged(bool running);
    // Each port's prompt names the device it stands for and whether that device is there.
    void UpdatePortPrompts();
    QAction* AddCommand(int command, const QString& text, const QString& prompt,
                        const QString& tip);

    CProgramDoc* m_document;
    CProgramView* m_view = nullptr;
    QScrollArea* m_viewArea = nullptr;
    QToolBar* m_toolBar = nullptr;
    QLabel* m_idlePrompt = nullptr;
    QList<QLabel*> m_indicators;
    QMenu* m_portMenu = nullptr;
    std::map<int, QAction*> m_actions;
    QList<Accelerator> m_accelerators;
    QPrinter m_printer;
    // The user closed the window during a transfer: close once it has let go of the port.
    bool m_bCloseAfterTransfer = false;
};
