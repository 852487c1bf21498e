#include "plan_name_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

PlanNameDialog::PlanNameDialog(const QStringList& plans, QWidget* parent)
    : QDialog(parent), m_name(new QComboBox(this)), m_note(new QLineEdit(this)) {
    setObjectName(QStringLiteral("planNameDialog"));
    setWindowTitle(tr("保存为计划"));
    m_name->setEditable(true);
    m_name->setInsertPolicy(QComboBox::NoInsert);
    m_name->addItems(plans);
    m_name->setCurrentIndex(-1);
    m_name->setObjectName(QStringLiteral("planName"));
    m_note->setObjectName(QStringLiteral("planNote"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QFormLayout(this);
    layout->addRow(tr("计划名称(&N):"), m_name);
    layout->addRow(tr("备注(&T):"), m_note);
    layout->addRow(new QLabel(tr("与该计划最新版本相同的内容不会添加新版本。"), this));
    layout->addRow(buttons);
}

QString PlanNameDialog::name() const {
    return m_name->currentText().trimmed();
}

QString PlanNameDialog::note() const {
    return m_note->text();
}
