#include "fleet_dialog.h"

#include "atomic_file.h"
#include "fleet_database.h"
#include "kept_images.h"
#include "log_writer.h"
#include "messenger.h"
#include "plan_store.h"
#include "programming_log.h"
#include "read_only_table.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

namespace {

using State = FleetStatus::State;
const State kStates[] = {State::Current, State::Pending, State::Never, State::Failed};
constexpr int kLabelColumn = 0;
constexpr int kPlanVersionColumn = 3;
constexpr int kWrittenVersionColumn = 4;
constexpr int kStateColumn = 7;
constexpr int kUuidRole = Qt::UserRole + 1;

QString LocalTime(const QDateTime& time) {
    return time.isValid() ? time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))
                          : QString();
}

QString VersionText(int version) {
    return version > 0 ? QString::number(version) : QString();
}

// Light colours with dark text whatever the window's scheme, so that the state stays legible;
// the state's word beside them says the same for those who do not see colours.
QPair<QColor, QColor> StateColours(State state) {
    switch (state) {
    case State::Current:
        return {QColor(0xc8, 0xe6, 0xc9), Qt::black};
    case State::Pending:
        return {QColor(0xff, 0xf0, 0xb3), Qt::black};
    case State::Never:
        return {QColor(0xe0, 0xe0, 0xe0), Qt::black};
    case State::Failed:
        return {QColor(0xff, 0xcd, 0xd2), Qt::black};
    }
    return {};
}

QList<QStandardItem*> Row(const QStringList& texts) {
    QList<QStandardItem*> items;
    for (const QString& text : texts) {
        auto* item = new QStandardItem(text);
        item->setEditable(false);
        items.append(item);
    }
    return items;
}

QLabel* Buddy(const QString& text, QWidget* field, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(field);
    return label;
}

} // namespace

FleetDialog::FleetDialog(QWidget* parent)
    : QDialog(parent), m_radioRows(new QStandardItemModel(this)),
      m_historyRows(new QStandardItemModel(this)), m_planRows(new QStandardItemModel(this)) {
    setObjectName(QStringLiteral("fleetDialog"));
    setWindowTitle(tr("车队"));
    m_where = new QLabel(this);
    m_where->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* pages = new QTabWidget(this);
    pages->addTab(buildRadioPage(), tr("电台(&D)"));
    pages->addTab(buildPlanPage(), tr("计划(&N)"));
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("fleetStatus"));
    m_status->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton* exportButton =
        buttons->addButton(tr("导出 CSV(&E)..."), QDialogButtonBox::ActionRole);
    QPushButton* refreshButton = buttons->addButton(tr("刷新(&S)"), QDialogButtonBox::ActionRole);
    for (QAbstractButton* button : buttons->buttons()) {
        if (auto* push = qobject_cast<QPushButton*>(button)) {
            push->setAutoDefault(false);
        }
    }
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(exportButton, &QPushButton::clicked, this, &FleetDialog::exportCsv);
    connect(refreshButton, &QPushButton::clicked, this, &FleetDialog::refresh);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_where);
    layout->addWidget(pages, 1);
    layout->addWidget(m_status);
    layout->addWidget(buttons);
    resize(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 120, fontMetrics().height() * 36);
    refresh();
    // Most visits look for one radio: its tag can be typed, or scanned, at once.
    m_label->setFocus();
}

QWidget* FleetDialog::buildRadioPage() {
    auto* page = new QWidget(this);
    QLayout* filters = buildFilters(page);
    m_radios = new ReadOnlyTable(m_radioRows, tr("电台"), page);
    m_radios->setSortingEnabled(true);
    m_radios->sortByColumn(kLabelColumn, Qt::AscendingOrder);
    auto* split = new QSplitter(Qt::Vertical, page);
    split->addWidget(m_radios);
    split->addWidget(buildDetails(page));
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(filters);
    layout->addWidget(split, 1);
    connect(m_radios->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &FleetDialog::showSelected);
    return page;
}

