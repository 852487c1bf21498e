#include "password_dialog.h"

#include "dialog_buttons.h"
#include "messenger.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QValidator>

namespace {

// Accepts any text and turns its letters into capitals, typed or pasted.
class CapitalsValidator : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& input, int&) const override {
        input = input.toUpper();
        return Acceptable;
    }
};

} // namespace

PasswordDialog::PasswordDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("密码"));

    auto* grid = new QGridLayout(this);
    auto* label = new QLabel(tr("密码"), this);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_edit = new QLineEdit(this);
    m_edit->setValidator(new CapitalsValidator(m_edit));
    label->setBuddy(m_edit);
    grid->addWidget(label, 0, 0);
    grid->addWidget(m_edit, 0, 1);

    const OkCancelButtons pair = CreateOkCancelButtons(this);
    m_ok = pair.ok;
    m_cancel = pair.cancel;
    auto* buttons = pair.layout;
    buttons->addStretch();
    grid->addLayout(buttons, 1, 0, 1, 2);

    connect(m_ok, &QPushButton::clicked, this, &PasswordDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &PasswordDialog::reject);
    grid->setSizeConstraint(QLayout::SetFixedSize);
}

void PasswordDialog::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        loadValues();
    }
    QDialog::showEvent(event);
}

void PasswordDialog::loadValues() {
    m_edit->setFocus();
}

void PasswordDialog::accept() {
    if (m_edit->text() == QLatin1String(TuningPassword)) {
        QDialog::accept();
    } else {
        ShowWarning(this, tr("密码错误，不能打开参数调节"));
        reject();
    }
}
