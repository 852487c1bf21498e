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
#include <QHash>
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
#include <QTimer>
#include <QUuid>
#include <QVBoxLayout>

namespace {

using Result = ProgrammingRecord::Result;
const Result kResults[] = {Result::Succeeded, Result::Failed, Result::Cancelled, Result::Differs,
                           Result::NotVerified};

// The headings of the stored fields, in the user's words.
QString FieldHeading(const QString& name) {
    static const QHash<QString, const char*> headings = {
        {QStringLiteral("started_at"), QT_TRANSLATE_NOOP("LogDialog", "时间")},
        {QStringLiteral("duration_ms"), QT_TRANSLATE_NOOP("LogDialog", "用时(毫秒)")},
        {QStringLiteral("program"), QT_TRANSLATE_NOOP("LogDialog", "程序")},
        {QStringLiteral("program_version"), QT_TRANSLATE_NOOP("LogDialog", "程序版本")},
        {QStringLiteral("station"), QT_TRANSLATE_NOOP("LogDialog", "计算机")},
        {QStringLiteral("operation"), QT_TRANSLATE_NOOP("LogDialog", "操作")},
        {QStringLiteral("port"), QT_TRANSLATE_NOOP("LogDialog", "端口")},
        {QStringLiteral("device"), QT_TRANSLATE_NOOP("LogDialog", "设备")},
        {QStringLiteral("usb_vendor"), QT_TRANSLATE_NOOP("LogDialog", "USB 厂商")},
        {QStringLiteral("usb_product"), QT_TRANSLATE_NOOP("LogDialog", "USB 产品")},
        {QStringLiteral("usb_serial"), QT_TRANSLATE_NOOP("LogDialog", "USB 序列号")},
        {QStringLiteral("ident"), QT_TRANSLATE_NOOP("LogDialog", "电台标识")},
        {QStringLiteral("model"), QT_TRANSLATE_NOOP("LogDialog", "型号")},
        {QStringLiteral("band"), QT_TRANSLATE_NOOP("LogDialog", "频段")},
        {QStringLiteral("image_sha256"), QT_TRANSLATE_NOOP("LogDialog", "数据 SHA-256")},
        {QStringLiteral("file"), QT_TRANSLATE_NOOP("LogDialog", "文件")},
        {QStringLiteral("backup"), QT_TRANSLATE_NOOP("LogDialog", "备份")},
        {QStringLiteral("label"), QT_TRANSLATE_NOOP("LogDialog", "标签")},
        {QStringLiteral("result"), QT_TRANSLATE_NOOP("LogDialog", "结果")},
        {QStringLiteral("blocks"), QT_TRANSLATE_NOOP("LogDialog", "块数")},
        {QStringLiteral("message"), QT_TRANSLATE_NOOP("LogDialog", "说明")},
        {QStringLiteral("plan"), QT_TRANSLATE_NOOP("LogDialog", "计划")},
        {QStringLiteral("plan_version"), QT_TRANSLATE_NOOP("LogDialog", "计划版本")},
    };
    const char* heading = headings.value(name);
    return heading ? LogDialog::tr(heading) : name;
}

// What the user looks for first on the left; the long hashes and paths on the right.
const QStringList& ColumnOrder() {
    static const QStringList order = [] {
        const QStringList first = {"started_at", "label", "operation", "result", "port"};
        const QStringList last = {"image_sha256", "file", "backup"};
        QStringList middle = RecordFields::Names();
        for (const QString& name : first + last) {
            middle.removeOne(name);
        }
        return first + middle + last;
    }();
    return order;
}

// The stored codes of operations and results shown in the user's words, and times in local time.
class LogTableModel : public QSqlQueryModel {
public:
    using QSqlQueryModel::QSqlQueryModel;

    QVariant data(const QModelIndex& index, int role) const override {
        const QVariant value = QSqlQueryModel::data(index, role);
        if (role != Qt::DisplayRole) {
            return value;
        }
        const QString name = RecordFields::Names().value(index.column());
        if (name == QLatin1String("started_at")) {
            const QDateTime time = QDateTime::fromString(value.toString(), Qt::ISODateWithMs);
            return time.isValid()
                       ? time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))
                       : value;
        }
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
      m_model(new LogTableModel(this)), m_sorted(new QSortFilterProxyModel(this)),
      m_typing(new QTimer(this)) {
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
    m_status->setObjectName(QStringLiteral("logStatus"));
    m_status->setWordWrap(true);
    m_where = new QLabel(this);
    m_where->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton* exportButton =
        buttons->addButton(tr("导出 CSV(&E)..."), QDialogButtonBox::ActionRole);
    QPushButton* refreshButton = buttons->addButton(tr("刷新(&S)"), QDialogButtonBox::ActionRole);
    QPushButton* locationButton =
        buttons->addButton(tr("位置(&O)..."), QDialogButtonBox::ActionRole);
    // Enter in a filter reads the log again, never exports.
    for (QAbstractButton* button : buttons->buttons()) {
        if (auto* push = qobject_cast<QPushButton*>(button)) {
            push->setAutoDefault(false);
            push->setDefault(false);
        }
    }
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

    // Typed filters apply after a pause, not at every key: each reading asks the log again.
    m_typing->setSingleShot(true);
    m_typing->setInterval(kTypingPauseMs);
    connect(m_typing, &QTimer::timeout, this, &LogDialog::refresh);
    for (QLineEdit* edit : {m_label, m_port}) {
        connect(edit, &QLineEdit::textChanged, m_typing, qOverload<>(&QTimer::start));
        connect(edit, &QLineEdit::returnPressed, this, &LogDialog::refresh);
    }
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
    filter.labelPart = true;
    filter.port = m_port->text().trimmed();
    if (m_result->currentIndex() > 0) {
        filter.result = static_cast<Result>(m_result->currentData().toInt());
    }
    filter.since = DayStart(m_since, 0);
    filter.until = DayStart(m_until, 1); // the whole of the last day
    return filter;
}

void LogDialog::refresh() {
    m_typing->stop();
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
    while (m_model->canFetchMore()) {
        m_model->fetchMore(); // sorting sees every record, not the first 256
    }
    if (m_model->rowCount() == 0) {
        m_status->setText(status.message.isEmpty()
                              ? tr("没有符合条件的记录")
                              : status.message + QLatin1Char('\n') + tr("没有符合条件的记录"));
    }
    arrangeColumns();
}

void LogDialog::arrangeColumns() {
    const QStringList& names = RecordFields::Names();
    QHeaderView* header = m_table->horizontalHeader();
    for (int column = 0; column < names.size(); ++column) {
        m_model->setHeaderData(column, Qt::Horizontal, FieldHeading(names.at(column)));
    }
    const QStringList& order = ColumnOrder();
    for (int place = 0; place < order.size(); ++place) {
        header->moveSection(header->visualIndex(names.indexOf(order.at(place))), place);
    }
    m_table->setColumnHidden(names.indexOf(QStringLiteral("uuid")), true);
    m_table->resizeColumnsToContents();
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
