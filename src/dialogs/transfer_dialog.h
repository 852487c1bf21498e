#pragma once

#include <QDialog>

#include <QPointer>
#include <QString>
#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

// The modeless progress window of a read or write. One object lives with the window's transfer;
// its window opens for each transfer and closes when the transfer ends, and every opening starts
// afresh.
//
// Start greys itself and emits startTransfer() from the event loop, after the click has been
// handled, whatever kind of connection the receiver made. Cancel closes the window while Start is
// still enabled; once a transfer is under way it only raises the cancel flag and emits
// cancelTransfer(), and the transfer closes the window when it has stopped. The close box is a
// Cancel too, once the guard agrees; the user cannot close the window any other way meanwhile.
class TransferDialog : public QDialog {
    Q_OBJECT
public:
    explicit TransferDialog(QWidget* parent = nullptr);

    // The caption the window takes when it next opens.
    QString title() const { return m_title; }
    void setTitle(const QString& title) { m_title = title; }

    // Shows the window centred over widget and gives it the focus, which goes back to widget when
    // the window closes; false (and nothing changes) if it is already open.
    bool openOver(QWidget* widget);
    void centreOver(QWidget* widget);
    bool isWindowOpen() const { return isVisible(); }
    // Closes the window; the object stays and can open it again.
    void closeWindow();
    // True from Start until the window closes.
    bool isStarted() const;

    // What the transfer shows while it runs.
    void setRange(int lower, int upper);
    void setStep(int step) { m_step = step; }
    // Advances the bar by the step, starting over from the lower end past the upper one, as the
    // platform's progress bar does; returns the new position.
    int stepIt();
    int pos() const;
    void setPos(int position);
    // "60 / 114": blocks done over the bar's upper end.
    void showCount(int done);
    // What the count counts ("读数据", "写数据", "写后校验"), shown beside it.
    void setPhaseText(const QString& text);
    // "写后校验" is a choice of writes only; a read hides it.
    void setVerifyOffered(bool offered);
    // Asked when the close box is pressed while a transfer runs; false keeps it running. A close
    // box is easily pressed to put the window aside, unlike Cancel.
    void setCloseGuard(std::function<bool()> guard) { m_closeGuard = std::move(guard); }
    // A cancel has been asked for since the window opened.
    bool cancelRequested() const { return m_cancelRequested; }

    // "写后校验": a write is read back and compared. The choice is remembered between runs.
    bool verifyAfterWrite() const;
    // "标签": what the programming log notes with the transfer (a truck, a user). Remembered.
    QString label() const;
    QLineEdit* labelEdit() const { return m_label; }

    QPushButton* startButton() const { return m_start; }
    QPushButton* cancelButton() const { return m_cancel; }
    QProgressBar* progressBar() const { return m_progress; }
    QLabel* countLabel() const { return m_count; }
    QLabel* phaseLabel() const { return m_phase; }
    QCheckBox* verifyBox() const { return m_verify; }

    void accept() override { onStart(); }
    void reject() override { onCancel(); }

signals:
    // Start was pressed: the transfer begins.
    void startTransfer();
    // Cancel was pressed while a transfer runs.
    void cancelTransfer();

protected:
    // Every opening starts from the current values, whoever opens the window and however.
    void showEvent(QShowEvent* event) override;
    void loadValues();
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void buildControls();
    void onStart();
    void onCancel();

    QPushButton* m_start = nullptr;
    QPushButton* m_cancel = nullptr;
    QProgressBar* m_progress = nullptr;
    QLabel* m_count = nullptr;
    QLabel* m_phase = nullptr;
    QCheckBox* m_verify = nullptr;
    QLineEdit* m_label = nullptr;
    QString m_title;
    QPointer<QWidget> m_returnFocus;
    std::function<bool()> m_closeGuard;
    bool m_cancelRequested = false;
    int m_step = 1;
};
