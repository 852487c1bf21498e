#include "compare_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

CompareDialog::CompareDialog(const QList<ImageDiff::Difference>& differences, QWidget* parent)
    : QDialog(parent), m_list(new QTreeWidget(this)) {
    setObjectName(QStringLiteral("compareDialog"));
    setWindowTitle(tr("与电台比较"));
    auto* summary = new QLabel(
        differences.isEmpty() ? tr("对讲机里的数据与表格相同，写入不会改变什么。")
                              : tr("写入会改变对讲机里的 %n 项：", nullptr, differences.size()),
        this);
    m_list->setAccessibleName(tr("与电台比较"));
    m_list->setColumnCount(3);
    m_list->setHeaderLabels({tr("项目"), tr("电台"), tr("表格")});
    m_list->setRootIsDecorated(false);
    m_list->setAlternatingRowColors(true);
    for (const ImageDiff::Difference& difference : differences) {
        auto* item = new QTreeWidgetItem(
            m_list, QStringList{difference.subject, difference.left, difference.right});
        item->setData(0, Qt::UserRole, difference.channel);
    }
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_list->setVisible(!differences.isEmpty());

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    m_write = buttons->addButton(tr("写数据(&W)"), QDialogButtonBox::AcceptRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_write, &QPushButton::clicked, this, [this] {
        accept();
        emit writeRequested();
    });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary);
    layout->addWidget(m_list, 1);
    layout->addWidget(buttons);
    resize(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 80, fontMetrics().height() * 24);
}
