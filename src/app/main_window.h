#pragma once

#include <QKeySequence>
#include <QList>
#include <QMainWindow>
#include <QPrinter>

class ChannelDocument;
class ChannelForm;
class QAction;
class QLabel;
class QMenu;
class QScrollArea;
class QToolBar;

// The main window: caption, menu bar, toolbar, accelerators and status bar around the channel
// view. Each command is one QAction named by its object name ("actionFileNew"), connected
// directly to what carries it out; menu item, toolbar button and shortcut keys share it. A key
// without a command (Ctrl+T, F1) has an action of its own that does nothing.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(ChannelDocument* document, QWidget* parent = nullptr);
    ~MainWindow() override;

    ChannelForm* form() const { return m_view; }
    ChannelDocument* document() const { return m_document; }

    // Connects a command to what carries it out. A command that would replace, save or print the
    // image, or change the options, does nothing while a transfer is under way.
    template <typename Receiver, typename Slot>
    void connectCommand(const QString& name, Receiver* receiver, Slot slot) {
        QAction* command = action(name);
        connect(command, &QAction::triggered, receiver, [this, command, receiver, slot] {
            if (!(m_refusedDuringTransfer.contains(command) && isTransferBusy())) {
                (receiver->*slot)();
            }
        });
    }

    // The action of a command by its object name, or null.
    QAction* action(const QString& name) const;
    QToolBar* toolBar() const { return m_toolBar; }
    QLabel* idlePrompt() const { return m_idlePrompt; }
    // The open file's name, marked while it has unsaved changes.
    QLabel* documentState() const { return m_documentState; }

    // Fits the window to the form's size, within the screen.
    void fitToForm();
    // What a completed command did, in the status bar until the next message.
    void showStatus(const QString& text);

    // Print, Print Preview and Print Setup share one printer, so a page set up once is used by
    // both. printDocument is what every page of either receives.
    QPrinter& printer() { return m_printer; }
    bool printDocument(QPrinter& printer);
    void print();
    void printPreview();
    void printSetup();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void createActions();
    void createMenus();
    void createToolBar();
    void createStatusBar();
    void connectCommands();
    bool isTransferBusy() const;
    void centerOnScreen();
    void showTransferRunning(bool running);
    void showDocumentState();
    // Closing during a transfer: the write may go on, and the unsaved changes are asked about
    // while it does; false keeps the window.
    bool transferLetGo();
    QAction* addCommand(const char* name, const QString& text, const QString& prompt,
                        const QString& tip, const QKeySequence& key = {});
    QMenu* addMenu(const QString& title, const char* name, const QStringList& actions);
    void choosePort(int n);
    // Each port's prompt names the device it stands for and whether that device is there.
    void updatePortPrompts();

    ChannelDocument* m_document;
    ChannelForm* m_view = nullptr;
    QScrollArea* m_viewArea = nullptr;
    QToolBar* m_toolBar = nullptr;
    QLabel* m_idlePrompt = nullptr;
    QLabel* m_documentState = nullptr;
    QMenu* m_portMenu = nullptr;
    // Commands that would replace, save or print the image, or change the options.
    QList<QAction*> m_refusedDuringTransfer;
    QPrinter m_printer;
    // The user closed the window during a transfer: close once it has let go of the port.
    bool m_closeAfterTransfer = false;
};
