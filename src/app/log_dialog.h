#pragma once

#include "programming_log.h"

#include <QDialog>

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QSortFilterProxyModel;
class QSqlQueryModel;
class QTableView;
class QTimer;

// "编程记录": the programming log in a table the user sorts by any column and narrows by label,
// port, result and dates, and exports as CSV. It reads the log through a connection of its own
// and reads again whenever refresh() is called (a transfer of this window was logged).
class LogDialog : public QDialog {
    Q_OBJECT
public:
    explicit LogDialog(QWidget* parent = nullptr);
    ~LogDialog() override;

    QTableView* table() const { return m_table; }
    QLineEdit* labelFilter() const { return m_label; }
    QLineEdit* portFilter() const { return m_port; }
    QComboBox* resultFilter() const { return m_result; }
    QDateEdit* sinceFilter() const { return m_since; }
    QDateEdit* untilFilter() const { return m_until; }
    // The records the filters select, as the table holds them.
    LogFilter filter() const;

    QLabel* locationLabel() const { return m_where; }

    // How long typing in a filter pauses before the table follows it.
    static constexpr int kTypingPauseMs = 300;

    void refresh();
    void exportCsv();
    // Asks where the log lives, and reads it from there.
    void chooseLocation();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void arrangeColumns();
    QString m_connection;
    QSqlQueryModel* m_model;
    QSortFilterProxyModel* m_sorted;
    QTimer* m_typing;
    QTableView* m_table = nullptr;
    QLineEdit* m_label = nullptr;
    QLineEdit* m_port = nullptr;
    QComboBox* m_result = nullptr;
    QDateEdit* m_since = nullptr;
    QDateEdit* m_until = nullptr;
    QLabel* m_status = nullptr;
    QLabel* m_where = nullptr;
};
