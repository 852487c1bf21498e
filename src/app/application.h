#pragma once

#include "appearance.h"
#include "memory_image.h"
#include "recent_file_list.h"

#include <QList>
#include <QObject>
#include <QStringList>
#include <memory>

class MainWindow;
class ChannelDocument;
class ChannelForm;
class FleetCommands;
class TransferCommands;
class WindowTransfer;
class QAction;

// The application: settings store, the one document with its window and view and the radio link
// beside them, the command line, and the commands that replace the document (New, Open), change
// its options, or concern the program (About).
class Application : public QObject {
    Q_OBJECT
public:
    static const char* const kSettingsOrganization;
    static const char* const kApplicationTitle;

    Application();
    ~Application() override;

    // Start-up. arguments are the command line without the program name: none gives a new
    // document, a path opens that file. False when the program must end at once.
    bool initialize(const QStringList& arguments);

    void newFile();
    void openFile();
    // Open, starting in the folder where the window keeps what it read and wrote.
    void openBackup();
    bool openDocumentFile(const QString& path);
    // What a record of the log kept becomes the document, untitled, as Open would show a file.
    void openKeptImage(const MemoryImage& image);
    void showAbout();
    void showCableDoctor();
    // The option dialogs, each a change to the document when it changed the image.
    void openOptionalFeatures();
    void openTuning();

    MainWindow* mainWindow() const { return m_frame.get(); }
    ChannelDocument* document() const { return m_document.get(); }
    ChannelForm* form() const;
    TransferCommands* transferCommands() const { return m_transfer.get(); }
    WindowTransfer* transfer() const;
    FleetCommands* fleetCommands() const { return m_fleet; }
    RecentFileList& recentFiles() { return m_recentFiles; }

private:
    void connectForm(ChannelForm* form);
    void connectAppearance();
    // The recent files as items of the 文件 menu, above Exit, as the list stands.
    void updateRecentFilesMenu();
    void openRecentFile(const QString& path);

    std::unique_ptr<ChannelDocument> m_document;
    std::unique_ptr<MainWindow> m_frame;
    std::unique_ptr<TransferCommands> m_transfer;
    RecentFileList m_recentFiles;
    std::unique_ptr<Appearance> m_appearance;
    QList<QAction*> m_recentItems;
    FleetCommands* m_fleet = nullptr;
};
