#pragma once

#include <QDialog>
#include <QStringList>

class QComboBox;
class QLineEdit;

// "保存为计划": the plan's name, one of those there are or a new one, and a note for the version.
class PlanNameDialog : public QDialog {
    Q_OBJECT
public:
    PlanNameDialog(const QStringList& plans, QWidget* parent = nullptr);

    QString name() const;
    QString note() const;
    QComboBox* nameField() const { return m_name; }
    QLineEdit* noteField() const { return m_note; }

private:
    QComboBox* m_name;
    QLineEdit* m_note;
};
