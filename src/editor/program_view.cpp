#include "program_view.h"

#include "band_limits.h"
#include "channel_codec.h"
#include "channel_columns.h"
#include "form_units.h"
#include "memory_image.h"
#include "ms_flex_grid.h"
#include "option_commands.h"
#include "transfer_dialog.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>

namespace {

QLabel* AddLabel(QWidget* parent, const QString& text, Qt::Alignment alignment, const QRect& at) {
    auto* label = new QLabel(text, parent);
    label->setAlignment(alignment);
    label->setGeometry(at);
    return label;
}

QComboBox* AddSelector(QWidget* parent, const QString& objectName, const QString& accessibleName,
                       const QStringList& entries) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(objectName);
    combo->setAccessibleName(accessibleName);
    combo->addItems(entries);
    return combo;
}

} // namespace

CProgramView::CProgramView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("programView"));
    QFont formFont(QStringLiteral("Arial"));
    formFont.setPointSize(8);
    setFont(formFont);
    LayoutForm();
    m_pTransferDlg = new CTransferDlg(this);
    connect(m_pTransferDlg, &CTransferDlg::startTransfer, this, &CProgramView::OnTransfer);
}

CProgramView::~CProgramView() {
    delete m_pTransferDlg;
}

void CProgramView::LayoutForm() {
    const FormUnits du(font());
    auto* group = new QGroupBox(QStringLiteral("设置"), this);
    group->setGeometry(du.rect(17, 13, 571, 29));

    const Qt::Alignment labelAlign = Qt::AlignRight | Qt::AlignVCenter;
    AddLabel(this, QStringLiteral("机型"), labelAlign, du.rect(54, 24, 20, 12));
    m_comboModel =
        AddSelector(this, QStringLiteral("comboModel"), QStringLiteral("机型"), ModelEntries());
    AddLabel(this, QStringLiteral("频率"), labelAlign, du.rect(158, 24, 23, 12));
    m_comboBand =
        AddSelector(this, QStringLiteral("comboBand"), QStringLiteral("频率"), BandEntries());
    const int selectorHeight = qMax(du.y(12), m_comboModel->sizeHint().height());
    const int selectorTop = du.y(24) + du.y(6) - selectorHeight / 2;
    m_comboModel->setGeometry(du.x(80), selectorTop, du.x(57), selectorHeight);
    m_comboBand->setGeometry(du.x(188), selectorTop, du.x(66), selectorHeight);
    // The group frame must hold the selectors whatever the font makes of their height.
    const int groupBottom = qMax(group->geometry().bottom(), selectorTop + selectorHeight + 6);
    group->setGeometry(group->x(), group->y(), group->width(), groupBottom - group->y() + 1);

    const int shift = groupBottom - du.y(13 + 29);
    AddLabel(this, QStringLiteral("信道:"), Qt::AlignLeft | Qt::AlignVCenter,
             du.rect(19, 47, 35, 9).translated(0, shift));

    m_grid = new CMSFlexGrid(kRows, kCols, this);
    m_grid->setObjectName(QStringLiteral("channelGrid"));
    m_grid->setAccessibleName(QStringLiteral("信道"));
    QFont cellFont(QStringLiteral("Times New Roman"));
    cellFont.setPointSize(9);
    m_grid->setFont(cellFont);
    const int rowHeight = QFontMetrics(cellFont).height() + 6;
    m_grid->verticalHeader()->setDefaultSectionSize(rowHeight);
    m_grid->verticalHeader()->setMinimumSectionSize(rowHeight);
    m_grid->horizontalHeader()->setFixedHeight(rowHeight + 2);
    m_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    // Tall enough for all sixteen channels, so the table never needs to scroll.
    const int frame = 2 * m_grid->frameWidth();
    const QRect gridAt = du.rect(18, 61, 571, 179).translated(0, shift);
    const int gridHeight = qMax(gridAt.height(), frame + rowHeight + 2 + (kRows - 1) * rowHeight);
    m_grid->setGeometry(gridAt.x(), gridAt.y(), gridAt.width(), gridHeight);
    // What the grid offers as its default column width: the twelve columns in their
    // 0.4 : 1.2 : 1.2 : 1.0 x 9 proportions just fill it.
    m_grid->horizontalHeader()->setDefaultSectionSize(int((gridAt.width() - frame) / 11.8));

    m_formSize = QSize(du.x(605), m_grid->geometry().bottom() + du.y(15));
    setMinimumSize(m_formSize);

    connect(m_grid, &CMSFlexGrid::EnterCell, this, &CProgramView::OnEnterCell);
    connect(m_grid, &CMSFlexGrid::LeaveCell, this, &CProgramView::OnLeaveCell);
    connect(m_grid, &CMSFlexGrid::KeyPress, this, &CProgramView::OnKeyPressGrid);
    connect(m_grid, &CMSFlexGrid::MouseDown, this, &CProgramView::OnMouseDownGrid);
    connect(m_comboBand, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_decoding) {
            OnSelChangeBand();
            MarkModified(); // the band is stored with the document
        }
    });
    connect(m_comboModel, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_decoding) {
            MarkModified();
        }
    });
}

