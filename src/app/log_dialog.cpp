#include "log_dialog.h"

#include "atomic_file.h"
#include "log_export.h"
#include "log_location_dialog.h"
#include "log_writer.h"
#include "messenger.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QSqlDatabase>
#include <QSqlQueryModel>
#include <QTableView>
#include <QUuid>
#include <QVBoxLayout>

namespace {

using Result = ProgrammingRecord::Result;
const Result kResults[] = {Result::Succeeded, Result::Failed, Result::Cancelled, Result::Differs,
                           Result::NotVerified};

// The stored codes of operations and results shown in the user's words.
class LogTableModel : public QSqlQueryModel {
public:
    using QSqlQueryModel::QSqlQueryModel;

    QVariant data(const QModelIndex& index, int role) const override {
        const QVariant value = QSqlQueryModel::data(index, role);
        if (role != Qt::DisplayRole) {
            return value;
        }
        const QString name = RecordFields::Names().value(index.column());
        ProgrammingRecord::Operation operation;
        ProgrammingRecord::Result result;
        if (name == QLatin1String("operation") &&
            RecordFields::OperationFromCode(value.toString(), &operation)) {
            return RecordFields::OperationText(operation);
        }
        if (name == QLatin1String("result") &&
            RecordFields::ResultFromCode(value.toString(), &result)) {
            return RecordFields::ResultText(result);
        }
        return value;
    }
};

// A date edit whose lowest value means "any date".
QDateEdit* DateFilter(QWidget* parent, const QString& name) {
    auto* edit = new QDateEdit(parent);
    edit->setObjectName(name);
    edit->setCalendarPopup(true);
    edit->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    edit->setMinimumDate(QDate(2000, 1, 1));
    edit->setSpecialValueText(LogDialog::tr("不限"));
    edit->setDate(edit->minimumDate());
    return edit;
}

QDateTime DayStart(const QDateEdit* edit, int days) {
    return edit->date() == edit->minimumDate()
               ? QDateTime()
               : QDateTime(edit->date().addDays(days), QTime(0, 0)).toUTC();
}

} // namespace

LogDialog::LogDialog(QWidget* parent)
    : QDialog(parent),
      m_connection(QStringLiteral("logDialog-") + QUuid::createUuid().toString(QUuid::Id128)),
      m_model(new LogTableModel(this)), m_sorted(new QSortFilterProxyModel(this)) {
    setObjectName(QStringLiteral("logDialog"));
    setWindowTitle(tr("编程记录"));
    m_sorted->setSourceModel(m_model);
    buildControls();
    refresh();
}

LogDialog::~LogDialog() {
    m_model->clear();
    QSqlDatabase::removeDatabase(m_connection);
}

