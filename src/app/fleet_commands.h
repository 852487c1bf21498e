#pragma once

#include "fleet_dialog.h"
#include "memory_image.h"

#include <QObject>
#include <QPointer>

class ChannelDocument;
class MainWindow;

// The window's part of the fleet: 编程 -> 车队... shows the fleet, and 文件 -> 保存为计划... adds
// the document as a plan's next version. What a history record kept goes to whoever replaces the
// document, through imageRestored.
class FleetCommands : public QObject {
    Q_OBJECT
public:
    FleetCommands(MainWindow* frame, ChannelDocument* document);

    void showFleet();
    // The open fleet dialog reads the fleet again: a transfer was logged.
    void refreshFleet();
    FleetDialog* fleetDialog() const { return m_dialog; }
    // Asks for the plan's name and a note, then adds the document as below.
    void saveAsPlan();
    // Adds the document, as Save would write it, as plan name's next version, and says in the
    // status bar what became of it; a problem is said in a box. False when nothing was added.
    bool addPlanVersion(const QString& name, const QString& note);

signals:
    void imageRestored(const MemoryImage& image);

private:
    QStringList planNames() const;
    MemoryImage imageToSave() const;

    MainWindow* m_frame;
    ChannelDocument* m_document;
    QPointer<FleetDialog> m_dialog;
};
