#include "transfer_dialog.h"

#include "block_walk.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMetaObject>
#include <QProgressBar>
#include <QPushButton>

CTransferDlg::CTransferDlg(QWidget* view) : CDialog(view) {
    setModal(false);
    buildControls();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void CTransferDlg::buildControls() {
    auto* grid = new QGridLayout(this);

    m_start = new QPushButton(tr("开始"), this);
    m_start->setDefault(true);
    auto* startRow = new QHBoxLayout;
    startRow->addWidget(m_start);
    startRow->addStretch();
    grid->addLayout(startRow, 0, 0, 1, 4);

    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QString::number(IDC_TRANSFER_PROGRESS));
    m_progress->setTextVisible(false);
    m_progress->setRange(0, BlockWalk::kBlockCount);
    m_progress->setValue(0);
    // Long enough that a single block still moves the bar visibly.
    m_progress->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 40);
    grid->addWidget(m_progress, 1, 0, 1, 4);

    auto* label = new QLabel(tr("进度:"), this);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_count = new QLabel(QStringLiteral("0"), this);
    m_count->setObjectName(QString::number(IDC_TRANSFER_COUNT));
    m_count->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // Room for the largest block count, so the label never jumps while counting.
    m_count->setMinimumWidth(m_count->fontMetrics().horizontalAdvance(QStringLiteral("0000")));
    m_cancel = new QPushButton(tr("取消"), this);
    grid->addWidget(label, 2, 1);
    grid->addWidget(m_count, 2, 2);
    grid->addWidget(m_cancel, 2, 3, Qt::AlignRight);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(2, 1);

    connect(m_start, &QPushButton::clicked, this, &CTransferDlg::accept);
    connect(m_cancel, &QPushButton::clicked, this, &CTransferDlg::reject);
}

bool CTransferDlg::OnInitDialog() {
    m_progress->setValue(0);
    m_step = 1;
    m_bCancel = 0;
    m_start->setEnabled(true);
    setWindowTitle(m_strTitle);
    m_start->setFocus();
    return true;
}

bool CTransferDlg::OpenOver(QWidget* widget) {
    if (isVisible()) {
        return false;
    }
    CentreOver(widget);
    show();
    return true;
}

void CTransferDlg::CentreOver(QWidget* widget) {
    if (!widget) {
        return;
    }
    adjustSize(); // the window takes its layout's size only when first shown
    const QPoint centre = widget->mapToGlobal(widget->rect().center());
    move(centre - QPoint(width() / 2, height() / 2));
}

void CTransferDlg::CloseWindow() {
    QDialog::done(QDialog::Rejected);
}

void CTransferDlg::OnOK() {
    m_start->setEnabled(false);
    // Queued, so the click is fully handled before the transfer starts and takes over the loop.
    QMetaObject::invokeMethod(this, &CTransferDlg::startTransfer, Qt::QueuedConnection);
}

void CTransferDlg::OnCancel() {
    if (m_start->isEnabled()) {
        CloseWindow();
    } else {
        m_bCancel = 1;
    }
}

void CTransferDlg::closeEvent(QCloseEvent* event) {
    // The close box is a cancel: the window never goes away under a running transfer.
    event->ignore();
    OnCancel();
}

void CTransferDlg::SetRange(int lower, int upper) {
    m_progress->setRange(lower, upper);
}

int CTransferDlg::StepIt() {
    int next = m_progress->value() + m_step;
    if (next > m_progress->maximum()) {
        next = m_progress->minimum() + (next - m_progress->maximum());
    }
    m_progress->setValue(next);
    return next;
}

int CTransferDlg::GetPos() const {
    return m_progress->value();
}

void CTransferDlg::SetCountText(const QString& text) {
    m_count->setText(text);
}
