#include "transfer_commands.h"

#include "channel_document.h"
#include "channel_form.h"
#include "channel_grid.h"
#include "main_window.h"
#include "messenger.h"
#include "port_names.h"
#include "window_transfer.h"

#include <QAction>
#include <utility>

TransferCommands::TransferCommands(MainWindow* frame, ChannelDocument* document)
    : m_frame(frame), m_document(document), m_view(frame->form()),
      m_transfer(new WindowTransfer(frame, this)) {
    connectTransfer();
    using Command = MainWindow::Command;
    frame->connectCommand(Command::ReadData, this, &TransferCommands::readData);
    frame->connectCommand(Command::WriteData, this, &TransferCommands::writeData);
    const Command ports[] = {Command::PortCom1, Command::PortCom2, Command::PortCom3,
                             Command::PortCom4};
    for (int n = 1; n <= 4; ++n) {
        connect(frame->action(ports[n - 1]), &QAction::triggered, this,
                [this, n] { choosePort(n); });
    }
}

TransferCommands::~TransferCommands() {
    delete m_transfer; // its worker stops before the image it reads into goes
}

void TransferCommands::connectTransfer() {
    m_transfer->setImageSource(
        [this](TransferDirection direction) { return imageAtStart(direction); });
    connect(m_transfer, &WindowTransfer::statusMessage, m_frame, [this](const QString& text) {
        // The transfer cannot know that the read it reports replaced edits of the user's.
        m_frame->showStatus(
            std::exchange(m_readReplacedEdits, false)
                ? tr("%1读数据期间在表格里做的修改已被替换，撤销可以找回。").arg(text)
                : text);
    });
    connect(m_transfer, &WindowTransfer::readCompleted, this, [this](const MemoryImage& read) {
        m_readReplacedEdits = documentNow() != m_atReadStart;
        // An edit begun during the read would otherwise write its stale text over the radio's.
        m_view->abandonCellEdit();
        m_document->takeRadioImage(read);
    });
    connect(m_transfer, &WindowTransfer::radioCompared, this, [this](const MemoryImage& radio) {
        m_view->commitOpenEditor();
        emit comparedWithRadio(ImageDiff::Compare(radio, imageAtStart(TransferDirection::Write)));
    });
}

void TransferCommands::readData() {
    m_view->commitOpenEditor();
    m_transfer->open(TransferDirection::Read, tr("读数据"), m_view->grid());
}

void TransferCommands::writeData() {
    m_view->commitOpenEditor();
    if (!strayChannelsAllowed()) {
        return;
    }
    m_transfer->open(TransferDirection::Write, tr("写数据"), m_view->grid());
}

void TransferCommands::compareWithRadio() {
    m_view->commitOpenEditor();
    m_transfer->openCompare(tr("与电台比较"), m_view->grid());
}

// A key chooses a port as quietly as a menu item would; the status bar says which was chosen.
void TransferCommands::choosePort(int n) {
    const QString port = QStringLiteral("COM%1").arg(n);
    m_transfer->setPortName(port);
    m_frame->showStatus(tr("端口：%1（%2）").arg(port, PortNames::DevicePath(port)));
}

// A file or a radio can hold channels this band or the raster refuse; the radio would hold
// channels it cannot use, so they go out only when the user insists.
bool TransferCommands::strayChannelsAllowed() {
    const ChannelTable& table = m_document->table();
    const int band = table.selected(ChannelTable::Selector::Band);
    return strayChannelsAllowed(m_view, StrayFrequencies(table),
                                table.entryText(ChannelTable::Selector::Band, band));
}

bool TransferCommands::strayChannelsAllowed(QWidget* parent, const QList<StrayFrequency>& strays,
                                            const QString& band) {
    if (strays.isEmpty()) {
        return true;
    }
    const QString text =
        tr("信道 %1 的频率不在“%2”之内或不在频率步进上，对讲机无法使用这些信道。仍然写入吗？")
            .arg(ChannelNumbers(StrayChannels(strays)), band);
    return TheMessenger().askYesNo(parent, text, DescribeStrays(strays).join(QLatin1Char('\n')));
}

MemoryImage TransferCommands::imageAtStart(TransferDirection direction) {
    if (direction == TransferDirection::Read) {
        m_atReadStart = documentNow();
    }
    // A write sends the table as it stands now, whatever is edited while the blocks go out.
    return m_document->savedImage();
}

ChannelEdits::Snapshot TransferCommands::documentNow() const {
    return {m_document->image(), m_document->table()};
}
