#pragma once

#include <QObject>

class ChannelDocument;
class MainWindow;
class WindowTransfer;

// "编程" → "批量写频...": the table as it stands, written to radio after radio in the station
// dialog on the window's port.
class BatchWriteCommand : public QObject {
    Q_OBJECT
public:
    // The station writes on transfer's port, when transfer is not busy.
    BatchWriteCommand(MainWindow* frame, ChannelDocument* document, WindowTransfer* transfer);

    void openStation();

signals:
    // A radio of the station is done and its transfers are in the log.
    void radioLogged();

private:
    MainWindow* m_frame;
    ChannelDocument* m_document;
    WindowTransfer* m_transfer;
};
