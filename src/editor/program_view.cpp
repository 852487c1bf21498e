#include "program_view.h"

#include "channel_columns.h"
#include "memory_image.h"
#include "ms_flex_grid.h"
#include "option_commands.h"
#include "signalling_list.h"
#include "transfer_dialog.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QVBoxLayout>

namespace {

QComboBox* AddSelector(QWidget* parent, const QString& objectName, const QString& accessibleName,
                       const QStringList& entries) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(objectName);
    combo->setAccessibleName(accessibleName);
    combo->addItems(entries);
    return combo;
}

// Every text a column can show, so the column is never made too narrow for one of them.
QStringList ColumnSamples(int column) {
    switch (column) {
    case 0:
        return {ChannelColumns::ChannelNumberText(16)};
    case ChannelColumns::kRxFrequency:
    case ChannelColumns::kTxFrequency:
        return {QStringLiteral("000.00000")};
    case ChannelColumns::kRxSignal:
    case ChannelColumns::kTxSignal:
        return TheSignallingList().entries();
    default:
        return ChannelColumns::Choices(column);
    }
}

} // namespace

CProgramView::CProgramView(MemoryImage& image, ChannelTableModel& channels, QWidget* parent)
    : QWidget(parent), m_image(image), m_channels(channels) {
    setObjectName(QStringLiteral("programView"));
    LayoutForm();
    m_transferDialog = new CTransferDlg(this);
    connect(m_transferDialog, &CTransferDlg::startTransfer, this, &CProgramView::OnTransfer);
}

CProgramView::~CProgramView() {
    delete m_transferDialog;
}

// The settings group with the two selectors above the channel grid, which takes all the room the
// window gives; the fonts are the user's own.
void CProgramView::LayoutForm() {
    auto* group = new QGroupBox(tr("设置"), this);
    auto* selectors = new QHBoxLayout(group);
    const auto addSelector = [&](const QString& text, QComboBox* combo) {
        auto* label = new QLabel(text, group);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setBuddy(combo);
        selectors->addWidget(label);
        selectors->addWidget(combo);
    };
    m_modelSelector = AddSelector(group, QStringLiteral("comboModel"), tr("机型"), ModelEntries());
    m_bandSelector = AddSelector(group, QStringLiteral("comboBand"), tr("频率"), BandEntries());
    addSelector(tr("机型"), m_modelSelector);
    selectors->addSpacing(group->fontMetrics().horizontalAdvance(QStringLiteral("0000")));
    addSelector(tr("频率"), m_bandSelector);
    selectors->addStretch();

    auto* channels = new QLabel(tr("信道:"), this);

    m_grid = new CMSFlexGrid(&m_channels, this);
    m_grid->setObjectName(QStringLiteral("channelGrid"));
    m_grid->setAccessibleName(tr("信道"));
    channels->setBuddy(m_grid);

    auto* form = new QVBoxLayout(this);
    form->addWidget(group);
    form->addWidget(channels);
    form->addWidget(m_grid, 1);
    SetColumnWidths();
    InstallDelegates();

    connect(m_grid, &CMSFlexGrid::LeaveCell, this, &CProgramView::OnLeaveCell);
    connect(m_grid, &CMSFlexGrid::KeyPress, this, &CProgramView::OnKeyPressGrid);
    connect(m_grid, &CMSFlexGrid::MouseDown, this, &CProgramView::OnMouseDownGrid);
    connect(m_bandSelector, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_decoding) {
            OnSelChangeBand();
            MarkModified(tr("更改频段")); // the band is stored with the document
        }
    });
    connect(m_modelSelector, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_decoding) {
            m_channels.select(ChannelTable::Selector::Model, m_modelSelector->currentIndex());
            MarkModified(tr("更改机型"));
        }
    });
    connect(&m_channels, &ChannelTableModel::selectionChanged, this, &CProgramView::ShowSelection);
    connect(&m_channels, &ChannelTableModel::edited, this, [this] { MarkModified(); });
    ShowSelection(ChannelTable::Selector::Model);
    ShowSelection(ChannelTable::Selector::Band);
}

// The selectors follow the model, whoever changed it; only the user's choice marks the document.
void CProgramView::ShowSelection(ChannelTable::Selector selector) {
    const bool decoding = m_decoding;
    m_decoding = true;
    (selector == ChannelTable::Selector::Model ? m_modelSelector : m_bandSelector)
        ->setCurrentIndex(m_channels.selected(selector));
    m_decoding = decoding;
}

// ---- Documents ----

void CProgramView::OnInitialUpdate() {
    emit resizeParentToFit();
    m_grid->CloseCellEditor();
    DecodeChannels();
    m_grid->setFocus(); // typing goes straight into the table
    emit documentShown();
}

void CProgramView::SetColumnWidths() {
    const QFontMetrics cells = m_grid->fontMetrics();
    const QFontMetrics headers = m_grid->horizontalHeader()->fontMetrics();
    const int cellPadding = 2 * cells.horizontalAdvance(QLatin1Char('0')) + 2;
    const int headerPadding =
        2 * m_grid->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, m_grid) + 4;
    QList<double> weights;
    QList<int> minimumWidths;
    for (int col = 0; col < kCols; ++col) {
        int widest = headers.horizontalAdvance(ChannelColumns::Headers().at(col)) + headerPadding;
        for (const QString& text : ColumnSamples(col)) {
            widest = qMax(widest, cells.horizontalAdvance(text) + cellPadding);
        }
        weights.append(ChannelColumns::WidthWeight(col));
        minimumWidths.append(widest);
    }
    m_grid->SetColumnProportions(weights, minimumWidths);
}

void CProgramView::DecodeChannels() {
    m_channels.decode(m_image);
}

void CProgramView::EncodeChannels() {
    m_channels.encode(m_image);
}

void CProgramView::OnSelChangeBand() {
    // The limits follow the model's band selection.
    m_channels.select(ChannelTable::Selector::Band, m_bandSelector->currentIndex());
}

void CProgramView::AbandonCellEdit() {
    if (QWidget* editor = cellEditor()) {
        AbandonEdit(editor);
    }
}

void CProgramView::MarkModified(const QString& step) {
    emit documentModified(step);
}

// ---- Commands ----

void CProgramView::OnReadData() {
    OnLeaveCell();
    m_direction = TransferDirection::Read;
    OpenTransferDialog(tr("读数据"));
}

void CProgramView::OnWriteData() {
    OnLeaveCell();
    m_direction = TransferDirection::Write;
    OpenTransferDialog(tr("写数据"));
}

void CProgramView::OpenTransferDialog(const QString& title) {
    m_transferDialog->m_strTitle = title;
    // An open window keeps its caption; the direction just set is what its Start will use.
    m_transferDialog->OpenOver(m_grid);
}

void CProgramView::OnOptionalFeatures() {
    if (IsTransferBusy()) {
        return; // a read under way would overwrite the options when it ends
    }
    if (RunOptionalFeaturesCommand(this, m_image)) {
        MarkModified(tr("可选功能"));
    }
}

void CProgramView::OnTuning() {
    if (IsTransferBusy()) {
        return;
    }
    if (RunTuningCommand(this, m_image)) {
        MarkModified(tr("调试参数"));
    }
}
