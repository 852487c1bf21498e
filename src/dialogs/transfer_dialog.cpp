#include "transfer_dialog.h"

#include "block_walk.h"
#include "programming_record.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMetaObject>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QShowEvent>

namespace {
const QString kVerifyKey = QStringLiteral("transfer/verifyAfterWrite");
const QString kLabelKey = QStringLiteral("transfer/label");
} // namespace

TransferDialog::TransferDialog(QWidget* parent) : QDialog(parent) {
    setModal(false);
    buildControls();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void TransferDialog::buildControls() {
    auto* grid = new QGridLayout(this);

    m_start = new QPushButton(tr("开始"), this);
    m_start->setDefault(true);
    auto* startRow = new QHBoxLayout;
    startRow->addWidget(m_start);
    startRow->addStretch();
    m_label = new QLineEdit(QSettings().value(kLabelKey).toString(), this);
    m_label->setObjectName(QStringLiteral("labelEdit"));
    m_label->setToolTip(tr("编程记录里与这次传输一起记下的文字，如车号或使用人"));
    auto* labelName = new QLabel(tr("标签(&L):"), this);
    labelName->setBuddy(m_label);
    startRow->addWidget(labelName);
    startRow->addWidget(m_label);
    grid->addLayout(startRow, 0, 0, 1, 5);

    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("progressBar"));
    m_progress->setTextVisible(false);
    m_progress->setRange(0, BlockWalk::kBlockCount);
    m_progress->setValue(0);
    // Long enough that a single block still moves the bar visibly.
    m_progress->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 40);
    grid->addWidget(m_progress, 1, 0, 1, 5);

    auto* label = new QLabel(tr("进度:"), this);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_count = new QLabel(this);
    m_count->setObjectName(QStringLiteral("countLabel"));
    m_count->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // Room for the largest count, so the label never jumps while counting.
    m_count->setMinimumWidth(
        m_count->fontMetrics().horizontalAdvance(QStringLiteral("0000 / 0000")));
    m_phase = new QLabel(this);
    m_phase->setObjectName(QStringLiteral("phaseLabel"));
    m_cancel = new QPushButton(tr("取消"), this);
    m_verify = new QCheckBox(tr("写后校验"), this);
    m_verify->setToolTip(tr("写入之后把对讲机的数据读回来，与写入的比较"));
    // On unless the user turned it off, as the command line's write checks unless told not to.
    m_verify->setChecked(QSettings().value(kVerifyKey, true).toBool());
    grid->addWidget(m_verify, 2, 0);
    grid->addWidget(label, 2, 1);
    grid->addWidget(m_count, 2, 2);
    grid->addWidget(m_phase, 2, 3);
    grid->addWidget(m_cancel, 2, 4, Qt::AlignRight);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(3, 1);

    connect(m_start, &QPushButton::clicked, this, &TransferDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &TransferDialog::reject);
    connect(m_verify, &QCheckBox::toggled, this,
            [](bool checked) { QSettings().setValue(kVerifyKey, checked); });
    connect(m_label, &QLineEdit::editingFinished, this,
            [this] { QSettings().setValue(kLabelKey, this->label()); });
}

void TransferDialog::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        loadValues();
    }
    QDialog::showEvent(event);
}

void TransferDialog::loadValues() {
    m_progress->setValue(0);
    showCount(0);
    m_phase->clear();
    m_step = 1;
    m_cancelRequested = false;
    m_start->setEnabled(true);
    m_verify->setEnabled(true);
    m_label->setEnabled(true);
    setWindowTitle(m_title);
    // A screen reader names the bar by what it measures.
    m_progress->setAccessibleName(m_title);
    m_start->setFocus();
}

bool TransferDialog::openOver(QWidget* widget) {
    if (isVisible()) {
        return false;
    }
    centreOver(widget);
    m_returnFocus = widget;
    show();
    raise();
    activateWindow();
    return true;
}

void TransferDialog::centreOver(QWidget* widget) {
    if (!widget) {
        return;
    }
    adjustSize(); // the window takes its layout's size only when first shown
    const QPoint centre = widget->mapToGlobal(widget->rect().center());
    move(centre - QPoint(width() / 2, height() / 2));
}

void TransferDialog::closeWindow() {
    QDialog::done(QDialog::Rejected);
}

bool TransferDialog::isStarted() const {
    return isVisible() && !m_start->isEnabled();
}

QString TransferDialog::label() const {
    return m_label->text().trimmed();
}

bool TransferDialog::verifyAfterWrite() const {
    return m_verify->isChecked();
}

void TransferDialog::onStart() {
    if (const QString problem = RecordFields::LabelProblem(label()); !problem.isEmpty()) {
        setPhaseText(problem);
        m_label->setFocus();
        return;
    }
    m_start->setEnabled(false);
    m_verify->setEnabled(false); // the transfer under way took the choice at Start
    m_label->setEnabled(false);
    QSettings().setValue(kLabelKey, label());
    // Queued, so the click is fully handled before the transfer starts and takes over the loop.
    QMetaObject::invokeMethod(this, &TransferDialog::startTransfer, Qt::QueuedConnection);
}

void TransferDialog::onCancel() {
    if (m_start->isEnabled()) {
        closeWindow();
    } else if (!m_cancelRequested) {
        m_cancelRequested = true;
        emit cancelTransfer();
    }
}

void TransferDialog::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    if (!event->spontaneous() && m_returnFocus) {
        m_returnFocus->activateWindow();
        m_returnFocus->setFocus(Qt::OtherFocusReason);
    }
}

void TransferDialog::closeEvent(QCloseEvent* event) {
    // The close box is a cancel: the window never goes away under a running transfer.
    event->ignore();
    if (isStarted() && m_closeGuard && !m_closeGuard()) {
        return;
    }
    onCancel();
}

void TransferDialog::setRange(int lower, int upper) {
    m_progress->setRange(lower, upper);
}

int TransferDialog::stepIt() {
    int next = m_progress->value() + m_step;
    if (next > m_progress->maximum()) {
        next = m_progress->minimum() + (next - m_progress->maximum());
    }
    m_progress->setValue(next);
    return next;
}

int TransferDialog::pos() const {
    return m_progress->value();
}

void TransferDialog::setPos(int position) {
    m_progress->setValue(position);
}

void TransferDialog::showCount(int done) {
    m_count->setText(QStringLiteral("%1 / %2").arg(done).arg(m_progress->maximum()));
}

void TransferDialog::setPhaseText(const QString& text) {
    m_phase->setText(text);
}

void TransferDialog::setVerifyOffered(bool offered) {
    m_verify->setVisible(offered);
}
