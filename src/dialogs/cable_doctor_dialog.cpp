#include "cable_doctor_dialog.h"

#include "cable_doctor.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

CableDoctorDialog::CableDoctorDialog(const QString& root, QWidget* parent)
    : QDialog(parent), m_root(root) {
    setObjectName(QStringLiteral("cableDoctorDialog"));
    setWindowTitle(tr("串口诊断"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    m_report = new QPlainTextEdit(this);
    m_report->setObjectName(QStringLiteral("reportText"));
    m_report->setReadOnly(true);
    // A wrapped fix command still selects and copies as the one line it is.
    m_report->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_report->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_report->setAccessibleName(tr("诊断结果"));
    // Wide enough for a usermod line and a by-id name on one line each.
    const QFontMetrics metrics(m_report->font());
    m_report->setMinimumSize(metrics.averageCharWidth() * 100, metrics.lineSpacing() * 24);

    auto* buttons = new QDialogButtonBox(this);
    m_copy = buttons->addButton(tr("复制"), QDialogButtonBox::ActionRole);
    m_copy->setObjectName(QStringLiteral("copyButton"));
    m_refresh = buttons->addButton(tr("刷新"), QDialogButtonBox::ActionRole);
    m_refresh->setObjectName(QStringLiteral("refreshButton"));
    QPushButton* close = buttons->addButton(tr("关闭"), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("closeButton"));
    close->setDefault(true);
    connect(m_copy, &QPushButton::clicked, this, &CableDoctorDialog::copyReport);
    connect(m_refresh, &QPushButton::clicked, this, &CableDoctorDialog::refresh);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(&m_examination, &QFutureWatcher<CableReport>::finished, this,
            &CableDoctorDialog::showReport);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_report);
    layout->addWidget(buttons);
    refresh();
}

// The examination only reads files; one still under way when the dialog goes ends on its own.
CableDoctorDialog::~CableDoctorDialog() = default;

QString CableDoctorDialog::reportText() const {
    return m_report->toPlainText();
}

void CableDoctorDialog::refresh() {
    if (m_examination.isRunning()) {
        return;
    }
    m_refresh->setEnabled(false);
    m_copy->setEnabled(false);
    m_report->setPlainText(tr("正在检查串口……"));
    const QString root = m_root;
    m_examination.setFuture(QtConcurrent::run([root] { return CableDoctor(root).Examine(); }));
}

void CableDoctorDialog::showReport() {
    // Formatted here: the texts come from the translators the window's thread installed.
    m_report->setPlainText(CableReportFormat::Text(m_examination.result()));
    m_refresh->setEnabled(true);
    m_copy->setEnabled(true);
    emit reportShown();
}

void CableDoctorDialog::copyReport() const {
    QApplication::clipboard()->setText(reportText());
}
