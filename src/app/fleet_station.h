#pragma once

#include "fleet_database.h"
#include "memory_image.h"
#include "write_claims.h"

#include <QString>
#include <QStringList>
#include <memory>

// The station dialog's side of the fleet: what a radio gets by its label, and the claim that keeps
// other stations off that label while it is written. The database is that of the programming log
// and is used on the window's thread only.
class FleetStation {
public:
    explicit FleetStation(const LogLocation& location);
    ~FleetStation();

    // What the radio of a label gets: its plan's latest version with its own values.
    struct Radio {
        QString label;
        QString plan;
        int version = 0;
        MemoryImage image;
        // "信道 3 接收频率：150.00000 -> 151.00000", where its own values make it differ.
        QStringList differences;
        QString reference() const { return QStringLiteral("%1@%2").arg(plan).arg(version); }
    };

    // Opens the fleet's database; why it cannot be used, else an empty text.
    QString open();
    bool isOpen() const { return m_database && m_database->isOpen(); }
    // The radio of text, a scanned or typed label; why there is none, else an empty text.
    QString find(const QString& text, Radio* radio);
    // Takes or renews this station's claim on label; the station holding it, else an empty text.
    QString claim(const QString& label);
    void release(const QString& label);

private:
    LogLocation m_location;
    std::unique_ptr<FleetDatabase> m_database;
    std::unique_ptr<WriteClaims> m_claims;
};