QLayout* FleetDialog::buildFilters(QWidget* page) {
    m_group = new QComboBox(page);
    m_group->setObjectName(QStringLiteral("groupFilter"));
    m_group->setAccessibleName(tr("组"));
    m_state = new QComboBox(page);
    m_state->setObjectName(QStringLiteral("stateFilter"));
    m_state->setAccessibleName(tr("状态"));
    m_state->addItem(tr("全部"));
    for (State state : kStates) {
        m_state->addItem(FleetStatus::StateText(state), static_cast<int>(state));
    }
    m_label = new QLineEdit(page);
    m_label->setObjectName(QStringLiteral("labelFilter"));
    m_label->setAccessibleName(tr("标签"));
    m_label->setClearButtonEnabled(true);
    auto* filters = new QHBoxLayout;
    filters->addWidget(Buddy(tr("组(&G):"), m_group, page));
    filters->addWidget(m_group, 1);
    filters->addWidget(Buddy(tr("状态(&T):"), m_state, page));
    filters->addWidget(m_state, 1);
    filters->addWidget(Buddy(tr("标签(&L):"), m_label, page));
    filters->addWidget(m_label, 2);
    connect(m_group, &QComboBox::currentIndexChanged, this, &FleetDialog::showRadios);
    connect(m_state, &QComboBox::currentIndexChanged, this, &FleetDialog::showRadios);
    // The fleet is in memory: the table follows every key at once.
    connect(m_label, &QLineEdit::textChanged, this, &FleetDialog::showRadios);
    return filters;
}

// The selected radio's plan and own values beside its reads and writes.
QWidget* FleetDialog::buildDetails(QWidget* page) {
    m_details = new QPlainTextEdit(page);
    m_details->setReadOnly(true);
    m_details->setAccessibleName(tr("所选电台的计划和自己的值"));
    m_history = new ReadOnlyTable(m_historyRows, tr("所选电台的读写记录"), page);
    m_restore = new QPushButton(tr("恢复到此版本(&R)"), page);
    m_restore->setAutoDefault(false);
    m_restore->setToolTip(tr("把这条记录留存的数据作为窗口的文档打开：读时电台里的，写时写给它的"));
    connect(m_restore, &QPushButton::clicked, this, &FleetDialog::restoreSelected);
    connect(m_history, &QTableView::activated, this, &FleetDialog::restoreSelected);

    auto* detailsBox = new QWidget(page);
    auto* detailsLayout = new QVBoxLayout(detailsBox);
    detailsLayout->setContentsMargins(0, 0, 0, 0);
    detailsLayout->addWidget(Buddy(tr("电台详情(&I):"), m_details, detailsBox));
    detailsLayout->addWidget(m_details, 1);
    auto* historyBox = new QWidget(page);
    auto* historyLayout = new QVBoxLayout(historyBox);
    historyLayout->setContentsMargins(0, 0, 0, 0);
    historyLayout->addWidget(Buddy(tr("读写记录(&H):"), m_history, historyBox));
    historyLayout->addWidget(m_history, 1);
    historyLayout->addWidget(m_restore, 0, Qt::AlignLeft);
    auto* below = new QSplitter(Qt::Horizontal, page);
    below->addWidget(detailsBox);
    below->addWidget(historyBox);
    below->setStretchFactor(1, 2);
    return below;
}

QWidget* FleetDialog::buildPlanPage() {
    auto* page = new QWidget(this);
    m_plans = new ReadOnlyTable(m_planRows, tr("计划和版本"), page);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(m_plans);
    return page;
}

void FleetDialog::refresh() {
    const QString group = m_group->currentIndex() > 0 ? m_group->currentText() : QString();
    m_statuses.clear();
    m_versions.clear();
    const QString problem = readFleet();
    fillGroups();
    m_group->setCurrentIndex(std::max(0, m_group->findText(group)));

    m_planRows->clear();
    m_planRows->setHorizontalHeaderLabels(
        {tr("计划"), tr("版本"), tr("时间"), tr("工位"), tr("备注")});
    for (const PlanVersion& version : std::as_const(m_versions)) {
        m_planRows->appendRow(Row({version.plan, QString::number(version.version),
                                   LocalTime(version.createdAt), version.station, version.note}));
    }
    m_plans->resizeColumnsToContents();
    showRadios();
    if (!problem.isEmpty()) {
        m_status->setText(problem);
    }
}

