#pragma once

#include <QString>

class FleetDatabase;

// A station's claim on a label while it writes that radio, so that two stations sharing a server
// never write one radio at once. Each object is a holder of its own; a claim whose holder has been
// silent for kSilenceMs is taken over, so that a station that died mid-write blocks no one for
// long. Times are the database's, not the stations' clocks.
class WriteClaims {
public:
    explicit WriteClaims(FleetDatabase& database);

    // Takes label, or renews this holder's claim on it; why not (the station holding it, since
    // when), else an empty text.
    QString claim(const QString& label);
    void release(const QString& label);

    static constexpr qint64 kSilenceMs = 120000;

private:
    QString now() const;

    FleetDatabase& m_database;
    QString m_holder;
};
