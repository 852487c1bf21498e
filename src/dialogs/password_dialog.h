#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// The password that guards the factory tuning values.
constexpr char TuningPassword[] = "529KMT";

// "密码": asks for TuningPassword. Ends Accepted only on an exact whole-string match, Rejected
// otherwise; a wrong password is told so. Letters turn into capitals as they are typed and are
// shown in clear.
class PasswordDialog : public QDialog {
    Q_OBJECT
public:
    explicit PasswordDialog(QWidget* parent = nullptr);

    QLineEdit* passwordEdit() const { return m_edit; }
    QPushButton* okButton() const { return m_ok; }
    QPushButton* cancelButton() const { return m_cancel; }

    void accept() override;

protected:
    // Every opening starts from the current values, whoever opens the window and however.
    void showEvent(QShowEvent* event) override;
    void loadValues();

private:
    QLineEdit* m_edit = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};