// Why the fleet could not be read, else an empty text.
QString FleetDialog::readFleet() {
    FleetDatabase database(LogWriter::Location());
    m_where->setText(tr("车队位置：%1").arg(database.location().displayName()));
    if (QString problem = database.open(false); !problem.isEmpty()) {
        return problem;
    }
    if (database.absent()) {
        return tr("还没有编程记录，也就还没有车队：先用“文件”→“保存为计划...”或 qtr318 plan add "
                  "建立计划，用 qtr318 fleet add 加入电台");
    }
    if (QString problem = FleetStatus::Collect(database, &m_statuses); !problem.isEmpty()) {
        m_statuses.clear();
        return problem;
    }
    return PlanStore(database).list(&m_versions);
}

void FleetDialog::fillGroups() {
    const QSignalBlocker quiet(m_group);
    m_group->clear();
    m_group->addItem(tr("全部"));
    QStringList groups;
    for (const FleetStatus::RadioStatus& status : std::as_const(m_statuses)) {
        if (!status.radio.group.isEmpty() && !groups.contains(status.radio.group)) {
            groups.append(status.radio.group);
        }
    }
    groups.sort();
    m_group->addItems(groups);
}

QList<FleetStatus::RadioStatus> FleetDialog::shownRadios() const {
    QList<FleetStatus::RadioStatus> shown;
    const bool anyGroup = m_group->currentIndex() <= 0;
    const bool anyState = m_state->currentIndex() <= 0;
    const QString label = m_label->text().trimmed();
    for (const FleetStatus::RadioStatus& status : m_statuses) {
        if ((anyGroup || status.radio.group == m_group->currentText()) &&
            (anyState || static_cast<int>(status.state) == m_state->currentData().toInt()) &&
            status.radio.label.contains(label, Qt::CaseInsensitive)) {
            shown.append(status);
        }
    }
    return shown;
}

void FleetDialog::showRadios() {
    const QString selected = selectedLabel();
    m_radioRows->clear();
    m_radioRows->setHorizontalHeaderLabels({tr("标签"), tr("组"), tr("计划"), tr("最新版本"),
                                            tr("已写版本"), tr("写入时间"), tr("工位"), tr("状态"),
                                            tr("问题")});
    const QList<FleetStatus::RadioStatus> shown = shownRadios();
    for (const FleetStatus::RadioStatus& status : shown) {
        QList<QStandardItem*> row =
            Row({status.radio.label, status.radio.group, status.radio.plan,
                 VersionText(status.planVersion), VersionText(status.writtenVersion),
                 LocalTime(status.writtenAt), status.station, FleetStatus::StateText(status.state),
                 status.problem});
        const auto [background, foreground] = StateColours(status.state);
        row[kStateColumn]->setBackground(background);
        row[kStateColumn]->setForeground(foreground);
        if (!status.problem.isEmpty()) {
            row[kStateColumn]->setToolTip(status.problem);
        }
        // Versions sort as numbers, not as texts.
        for (int column : {kPlanVersionColumn, kWrittenVersionColumn}) {
            if (const int version = row[column]->text().toInt(); version > 0) {
                row[column]->setData(version, Qt::DisplayRole);
            }
        }
        m_radioRows->appendRow(row);
    }
    // The rows come in by label; the order the user chose by a heading stays.
    const QHeaderView* header = m_radios->horizontalHeader();
    m_radios->sortByColumn(header->sortIndicatorSection(), header->sortIndicatorOrder());
    m_radios->resizeColumnsToContents();
    m_status->setText(tr("显示 %1 台电台，共 %2 台").arg(shown.size()).arg(m_statuses.size()));
    const QList<QStandardItem*> found = m_radioRows->findItems(selected);
    m_radios->selectRow(found.isEmpty() ? 0 : found.first()->row());
    showSelected();
}

