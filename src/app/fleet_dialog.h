#pragma once

#include "fleet_status.h"
#include "memory_image.h"
#include "plan_store.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLayout;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QStandardItemModel;
class QTableView;

// "车队": every radio of the fleet against what it should have, narrowed by group, state and
// label and exported as CSV; the selected radio's plan, own values and history, whose kept images
// can become the window's document; and the plans with their versions. It reads the log's
// database when it opens and when refresh() is called, and never creates it.
class FleetDialog : public QDialog {
    Q_OBJECT
public:
    explicit FleetDialog(QWidget* parent = nullptr);

    QTableView* radioTable() const { return m_radios; }
    QTableView* historyTable() const { return m_history; }
    QTableView* planTable() const { return m_plans; }
    QComboBox* groupFilter() const { return m_group; }
    QComboBox* stateFilter() const { return m_state; }
    QLineEdit* labelFilter() const { return m_label; }
    QPlainTextEdit* details() const { return m_details; }
    QPushButton* restoreButton() const { return m_restore; }
    // The count of radios shown, or why there are none.
    QLabel* statusLabel() const { return m_status; }
    // The radios the filters let through, by label.
    QList<FleetStatus::RadioStatus> shownRadios() const;

    void refresh();
    void exportCsv();
    // The kept image of the selected history record, handed over by imageRestored.
    void restoreSelected();

signals:
    // What a record kept: the radio's memory as read, or as given.
    void imageRestored(const MemoryImage& image);

private:
    QWidget* buildRadioPage();
    QLayout* buildFilters(QWidget* page);
    QWidget* buildDetails(QWidget* page);
    QWidget* buildPlanPage();
    QString readFleet();
    void fillGroups();
    void showRadios();
    void showSelected();
    void showHistory(const QString& label);
    QString selectedLabel() const;

    QList<FleetStatus::RadioStatus> m_statuses;
    QList<PlanVersion> m_versions;
    QStandardItemModel* m_radioRows;
    QStandardItemModel* m_historyRows;
    QStandardItemModel* m_planRows;
    QTableView* m_radios = nullptr;
    QTableView* m_history = nullptr;
    QTableView* m_plans = nullptr;
    QComboBox* m_group = nullptr;
    QComboBox* m_state = nullptr;
    QLineEdit* m_label = nullptr;
    QPlainTextEdit* m_details = nullptr;
    QPushButton* m_restore = nullptr;
    QLabel* m_status = nullptr;
    QLabel* m_where = nullptr;
};
