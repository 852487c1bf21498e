#pragma once

#include "station_loop.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableWidget;

// The batch-writing station: one image to radio after radio on one port. Each radio done is
// announced with a beep and a large count and result, so that the operator can unplug it without
// looking closely; the list keeps every radio's number, time, result and label. The station runs
// on a thread of its own; the dialog is modal, so the table cannot change while it runs.
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
    void showRadio(const StationRadio& radio);
    void showDeparture(int number);
    void showEnded(int radios);
    void setRunning(bool running);
    bool strayChannelsAllowed();
    QString numberingNote() const;
    QString runSummary() const;
    QString resultText(StationRadio::Result result) const;

    StationLoop::Plan m_plan;
    StationLoop* m_loop;
    QLabel* m_port;
    QLabel* m_sha;
    QLineEdit* m_label;
    QLabel* m_radiosNote;
    QPushButton* m_chooseRadios;
    QPushButton* m_dropRadios;
    QCheckBox* m_overwrite;
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
};