QString FleetDialog::selectedLabel() const {
    const QModelIndex current = m_radios->currentIndex();
    return current.isValid() ? m_radioRows->index(current.row(), kLabelColumn).data().toString()
                             : QString();
}

void FleetDialog::showSelected() {
    const QString label = selectedLabel();
    const auto it = std::find_if(m_statuses.cbegin(), m_statuses.cend(),
                                 [&](const auto& status) { return status.radio.label == label; });
    QStringList lines;
    if (it != m_statuses.cend()) {
        lines.append(tr("计划：%1，第 %2 版").arg(it->radio.plan).arg(it->planVersion));
        if (!it->radio.note.isEmpty()) {
            lines.append(tr("备注：%1").arg(it->radio.note));
        }
        if (!it->problem.isEmpty()) {
            lines.append(tr("问题：%1").arg(it->problem));
        }
        lines.append(it->radio.values.isEmpty() ? tr("没有自己的值") : tr("自己的值："));
        for (const RadioOverrides::CellValue& value : it->radio.values) {
            lines.append(QStringLiteral("%1 = %2").arg(value.name, value.text));
        }
    }
    m_details->setPlainText(lines.join(QLatin1Char('\n')));
    showHistory(it != m_statuses.cend() ? label : QString());
}

// Every read and write of label, oldest first, as qtr318 fleet history lists them.
void FleetDialog::showHistory(const QString& label) {
    m_historyRows->clear();
    m_historyRows->setHorizontalHeaderLabels(
        {tr("时间"), tr("操作"), tr("结果"), tr("工位"), tr("计划@版本")});
    QList<ProgrammingRecord> records;
    if (!label.isEmpty()) {
        LogFilter filter;
        filter.label = label;
        const LogStatus status = ProgrammingLog(LogWriter::Location()).records(filter, &records);
        if (!status.ok) {
            m_status->setText(status.message);
        }
    }
    for (const ProgrammingRecord& record : std::as_const(records)) {
        const QString plan = record.plan.isEmpty()
                                 ? QString()
                                 : record.plan + QLatin1Char('@') + VersionText(record.planVersion);
        QList<QStandardItem*> row =
            Row({LocalTime(record.started), RecordFields::OperationText(record.operation),
                 RecordFields::ResultText(record.result), record.station, plan});
        row.first()->setData(record.uuid, kUuidRole);
        row.first()->setData(label, Qt::UserRole);
        m_historyRows->appendRow(row);
    }
    m_history->resizeColumnsToContents();
    m_restore->setEnabled(!records.isEmpty());
    if (!records.isEmpty()) {
        m_history->selectRow(int(records.size()) - 1);
    }
}

void FleetDialog::restoreSelected() {
    const QModelIndex current = m_history->currentIndex();
    if (!current.isValid()) {
        return;
    }
    const QModelIndex first = m_historyRows->index(current.row(), 0);
    QByteArray bytes;
    const QString problem =
        KeptImages::OfRecord(LogWriter::Location(), first.data(Qt::UserRole).toString(),
                             first.data(kUuidRole).toString(), &bytes);
    if (!problem.isEmpty()) {
        ShowWarning(this, tr("没能恢复这条记录的数据：%1").arg(problem));
        return;
    }
    MemoryImage::Bytes raw{};
    std::copy(bytes.cbegin(), bytes.cend(), raw.begin());
    MemoryImage image;
    image.assign(raw);
    emit imageRestored(image);
}

void FleetDialog::exportCsv() {
    const QString path = TheMessenger().chooseSaveFile(
        this, tr("导出 CSV"), QDir::home().filePath(QStringLiteral("fleet.csv")),
        tr("CSV 文件 (*.csv)"));
    if (path.isEmpty()) {
        return;
    }
    QString reason;
    if (!AtomicFile::Replace(path, FleetStatus::Csv(shownRadios()).toUtf8(), &reason)) {
        ShowWarning(this, tr("没能导出车队：%1").arg(reason));
    }
}
