#pragma once

#include "transfer_observer.h"

#include <QElapsedTimer>

// The engine's view where nobody sits at a Retry button (a command-line port, a station): it
// counts the blocks for whoever shows progress and answers the retry question itself. After
// the engine's own program-mode attempts it grants a set number more, or keeps saying yes for a
// while when told to be patient (a radio just written may be restarting); never once a stop is
// asked for.
class UnattendedObserver : public TransferObserver {
public:
    // From now on: patient for patienceMs, then retries more attempts.
    void SetPatience(int patienceMs, int retries);

    void SetProgressRange(int low, int high) override;
    void StepProgress() override;
    int ProgressPosition() const override { return m_position; }
    void SetProgressText(const QString&) override {}
    void PumpEvents() override {}
    bool AskRetry(const QString& caption, const QString& text) override;
    void ReportMessage(const QString&, int, const QString&) override {}

protected:
    // done of total blocks, after each one.
    virtual void ProgressShown(int done, int total) = 0;

private:
    int m_retriesLeft = 0;
    int m_patienceMs = 0;
    QElapsedTimer m_clock;
    int m_low = 0;
    int m_high = 0;
    int m_position = 0;
};
