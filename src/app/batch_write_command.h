#pragma once

#include <QObject>

class ChannelDocument;
class MainWindow;

// "编程" → "批量写频...": the table as it stands, written to radio after radio in the station
// dialog on the window's port.
class BatchWriteCommand : public QObject {
    Q_OBJECT
public:
    BatchWriteCommand(MainWindow* frame, ChannelDocument* document);

    void openStation();

signals:
    // A radio of the station is done and its transfers are in the log.
    void radioLogged();

private:
    MainWindow* m_frame;
    ChannelDocument* m_document;
};
