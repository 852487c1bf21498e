#pragma once

#include "recent_file_list.h"

#include <QObject>
#include <QStringList>
#include <memory>

class CMainFrame;
class CProgramDoc;
class CProgramView;

// The application: settings store, the one document with its window and view, the command line,
// and the commands that replace the document (New, Open) or concern the program (About).
class CProgramApp : public QObject {
    Q_OBJECT
public:
    static const char* const kSettingsOrganization;
    static const char* const kApplicationTitle;

    CProgramApp();
    ~CProgramApp() override;

    // Start-up. arguments are the command line without the program name: none gives a new
    // document, a path opens that file. False when the program must end at once.
    bool InitInstance(const QStringList& arguments);

    void OnFileNew();
    void OnFileOpen();
    // Open, starting in the folder where the window keeps what it read and wrote.
    void OnFileOpenBackup();
    bool OpenDocumentFile(const QString& path);
    void OnAppAbout();

    CMainFrame* GetMainWnd() const { return m_frame.get(); }
    CProgramDoc* GetDocument() const { return m_document.get(); }
    CProgramView* GetView() const;
    RecentFileList& GetRecentFiles() { return m_recentFiles; }

private:
    std::unique_ptr<CProgramDoc> m_document;
    std::unique_ptr<CMainFrame> m_frame;
    RecentFileList m_recentFiles;
};