// ---- ChannelTable ----

QString CProgramView::cellText(int row, int column) const {
    return m_grid->GetTextMatrix(row, column);
}

void CProgramView::setCellText(int row, int column, const QString& text) {
    m_grid->SetTextMatrix(row, column, text);
}

int CProgramView::entryCount(Selector selector) const {
    return (selector == Selector::Model ? m_comboModel : m_comboBand)->count();
}

QString CProgramView::entryText(Selector selector, int index) const {
    return (selector == Selector::Model ? m_comboModel : m_comboBand)->itemText(index);
}

int CProgramView::selected(Selector selector) const {
    return (selector == Selector::Model ? m_comboModel : m_comboBand)->currentIndex();
}

void CProgramView::select(Selector selector, int index) {
    QComboBox* combo = selector == Selector::Model ? m_comboModel : m_comboBand;
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
}

// ---- Documents ----

void CProgramView::OnInitialUpdate() {
    emit resizeParentToFit();
    if (!m_bEditorsCreated) {
        m_bEditorsCreated = true;
        CreateCellEditors();
        for (int col = 0; col < m_grid->GetCols(); ++col) {
            m_grid->SetColAlignment(col, CMSFlexGrid::kAlignCenterCenter);
        }
        SetColumnWidths();
    }
    for (int row = 1; row < kRows; ++row) {
        m_grid->SetTextMatrix(row, 0, ChannelColumns::ChannelNumberText(row));
    }
    const QStringList& headers = ChannelColumns::Headers();
    for (int col = 0; col < kCols; ++col) {
        m_grid->SetTextMatrix(0, col, headers.at(col));
    }
    m_editFreq->clear();
    HideCellEditors();
    DecodeChannels();
    m_grid->setFocus(); // typing goes straight into the table
}

void CProgramView::SetColumnWidths() {
    const long w = m_grid->GetColWidth(0);
    m_grid->SetColWidth(0, long(0.4 * double(w)));
    m_grid->SetColWidth(ChannelColumns::kRxFrequency, long(1.2 * double(w)));
    m_grid->SetColWidth(ChannelColumns::kTxFrequency, long(1.2 * double(w)));
    for (int col = ChannelColumns::kRxSignal; col < kCols; ++col) {
        m_grid->SetColWidth(col, w);
    }
}

void CProgramView::DecodeChannels() {
    m_decoding = true;
    ::DecodeChannels(TheImage(), *this);
    m_decoding = false;
}

void CProgramView::EncodeChannels() {
    ::EncodeChannels(*this, TheImage());
}

void CProgramView::OnSelChangeBand() {
    const int index = qMax(0, m_comboBand->currentIndex());
    SetBandLimits(m_comboBand->itemText(index));
}

void CProgramView::MarkModified() {
    emit documentModified();
}

// ---- Commands ----

void CProgramView::OnReadData() {
    OnLeaveCell();
    m_bWrite = 0;
    OpenTransferDialog(QStringLiteral("读数据"));
}

void CProgramView::OnWriteData() {
    OnLeaveCell();
    m_bWrite = 1;
    OpenTransferDialog(QStringLiteral("写数据"));
}

void CProgramView::OpenTransferDialog(const QString& title) {
    m_pTransferDlg->m_strTitle = title;
    // An open window keeps its caption; the direction just set is what its Start will use.
    m_pTransferDlg->OpenOver(m_grid);
}

void CProgramView::UpdatePortItem(QAction* item, const QString& port) const {
    item->setCheckable(true);
    item->setChecked(m_portName == port);
}

void CProgramView::OnOptionalFeatures() {
    if (IsTransferBusy()) {
        return; // a read under way would overwrite the options when it ends
    }
    if (RunOptionalFeaturesCommand(this, TheImage())) {
        MarkModified();
    }
}

void CProgramView::OnTuning() {
    if (IsTransferBusy()) {
        return;
    }
    if (RunTuningCommand(this, TheImage())) {
        MarkModified();
    }
}
