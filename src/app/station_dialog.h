#pragma once

#include "fleet_station.h"
#include "station_loop.h"

#include <QDialog>
#include <memory>
#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableWidget;
class QTimer;

// The batch-writing station: one image to radio after radio on one port. Each radio done is
// announced with a beep and a large count and result, so that the operator can unplug it without
// looking closely; the list keeps every radio's number, time, result and label. The station runs
// on a thread of its own; the dialog is modal, so the table cannot change while it runs.
//
// By fleet (按车队), each radio is named by its label before it is plugged in, most often by a
// barcode scanner that types the tag and Enter: it gets its plan's latest version with its own
// values, and a label unknown, not fitting or written by another station is refused at once.
class StationDialog : public QDialog {
    Q_OBJECT
public:
    StationDialog(const StationLoop::Plan& plan, QWidget* parent = nullptr);
    ~StationDialog() override;

    StationLoop* loop() const { return m_loop; }
    QTableWidget* radioList() const { return m_list; }
    QLabel* radiosNote() const { return m_radiosNote; }
    QLabel* countLabel() const { return m_count; }
    QLabel* stateLabel() const { return m_state; }
    QLabel* portLabel() const { return m_port; }
    QLineEdit* labelEdit() const { return m_label; }
    QCheckBox* fleetModeBox() const { return m_fleetMode; }

    // Where the log, and with it the fleet, is kept.
    void setLogLocation(const LogLocation& location);

    // Gives each radio its own changes from the file at path, once the whole file has passed its
    // checks; a file with problems is refused with them and changes nothing. An empty path goes
    // back to the same data for every radio.
    bool setRadiosFile(const QString& path);

public slots:
    void start();
    void stop();
    void reject() override;

private:
    void chooseRadiosFile();
    void showRadiosNote();
    void showWaiting(int number, const QString& label);
    void showStage(int number, const QString& stage, bool stoppable);
    void showRadio(const StationRadio& given);
    void showDeparture(int number);
    void showEnded(int radios);
    void setRunning(bool running);
    QString numberingNote() const;
    QString runSummary() const;
    QString resultText(StationRadio::Result result) const;
    bool strayChannelsAllowed(const StationLoop::Plan& plan);
    void startFleet();
    void enterLabel();
    void refuseLabel(const QString& label, const QString& reason);
    void showFleetRadio(const FleetStation::Radio& radio);
    void writeNextFleetRadio();
    void endFleet();
    void askForLabel(const QString& before);

    StationLoop::Plan m_plan;
    StationLoop* m_loop;
    QLabel* m_port;
    QLabel* m_sha;
    QLineEdit* m_label;
    QLabel* m_radiosNote;
    QPushButton* m_chooseRadios;
    QPushButton* m_dropRadios;
    QCheckBox* m_overwrite;
    QCheckBox* m_fleetMode;
    QLabel* m_count;
    QLabel* m_state;
    QProgressBar* m_progress;
    QTableWidget* m_list;
    QPushButton* m_start;
    QPushButton* m_stop;
    QPushButton* m_close;
    bool m_running = false;
    bool m_writing = false;
    bool m_radiosUsedUp = false;
    QList<RadioOverride> m_radios; // from the file of per-radio changes
    QString m_radiosFile;
    int m_radiosWritten = 0; // of m_radios, by this dialog's runs so far
    int m_number = 0;
    QString m_radioMessage;                   // of the radio just finished
    QList<StationRadio::Result> m_runResults; // of this run's radios
    LogLocation m_logLocation = LogLocation::FromEnvironment();
    std::unique_ptr<FleetStation> m_fleet;               // while the run goes by fleet
    std::optional<FleetStation::Radio> m_nextFleetRadio; // looked up, its radio not yet awaited
    QString m_fleetReference;                            // "城区@3" of the radio being written
    QStringList m_claimed;                               // labels this station holds
    QTimer* m_claimRenewal;
    bool m_fleetRadioRun = false; // the loop serves a radio of the fleet, until it says it ended
    bool m_stopping = false;
};
