#pragma once

#include "image_diff.h"

#include <QObject>
#include <QPointer>

class ChannelDocument;
class LogDialog;
class MainWindow;
class TransferCommands;

// The 编程 menu's programming-station commands: the log of every transfer ("编程记录...") and the
// compare with the radio before a write ("与电台比较"). Each transfer's log outcome reaches the
// user here: the status bar for a note, and the open log dialog reads again.
class StationCommands : public QObject {
    Q_OBJECT
public:
    StationCommands(MainWindow* frame, ChannelDocument* document, TransferCommands* transfers);

    void showLog();
    // The open log dialog reads the log again.
    void refreshLog();
    LogDialog* logDialog() const;

private:
    void addToProgramMenu();
    void showDifferences(const QList<ImageDiff::Difference>& differences);

    MainWindow* m_frame;
    TransferCommands* m_transfers;
    QPointer<LogDialog> m_logDialog;
};
