#pragma once

#include "serial_port.h"
#include "transfer_observer.h"

#include <QList>
#include <QQueue>
#include <QStringList>
#include <functional>

// Records what a transfer shows and answers its questions from a script.
class RecordingObserver : public TransferObserver {
public:
    struct Report {
        QString text;
        int severity;
        QString detail;
        bool portWasOpen;
    };

    explicit RecordingObserver(const SerialPort& port) : m_port(port) {}

    int cancelAtPosition = -1; // the user clicks Cancel during this block's progress step
    QQueue<bool> retryAnswers; // Cancel once they run out

    int rangeLow = -1;
    int rangeHigh = -1;
    int position = 0;
    QStringList texts;
    int pumps = 0;
    int questions = 0;
    QList<Report> reports;

    void SetProgressRange(int low, int high) override {
        rangeLow = low;
        rangeHigh = high;
    }
    void StepProgress() override { ++position; }
    int ProgressPosition() const override { return position; }
    void SetProgressText(const QString& text) override { texts.append(text); }
    void PumpEvents() override {
        ++pumps;
        if (position == cancelAtPosition) {
            m_cancel = true;
        }
    }
    bool CancelRequested() const override { return m_cancel; }
    bool AskRetry(const QString& caption, const QString& text) override {
        ++questions;
        lastQuestion = caption + QLatin1Char('|') + text;
        return retryAnswers.isEmpty() ? false : retryAnswers.dequeue();
    }
    void ReportMessage(const QString& text, int severity, const QString& detail) override {
        reports.append({text, severity, detail, m_port.IsOpen()});
    }

    QString lastQuestion;

private:
    const SerialPort& m_port;
    bool m_cancel = false;
};
