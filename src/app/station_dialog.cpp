#include "station_dialog.h"

#include "channel_codec.h"
#include "messenger.h"
#include "port_names.h"
#include "programming_record.h"
#include "radio_store.h"
#include "spoken_notice.h"
#include "transfer_commands.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

namespace {

enum Column { Number, Time, Result, Label, Sha, Message, ColumnCount };

// Enough of a SHA-256 to tell the radios' images apart in the list; the tip holds all of it.
constexpr int kShownShaDigits = 12;

QLabel* Large(QLabel* label, double scale) {
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() * scale);
    font.setBold(true);
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

StationDialog::StationDialog(const StationLoop::Plan& plan, QWidget* parent)
    : QDialog(parent), m_plan(plan), m_loop(new StationLoop(this)) {
    setWindowTitle(tr("批量写频"));
    auto* form = new QFormLayout;
    m_port = new QLabel(
        QStringLiteral("%1 (%2)").arg(plan.portName, PortNames::DevicePath(plan.portName)));
    form->addRow(tr("端口："), m_port);
    m_sha = new QLabel(StationLoop::imageSha256(plan.image));
    m_sha->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_sha->setAccessibleName(tr("SHA-256"));
    form->addRow(tr("数据的 SHA-256："), m_sha);
    m_label = new QLineEdit(plan.label);
    m_label->setAccessibleName(tr("标签"));
    form->addRow(tr("标签(&L)："), m_label);
    m_radiosNote = new QLabel;
    m_radiosNote->setWordWrap(true);
    m_chooseRadios = new QPushButton(tr("每台电台的差异(&V)..."));
    m_dropRadios = new QPushButton(tr("不用差异(&R)"));
    connect(m_chooseRadios, &QPushButton::clicked, this, &StationDialog::chooseRadiosFile);
    connect(m_dropRadios, &QPushButton::clicked, this, [this] { setRadiosFile(QString()); });
    auto* radiosRow = new QHBoxLayout;
    radiosRow->addWidget(m_chooseRadios);
    radiosRow->addWidget(m_dropRadios);
    radiosRow->addStretch(1);
    form->addRow(radiosRow);
    form->addRow(m_radiosNote);
    m_overwrite = new QCheckBox(tr("其他机型或频段的对讲机也照样写入(&O)"));
    form->addRow(m_overwrite);
    m_fleetMode = new QCheckBox(tr("按车队(&F)：每台先输入或扫描标签，写它的计划和它自己的值"));
    form->addRow(m_fleetMode);
    connect(m_fleetMode, &QCheckBox::toggled, this, [this] {
        showRadiosNote();
        setRunning(m_running);
    });
    connect(m_label, &QLineEdit::returnPressed, this, &StationDialog::enterLabel);
    // A claim is renewed while this station holds it, so that only a station gone silent loses it.
    m_claimRenewal = new QTimer(this);
    m_claimRenewal->setInterval(int(WriteClaims::kSilenceMs / 4));
    connect(m_claimRenewal, &QTimer::timeout, this, [this] {
        for (const QString& label : std::as_const(m_claimed)) {
            m_fleet->claim(label);
        }
    });

    m_count = Large(new QLabel(tr("还没有开始")), 2.5);
    m_state = Large(new QLabel(tr("接好写频线，按“开始”。")), 1.3);
    m_state->setWordWrap(true);
    m_progress = new QProgressBar;
    m_list = new QTableWidget(0, ColumnCount);
    m_list->setHorizontalHeaderLabels(
        {tr("编号"), tr("时间"), tr("结果"), tr("标签"), tr("SHA-256"), tr("说明")});
    m_list->verticalHeader()->hide();
    m_list->horizontalHeader()->setStretchLastSection(true);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setAccessibleName(tr("已写的对讲机"));

    auto* buttons = new QDialogButtonBox;
    m_start = buttons->addButton(tr("开始(&S)"), QDialogButtonBox::ActionRole);
    m_stop = buttons->addButton(tr("停止(&T)"), QDialogButtonBox::ActionRole);
    m_close = buttons->addButton(tr("关闭(&C)"), QDialogButtonBox::RejectRole);
    connect(m_start, &QPushButton::clicked, this, &StationDialog::start);
    connect(m_stop, &QPushButton::clicked, this, &StationDialog::stop);
    connect(buttons, &QDialogButtonBox::rejected, this, &StationDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_count);
    layout->addWidget(m_state);
    layout->addWidget(m_progress);
    layout->addWidget(m_list, 1);
    layout->addWidget(buttons);
    // Enter in the label starts; without a default it would press the next button after it. Only
    // a button already in the dialog can be made its default.
    m_start->setDefault(true);
    resize(640, 520);
    showRadiosNote();
    setRunning(false);

    connect(m_loop, &StationLoop::waitingForRadio, this, &StationDialog::showWaiting);
    connect(m_loop, &StationLoop::stageStarted, this, &StationDialog::showStage);
    connect(m_loop, &StationLoop::progressShown, this, [this](int done, int total) {
        m_progress->setRange(0, total);
        m_progress->setValue(done);
    });
    connect(m_loop, &StationLoop::radioFinished, this, &StationDialog::showRadio);
    connect(m_loop, &StationLoop::waitingForDeparture, this, &StationDialog::showDeparture);
    connect(m_loop, &StationLoop::logProblem, this,
            [this](const QString& text) { m_state->setText(text); });
    connect(m_loop, &StationLoop::radiosUsedUp, this, [this] { m_radiosUsedUp = true; });
    connect(m_loop, &StationLoop::stationEnded, this, &StationDialog::showEnded);
}

StationDialog::~StationDialog() {
    for (const QString& label : std::as_const(m_claimed)) {
        m_fleet->release(label);
    }
}

void StationDialog::setLogLocation(const LogLocation& location) {
    m_logLocation = location;
    m_loop->setLogLocation(location);
}

void StationDialog::start() {
    if (m_fleetMode->isChecked()) {
        startFleet();
        return;
    }
    if (const QString problem = RecordFields::LabelProblem(m_label->text()); !problem.isEmpty()) {
        m_state->setText(problem);
        return;
    }
    m_plan.label = m_label->text().trimmed();
    m_plan.overwriteOthers = m_overwrite->isChecked();
    // A run stopped and started again goes on with the rows not yet written.
    m_plan.radios = m_radios.mid(m_radiosWritten);
    // The list is kept, so its numbers go on from the last run's.
    m_plan.firstNumber = m_list->rowCount() + 1;
    if (!strayChannelsAllowed(m_plan) || !m_loop->startStation(m_plan)) {
        return;
    }
    m_radiosUsedUp = false;
    m_runResults.clear();
    setRunning(true);
    m_state->setText(numberingNote());
}

// What 写数据 asks of the table, asked once for every radio of the run.
bool StationDialog::strayChannelsAllowed(const StationLoop::Plan& plan) {
    ChannelTable table;
    DecodeChannels(plan.image, table);
    const QString band =
        table.entryText(ChannelTable::Selector::Band, table.selected(ChannelTable::Selector::Band));
    return TransferCommands::strayChannelsAllowed(this, plan.strayFrequencies(), band);
}

// Without the fleet's database no radio's plan can be known, so nothing starts.
void StationDialog::startFleet() {
    m_fleet = std::make_unique<FleetStation>(m_logLocation);
    if (const QString problem = m_fleet->open(); !problem.isEmpty()) {
        m_fleet.reset();
        m_state->setText(tr("不能按车队写频（不知道电台的计划），没有开始：%1").arg(problem));
        return;
    }
    m_stopping = false;
    m_runResults.clear();
    setRunning(true);
    if (m_label->text().trimmed().isEmpty()) {
        askForLabel(QString());
    } else {
        enterLabel();
    }
}

void StationDialog::askForLabel(const QString& before) {
    m_label->clear();
    m_label->setFocus();
    const QString ask = tr("输入或扫描下一台电台的标签，按 Enter。");
    m_state->setText(before.isEmpty() ? ask : before + QLatin1Char('\n') + ask);
}

// A label entered is looked up, checked as 写数据 checks a table and claimed; its radio is awaited
// once the radio before it has been unplugged.
void StationDialog::enterLabel() {
    if (!m_fleet || m_nextFleetRadio || m_label->text().trimmed().isEmpty()) {
        return;
    }
    FleetStation::Radio radio;
    QString problem = m_claimed.contains(RadioStore::Label(m_label->text()))
                          ? tr("这台电台正在本工位写入")
                          : m_fleet->find(m_label->text(), &radio);
    if (problem.isEmpty()) {
        StationLoop::Plan plan;
        plan.image = radio.image;
        if (!strayChannelsAllowed(plan)) {
            problem = tr("有信道在频段之外或不在步进上");
        }
    }
    if (problem.isEmpty()) {
        problem = m_fleet->claim(radio.label);
    }
    if (!problem.isEmpty()) {
        refuseLabel(RadioStore::Label(m_label->text()), problem);
        return;
    }
    m_claimed << radio.label;
    m_claimRenewal->start();
    m_nextFleetRadio = radio;
    m_label->clear(); // a scanner types the next tag into an empty field
    setRunning(true);
    showFleetRadio(radio);
    if (!m_fleetRadioRun) {
        writeNextFleetRadio();
    }
}

void StationDialog::refuseLabel(const QString& label, const QString& reason) {
    StationRadio radio;
    radio.number = m_list->rowCount() + 1;
    radio.finished = QDateTime::currentDateTime();
    radio.result = StationRadio::Result::Refused;
    radio.label = label;
    radio.message = tr("没有写入：%1").arg(reason);
    showRadio(radio);
    askForLabel(radio.message);
}

void StationDialog::showFleetRadio(const FleetStation::Radio& radio) {
    QString text = tr("%1：%2").arg(radio.label, radio.reference());
    text += QLatin1Char('\n') + (radio.differences.isEmpty()
                                     ? tr("与计划相同")
                                     : radio.differences.join(QLatin1Char('\n')));
    m_radiosNote->setText(text);
    m_sha->setText(StationLoop::imageSha256(radio.image));
    SpokenNotice::Say(this, text);
}

void StationDialog::writeNextFleetRadio() {
    const FleetStation::Radio radio = *std::exchange(m_nextFleetRadio, std::nullopt);
    StationLoop::Plan plan = m_plan;
    plan.image = radio.image;
    plan.label = radio.label;
    plan.file = radio.reference();
    plan.fleetPlan = radio.plan;
    plan.fleetPlanVersion = radio.version;
    plan.radios.clear();
    plan.oneRadio = true;
    plan.overwriteOthers = m_overwrite->isChecked();
    plan.firstNumber = m_list->rowCount() + 1;
    m_fleetReference = radio.reference();
    m_fleetRadioRun = m_loop->startStation(plan);
    setRunning(true);
    m_label->setFocus();
}

void StationDialog::endFleet() {
    for (const QString& label : std::as_const(m_claimed)) {
        m_fleet->release(label);
    }
    m_claimed.clear();
    m_claimRenewal->stop();
    m_nextFleetRadio.reset();
    m_fleet.reset();
    setRunning(false);
    showRadiosNote();
    m_count->setText(tr("本轮共 %n 台", nullptr, int(m_runResults.size())));
    m_state->setText(tr("已停止。%1").arg(runSummary()));
    SpokenNotice::Say(this, m_state->text());
}

QString StationDialog::numberingNote() const {
    return m_plan.firstNumber > 1
               ? tr("编号接着上一轮，从第 %1 台起；列表保留上一轮的电台。").arg(m_plan.firstNumber)
               : QString();
}

// The write under way is never cut: the radio being written is finished and read back first.
void StationDialog::stop() {
    if (m_fleet && !m_fleetRadioRun) {
        endFleet();
        return;
    }
    m_stopping = true;
    m_loop->requestStop();
    m_stop->setEnabled(false);
    m_state->setText(m_writing
                         ? tr("第 %1 台正在写入：写完并校验后停止，请不要取下它。").arg(m_number)
                         : tr("正在停止…"));
}

void StationDialog::reject() {
    if (!m_running) {
        QDialog::reject();
    }
}

void StationDialog::setRunning(bool running) {
    m_running = running;
    const bool fleet = m_fleetMode->isChecked();
    m_start->setEnabled(!running &&
                        (fleet || m_radios.isEmpty() || m_radiosWritten < m_radios.size()));
    m_stop->setEnabled(running);
    m_close->setEnabled(!running);
    // By fleet the label field takes the next radio's label whenever none is waiting.
    m_label->setEnabled(m_fleet ? !m_nextFleetRadio : !running && (fleet || m_radios.isEmpty()));
    m_overwrite->setEnabled(!running);
    m_fleetMode->setEnabled(!running);
    m_chooseRadios->setEnabled(!running && !fleet);
    m_dropRadios->setEnabled(!running && !fleet && !m_radios.isEmpty());
}

void StationDialog::chooseRadiosFile() {
    const QString path =
        TheMessenger().chooseOpenFile(this, tr("每台电台的差异"), tr("CSV 文件 (*.csv)"));
    if (!path.isEmpty()) {
        setRadiosFile(path);
    }
}

bool StationDialog::setRadiosFile(const QString& path) {
    RadioOverrides::Result file;
    if (!path.isEmpty()) {
        file = RadioOverrides::Load(path, m_plan.image);
        if (!file.problems.isEmpty()) {
            ShowWarning(this, tr("%1 没有采用：\n%2")
                                  .arg(QDir::toNativeSeparators(path),
                                       file.problems.join(QLatin1Char('\n'))));
            return false;
        }
    }
    m_radios = file.radios;
    m_radiosFile = QFileInfo(path).fileName();
    m_radiosWritten = 0;
    showRadiosNote();
    setRunning(m_running);
    return true;
}

void StationDialog::showRadiosNote() {
    if (m_fleetMode->isChecked()) {
        m_radiosNote->setText(tr("按车队：每台电台写它的计划的最新版本和它自己的值。"));
        m_sha->setText(tr("每台不同，见列表"));
        return;
    }
    if (m_radios.isEmpty()) {
        m_radiosNote->setText(tr("每台电台写同样的数据。"));
        m_sha->setText(StationLoop::imageSha256(m_plan.image));
        return;
    }
    QString note =
        tr("%n 台电台的差异已检查（%1）：每台依次取一行，写好并校验通过后换下一行；都写好后停止。",
           nullptr, int(m_radios.size()))
            .arg(m_radiosFile);
    if (m_radiosWritten > 0) {
        note += tr("已写好 %1 台，还剩 %2 台。")
                    .arg(m_radiosWritten)
                    .arg(m_radios.size() - m_radiosWritten);
    }
    m_radiosNote->setText(note);
    m_sha->setText(tr("每台不同，见列表"));
}

void StationDialog::showWaiting(int number, const QString& label) {
    m_number = number;
    m_count->setText(m_plan.radios.isEmpty() && !m_fleet
                         ? tr("第 %1 台").arg(number)
                         : tr("第 %1 台：%2").arg(number).arg(label));
    QString waiting = tr("等待对讲机接到 %1…").arg(m_port->text());
    if (number == m_plan.firstNumber && number > 1 && !m_fleet) {
        waiting += QLatin1Char('\n') + numberingNote();
    }
    m_state->setText(waiting);
    m_progress->setValue(0);
}

void StationDialog::showStage(int number, const QString& stage, bool stoppable) {
    m_writing = !stoppable;
    m_state->setText(tr("第 %1 台：%2…").arg(number).arg(stage));
}

void StationDialog::showRadio(const StationRadio& given) {
    StationRadio radio = given;
    m_writing = false;
    if (m_fleet && m_claimed.removeAll(radio.label) > 0) {
        m_fleet->release(radio.label);
        radio.message = tr("%1：%2").arg(m_fleetReference, radio.message);
    }
    m_radioMessage = radio.message;
    m_runResults << radio.result;
    const QString result = resultText(radio.result);
    m_count->setText(tr("第 %1 台 %2").arg(radio.number).arg(result));
    const int row = m_list->rowCount();
    m_list->insertRow(row);
    const QStringList cells = {QString::number(radio.number),
                               radio.finished.toString(QStringLiteral("HH:mm:ss")),
                               result,
                               radio.label,
                               radio.imageSha256.left(kShownShaDigits),
                               radio.message};
    for (int column = 0; column < ColumnCount; ++column) {
        m_list->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
    m_list->item(row, Sha)->setToolTip(radio.imageSha256);
    m_list->item(row, Message)->setToolTip(radio.message);
    m_list->scrollToBottom();
    if (radio.shareDone) {
        ++m_radiosWritten;
        showRadiosNote();
    }
    QApplication::beep();
    // The large type is for the eyes; a screen reader user hears the same result, and why.
    SpokenNotice::Say(this, radio.message.isEmpty()
                                ? m_count->text()
                                : QStringLiteral("%1 %2").arg(m_count->text(), radio.message));
}

void StationDialog::showDeparture(int number) {
    const QString text = tr("第 %1 台：%2\n可以取下了。").arg(number).arg(m_radioMessage);
    if (m_fleet && !m_nextFleetRadio) {
        askForLabel(text);
    } else {
        m_state->setText(text);
    }
}

void StationDialog::showEnded(int radios) {
    // Saying so was the run's last act: once its thread is gone, Start can begin the next.
    m_loop->wait();
    m_fleetRadioRun = false;
    if (m_fleet) {
        if (m_stopping) {
            endFleet();
        } else if (m_nextFleetRadio) {
            writeNextFleetRadio();
        } else {
            setRunning(true);
        }
        return;
    }
    setRunning(false);
    m_count->setText(tr("本轮共 %n 台", nullptr, radios));
    m_state->setText(
        (m_radiosUsedUp ? tr("差异文件的电台都已写好，批量写频结束。%1") : tr("已停止。%1"))
            .arg(runSummary()));
    SpokenNotice::Say(this, m_state->text());
}

QString StationDialog::runSummary() const {
    using Result = StationRadio::Result;
    const auto count = [this](std::initializer_list<Result> results) {
        return std::count_if(m_runResults.begin(), m_runResults.end(), [&](Result result) {
            return std::find(results.begin(), results.end(), result) != results.end();
        });
    };
    return tr("写好 %1 台，拒绝 %2 台，失败 %3 台，写入前停止 %4 台。")
        .arg(count({Result::Written}))
        .arg(count({Result::Refused}))
        .arg(count({Result::Failed, Result::Differs, Result::NotVerified}))
        .arg(count({Result::Stopped}));
}

QString StationDialog::resultText(StationRadio::Result result) const {
    switch (result) {
    case StationRadio::Result::Written:
        return tr("成功");
    case StationRadio::Result::Refused:
        return tr("拒绝写入");
    case StationRadio::Result::Failed:
        return tr("失败");
    case StationRadio::Result::Differs:
        return tr("校验不符");
    case StationRadio::Result::NotVerified:
        return tr("未校验");
    case StationRadio::Result::Stopped:
        return tr("已停止，未写入");
    }
    return QString();
}
