#include "log_location_dialog.h"

#include "log_connection.h"
#include "log_writer.h"
#include "messenger.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QUuid>
#include <QVBoxLayout>
#include <QtConcurrent>

LogLocationDialog::LogLocationDialog(QWidget* parent)
    : QDialog(parent),
      // A password kept there by an older version is not shown; saving asks for it to go.
      m_location(new QLineEdit(LogLocation::Masked(LogWriter::LocationSetting()), this)),
      m_test(new QPushButton(tr("测试连接(&T)"), this)), m_result(new QLabel(this)) {
    setObjectName(QStringLiteral("logLocationDialog"));
    setWindowTitle(tr("编程记录位置"));
    auto* about = new QLabel(tr("编程记录存放在本机的一个 SQLite 文件里。几个编程台共用一份记录时，"
                                "填写 PostgreSQL 服务器的连接 URI，例如 "
                                "postgresql://用户@主机:5432/数据库。留空即用默认文件。"),
                             this);
    about->setWordWrap(true);
    auto* password = new QLabel(
        tr("密码不写进 URI：这里的设置存放在普通的设置文件里。服务器要密码时，把它写进 "
           "~/.pgpass（每行 主机:端口:数据库:用户:密码，文件权限 0600）或 PGPASSFILE "
           "指定的文件；也可以在 pg_service.conf 里定义服务，填写 postgresql:///?service=服务名。"
           "连接服务器的程序库会从这些地方读取密码。"),
        this);
    password->setWordWrap(true);
    m_location->setPlaceholderText(LogLocation::DefaultPath());
    m_location->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 20);
    auto* name = new QLabel(tr("位置(&L):"), this);
    name->setBuddy(m_location);
    auto* browse = new QPushButton(tr("浏览(&B)..."), this);
    auto* reset = new QPushButton(tr("恢复默认(&D)"), this);
    m_result->setWordWrap(true);
    m_result->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* field = new QHBoxLayout;
    field->addWidget(name);
    field->addWidget(m_location, 1);
    field->addWidget(browse);
    auto* actions = new QHBoxLayout;
    actions->addWidget(reset);
    actions->addWidget(m_test);
    actions->addStretch(1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(about);
    layout->addWidget(password);
    layout->addLayout(field);
    layout->addLayout(actions);
    layout->addWidget(m_result);
    if (!qEnvironmentVariableIsEmpty("QTR318_LOG")) {
        auto* overridden =
            new QLabel(tr("环境变量 QTR318_LOG 指定了 %1；它设定期间，这里的设置不起作用。")
                           .arg(LogLocation::FromEnvironment().displayName()),
                       this);
        overridden->setObjectName(QStringLiteral("overriddenNote"));
        overridden->setWordWrap(true);
        layout->addWidget(overridden);
    }
    layout->addWidget(buttons);
    // Wide enough to read a URI, never wider than the screen; the wrapped texts then decide the
    // height, which a window does not follow by itself.
    const int character = fontMetrics().horizontalAdvance(QLatin1Char('0'));
    const int room = screen()->availableGeometry().width() * 9 / 10;
    setMinimumWidth(qMin(character * 40, room));
    resize(qMin(character * 80, room), 0);
    fitHeight();

    connect(browse, &QPushButton::clicked, this, &LogLocationDialog::browse);
    connect(reset, &QPushButton::clicked, m_location, &QLineEdit::clear);
    connect(m_test, &QPushButton::clicked, this, &LogLocationDialog::startTest);
    connect(&m_probe, &QFutureWatcher<Probe>::finished, this, &LogLocationDialog::showTest);
    connect(m_location, &QLineEdit::textEdited, m_result, &QLabel::clear);
    connect(buttons, &QDialogButtonBox::accepted, this, &LogLocationDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

LogLocationDialog::Probe LogLocationDialog::TestLocation(const QString& setting) {
    const LogLocation location = LogLocation::FromSetting(setting.trimmed());
    if (!location.refusal.isEmpty()) {
        return {false, tr("无法使用 %1：%2。").arg(location.displayName(), location.refusal)};
    }
    QSqlError error;
    {
        LogConnection connection;
        error = location.server ? connection.openServer(location)
                                : connection.openLocal(location.localPath);
    }
    const QString reason = LogConnection::Reason(error);
    if (!error.isValid()) {
        return {true, tr("%1 可用。").arg(location.displayName())};
    }
    if (location.server) {
        return {false, tr("连不上 %1（%2）。传送照常进行，记录先存在本机 %3，服务器恢复后再发送。")
                           .arg(location.displayName(), reason, location.localPath)};
    }
    return {false, tr("无法打开 %1（%2）。传送照常进行，但不会记入编程记录。")
                       .arg(location.localPath, reason)};
}

void LogLocationDialog::accept() {
    const LogLocation location = LogLocation::FromSetting(m_location->text().trimmed());
    if (!location.refusal.isEmpty()) {
        showResult(tr("无法使用 %1：%2。").arg(location.displayName(), location.refusal));
        return;
    }
    if (!location.password.isEmpty()) {
        showResult(tr("不保存带密码的 URI：请从 URI 中去掉密码，把它写进 ~/.pgpass 或 "
                      "PGPASSFILE 指定的文件（见上文）。"));
        return;
    }
    LogWriter::SetLocationSetting(m_location->text());
    QDialog::accept();
}

void LogLocationDialog::showResult(const QString& text) {
    m_result->setText(text);
    fitHeight();
}

void LogLocationDialog::fitHeight() {
    layout()->activate();
    const int needed = layout()->totalHeightForWidth(width());
    setMinimumHeight(needed);
    if (height() < needed) {
        resize(width(), needed);
    }
}

void LogLocationDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    // A narrower window wraps the texts onto more lines.
    if (layout()->totalHeightForWidth(width()) != minimumHeight()) {
        fitHeight();
    }
}

void LogLocationDialog::browse() {
    const LogLocation location = LogLocation::FromSetting(m_location->text().trimmed());
    const QString folder =
        location.server ? QString() : QFileInfo(location.localPath).absolutePath();
    const QString path = TheMessenger().chooseOpenFile(
        this, tr("编程记录文件"), tr("SQLite 数据库 (*.sqlite *.db);;所有文件 (*)"), folder);
    if (!path.isEmpty()) {
        m_location->setText(path);
        m_result->clear();
    }
}

void LogLocationDialog::startTest() {
    m_test->setEnabled(false);
    showResult(tr("正在连接..."));
    m_probe.setFuture(QtConcurrent::run(&LogLocationDialog::TestLocation, m_location->text()));
}

void LogLocationDialog::showTest() {
    const Probe probe = m_probe.result();
    showResult(probe.message);
    m_test->setEnabled(true);
}
