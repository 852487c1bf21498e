#pragma once

#include <QDialog>
#include <QFutureWatcher>

#include "cable_report.h"

class QPlainTextEdit;
class QPushButton;

// "串口诊断": the report qtr318 doctor prints, in the run's language, to read, copy into a
// message to whoever helps, and examine again after a fix. Looking through every process's open
// files can take a while on a busy computer, so the examination runs off the window's thread.
class CableDoctorDialog : public QDialog {
    Q_OBJECT
public:
    // root: the system to examine, "" for this computer.
    explicit CableDoctorDialog(const QString& root, QWidget* parent = nullptr);
    ~CableDoctorDialog() override;

    QString reportText() const;
    void refresh();
    void copyReport() const;

signals:
    void reportShown();

private:
    void showReport();

    QString m_root;
    QPlainTextEdit* m_report = nullptr;
    QPushButton* m_refresh = nullptr;
    QPushButton* m_copy = nullptr;
    QFutureWatcher<CableReport> m_examination;
};