void LogDialog::buildControls() {
    m_label = new QLineEdit(this);
    m_port = new QLineEdit(this);
    m_result = new QComboBox(this);
    m_result->addItem(tr("全部"));
    for (Result result : kResults) {
        m_result->addItem(RecordFields::ResultText(result), static_cast<int>(result));
    }
    m_since = DateFilter(this, QStringLiteral("sinceFilter"));
    m_until = DateFilter(this, QStringLiteral("untilFilter"));

    auto* filters = new QHBoxLayout;
    const auto addFilter = [&](const QString& text, QWidget* field) {
        auto* name = new QLabel(text, this);
        name->setBuddy(field);
        filters->addWidget(name);
        filters->addWidget(field, 1);
    };
    addFilter(tr("标签(&L):"), m_label);
    addFilter(tr("端口(&P):"), m_port);
    addFilter(tr("结果(&R):"), m_result);
    addFilter(tr("从(&F):"), m_since);
    addFilter(tr("到(&T):"), m_until);

    m_table = new QTableView(this);
    m_table->setAccessibleName(tr("编程记录"));
    // Tab goes on to the buttons; the arrow keys move between the records.
    m_table->setTabKeyNavigation(false);
    m_table->setModel(m_sorted);
    m_table->setSortingEnabled(true);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->sortByColumn(RecordFields::Names().indexOf(QStringLiteral("started_at")),
                          Qt::AscendingOrder);

    m_status = new QLabel(this);
    m_status->setWordWrap(true);
    m_where = new QLabel(this);
    m_where->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton* exportButton =
        buttons->addButton(tr("导出 CSV(&E)..."), QDialogButtonBox::ActionRole);
    QPushButton* refreshButton = buttons->addButton(tr("刷新(&S)"), QDialogButtonBox::ActionRole);
    QPushButton* locationButton =
        buttons->addButton(tr("位置(&O)..."), QDialogButtonBox::ActionRole);
    connect(locationButton, &QPushButton::clicked, this, &LogDialog::chooseLocation);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(exportButton, &QPushButton::clicked, this, &LogDialog::exportCsv);
    connect(refreshButton, &QPushButton::clicked, this, &LogDialog::refresh);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_where);
    layout->addLayout(filters);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_status);
    layout->addWidget(buttons);

    connect(m_label, &QLineEdit::editingFinished, this, &LogDialog::refresh);
    connect(m_port, &QLineEdit::editingFinished, this, &LogDialog::refresh);
    connect(m_result, &QComboBox::currentIndexChanged, this, &LogDialog::refresh);
    for (QDateEdit* edit : {m_since, m_until}) {
        edit->installEventFilter(this);
    }
    connect(m_since, &QDateEdit::dateChanged, this, &LogDialog::refresh);
    connect(m_until, &QDateEdit::dateChanged, this, &LogDialog::refresh);
    resize(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 120, fontMetrics().height() * 30);
}

// A date field showing 不限 has no day, month or year for Tab to step through, and would keep
// the focus: there Tab and Shift+Tab go on to the next field as anywhere else.
bool LogDialog::eventFilter(QObject* watched, QEvent* event) {
    auto* edit = qobject_cast<QDateEdit*>(watched);
    if (edit && event->type() == QEvent::KeyPress && edit->date() == edit->minimumDate()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool plain = !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        if (plain && (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)) {
            focusNextPrevChild(key->key() == Qt::Key_Tab);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

LogFilter LogDialog::filter() const {
    LogFilter filter;
    filter.label = m_label->text().trimmed();
    filter.port = m_port->text().trimmed();
    if (m_result->currentIndex() > 0) {
        filter.result = static_cast<Result>(m_result->currentData().toInt());
    }
    filter.since = DayStart(m_since, 0);
    filter.until = DayStart(m_until, 1); // the whole of the last day
    return filter;
}

void LogDialog::refresh() {
    m_model->clear();
    QSqlDatabase::removeDatabase(m_connection);
    const ProgrammingLog log(LogWriter::Location());
    m_where->setText(tr("记录位置：%1").arg(log.location().displayName()));
    const LogStatus status = log.openForReading(m_connection);
    m_status->setText(status.message);
    if (!status.ok) {
        return;
    }
    m_model->setQuery(filter().select(QSqlDatabase::database(m_connection, false)));
    const QStringList& names = RecordFields::Names();
    for (int column = 0; column < names.size(); ++column) {
        m_model->setHeaderData(column, Qt::Horizontal, names.at(column));
    }
    while (m_model->canFetchMore()) {
        m_model->fetchMore(); // sorting sees every record, not the first 256
    }
    m_table->setColumnHidden(names.indexOf(QStringLiteral("uuid")), true);
}

void LogDialog::exportCsv() {
    const QString path = TheMessenger().chooseSaveFile(
        this, tr("导出 CSV"), QDir::home().filePath(QStringLiteral("programming-log.csv")),
        tr("CSV 文件 (*.csv)"));
    if (path.isEmpty()) {
        return;
    }
    QList<ProgrammingRecord> records;
    const LogStatus status = ProgrammingLog(LogWriter::Location()).records(filter(), &records);
    QString reason = status.message;
    if (!status.ok || !AtomicFile::Replace(path, LogExport::Csv(records).toUtf8(), &reason)) {
        ShowWarning(this, tr("没能导出编程记录：%1").arg(reason));
    }
}

void LogDialog::chooseLocation() {
    LogLocationDialog dialog(this);
    if (dialog.exec() == QDialog::Accepted) {
        refresh();
    }
}
