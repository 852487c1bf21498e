#pragma once

#include "image_diff.h"

#include <QDialog>

class QPushButton;
class QTreeWidget;

// "与电台比较": what a write of the table would change in the radio, field by field, with the
// radio's value beside the table's; "写数据" goes on to the write.
class CompareDialog : public QDialog {
    Q_OBJECT
public:
    CompareDialog(const QList<ImageDiff::Difference>& differences, QWidget* parent = nullptr);

    QTreeWidget* list() const { return m_list; }
    QPushButton* writeButton() const { return m_write; }

signals:
    void writeRequested();

private:
    QTreeWidget* m_list;
    QPushButton* m_write;
};
