#pragma once

#include "dialog_base.h"

#include <QString>

class QLabel;
class QProgressBar;
class QPushButton;

constexpr int IDD_TRANSFER = 133;
constexpr int IDC_TRANSFER_PROGRESS = 1003;
constexpr int IDC_TRANSFER_COUNT = 1005;

// The modeless progress window of a read or write. One object lives with the view; its window
// opens for each transfer and closes when the transfer ends, and every opening starts afresh.
//
// Start greys itself and emits startTransfer() from the event loop, after the click has been
// handled, whatever kind of connection the receiver made. Cancel closes the window while Start is
// still enabled; once a transfer is under way it only raises m_bCancel, and the transfer closes
// the window when it sees the flag. The user cannot close the window any other way meanwhile.
class CTransferDlg : public CDialog {
    Q_OBJECT
public:
    explicit CTransferDlg(QWidget* view = nullptr);

    int m_bCancel = 0;  // a cancel has been asked for; 0 whenever the window opens
    QString m_strTitle; // the caption the window takes when it opens

    // Shows the window centred over widget; false (and nothing changes) if it is already open.
    bool OpenOver(QWidget* widget);
    void CentreOver(QWidget* widget);
    bool IsWindowOpen() const { return isVisible(); }
    // Closes the window; the object stays and can open it again.
    void CloseWindow();

    // What the transfer uses while it runs.
    void SetRange(int lower, int upper);
    void SetStep(int step) { m_step = step; }
    // Advances the bar by the step, starting over from the lower end past the upper one, as the
    // platform's progress bar does; returns the new position.
    int StepIt();
    int GetPos() const;
    void SetCountText(const QString& text);
    bool CancelRequested() const { return m_bCancel != 0; }

    QPushButton* startButton() const { return m_start; }
    QPushButton* cancelButton() const { return m_cancel; }
    QProgressBar* progressBar() const { return m_progress; }
    QLabel* countLabel() const { return m_count; }

    void accept() override { OnOK(); }
    void reject() override { OnCancel(); }

signals:
    // Start was pressed: the view runs the transfer.
    void startTransfer();

protected:
    bool OnInitDialog() override;
    void OnOK();
    void OnCancel();
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();

    QPushButton* m_start = nullptr;
    QPushButton* m_cancel = nullptr;
    QProgressBar* m_progress = nullptr;
    QLabel* m_count = nullptr;
    int m_step = 1;
};
