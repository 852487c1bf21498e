#pragma once

#include <QKeySequence>
#include <QList>
#include <QMainWindow>
#include <QPrinter>

class CProgramDoc;
class CProgramView;
class QAction;
class QLabel;
class QMenu;
class QScrollArea;
class QToolBar;

// The main window: caption, menu bar, toolbar, accelerators and status bar around the channel
// view. Each command is one QAction named by its object name ("actionFileNew"), connected
// directly to what carries it out; menu item, toolbar button and shortcut keys share it. A key
// without a command (Ctrl+T, F1) has an action of its own that does nothing.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(CProgramDoc* document, QWidget* parent = nullptr);
    ~CMainFrame() override;

    CProgramView* GetActiveView() const { return m_view; }
    CProgramDoc* GetDocument() const { return m_document; }

    // Connects a command to what carries it out. A command that would replace, save or print the
    // image, or change the options, does nothing while a transfer is under way.
    template <typename Receiver, typename Slot>
    void connectCommand(const QString& name, Receiver* receiver, Slot slot) {
        QAction* command = action(name);
        connect(command, &QAction::triggered, receiver, [this, command, receiver, slot] {
            if (!(m_refusedDuringTransfer.contains(command) && IsTransferBusy())) {
                (receiver->*slot)();
            }
        });
    }

    // The action of a command by its object name, or null.
    QAction* action(const QString& name) const;
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
    void ConnectCommands();
    bool IsTransferBusy() const;
    void CenterOnScreen();
    void OnTransferRunningChanged(bool running);
    QAction* AddCommand(const char* name, const QString& text, const QString& prompt,
                        const QString& tip, const QKeySequence& key = {});
    QMenu* AddMenu(const QString& title, const char* name, const QStringList& actions);
    // Each port's prompt names the device it stands for and whether that device is there.
    void UpdatePortPrompts();

    CProgramDoc* m_document;
    CProgramView* m_view = nullptr;
    QScrollArea* m_viewArea = nullptr;
    QToolBar* m_toolBar = nullptr;
    QLabel* m_idlePrompt = nullptr;
    QList<QLabel*> m_indicators;
    QMenu* m_portMenu = nullptr;
    // Commands that would replace, save or print the image, or change the options.
    QList<QAction*> m_refusedDuringTransfer;
    QPrinter m_printer;
    // The user closed the window during a transfer: close once it has let go of the port.
    bool m_bCloseAfterTransfer = false;
};
