#pragma once

#include <QObject>
#include <QString>
#include <functional>

class MainWindow;
class ChannelDocument;
class ChannelForm;
class WindowTransfer;
class QAction;

// The channels as a CSV file, in and out, from the 文件 menu, and files dropped on the window: a
// .sin opens, a .csv is imported. An import replaces the channels alone, as one undo step, and
// like every command that changes the document does nothing while a transfer runs.
class CsvFileCommands : public QObject {
    Q_OBJECT
public:
    // transfer is the radio link the commands wait for; openDocument opens a .sin file, asking
    // about unsaved changes first.
    CsvFileCommands(MainWindow* frame, ChannelDocument* document, WindowTransfer* transfer,
                    std::function<void(const QString&)> openDocument);

    void importCsv();
    void importCsvFile(const QString& path);
    void exportCsv();
    // What dropping a file does: a .sin opens, a .csv is imported. False for any other file.
    bool dropFile(const QString& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createActions();
    void addToFileMenu();
    void updateActions();
    // Commits the cell being edited; false when its value was refused and the command must wait.
    bool settleEditor();
    bool busy() const;
    QString suggestedExportPath() const;
    bool acceptDrag(QEvent* event);

    MainWindow* m_frame;
    ChannelDocument* m_document;
    ChannelForm* m_view;
    WindowTransfer* m_transfer;
    std::function<void(const QString&)> m_openDocument;

    QAction* m_import = nullptr;
    QAction* m_export = nullptr;
};
