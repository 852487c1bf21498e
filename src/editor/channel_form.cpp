#include "channel_form.h"

#include "cell_delegates.h"
#include "channel_codec.h"
#include "channel_columns.h"
#include "channel_edits.h"
#include "channel_grid.h"
#include "memory_image.h"
#include "messenger.h"
#include "signalling_list.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
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
    switch (ChannelColumns::Describe(column).kind) {
    case ChannelColumns::Kind::Number:
        return {ChannelColumns::ChannelNumberText(ChannelTableModel::kChannels)};
    case ChannelColumns::Kind::Frequency:
        return {QStringLiteral("000.00000")};
    case ChannelColumns::Kind::Signalling:
        return TheSignallingList().entries();
    case ChannelColumns::Kind::Choice:
        return ChannelColumns::Choices(column);
    case ChannelColumns::Kind::Text:
        break;
    }
    return {};
}

} // namespace

ChannelForm::ChannelForm(MemoryImage& image, ChannelTableModel& channels, QWidget* parent)
    : QWidget(parent), m_image(image), m_channels(channels) {
    setObjectName(QStringLiteral("channelForm"));
    layoutForm();
}

// The settings group with the two selectors above the channel grid, which takes all the room the
// window gives; the fonts are the user's own.
void ChannelForm::layoutForm() {
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
    addSelector(tr("机型(&M)"), m_modelSelector);
    selectors->addSpacing(group->fontMetrics().horizontalAdvance(QStringLiteral("0000")));
    addSelector(tr("频率(&B)"), m_bandSelector);
    selectors->addStretch();

    auto* channels = new QLabel(tr("信道:"), this);

    m_grid = new ChannelGrid(&m_channels, this);
    m_grid->setObjectName(QStringLiteral("channelGrid"));
    m_grid->setAccessibleName(tr("信道"));
    channels->setBuddy(m_grid);
    connect(m_grid, &ChannelGrid::hint, this, &ChannelForm::statusMessage);

    auto* form = new QVBoxLayout(this);
    form->addWidget(group);
    form->addWidget(channels);
    form->addWidget(m_grid, 1);
    setColumnWidths();
    installDelegates();

    connect(m_bandSelector, &QComboBox::currentIndexChanged, this, [this](int band) {
        if (!m_decoding) {
            changeBand(band);
        }
    });
    connect(m_modelSelector, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_decoding) {
            m_channels.select(ChannelTable::Selector::Model, m_modelSelector->currentIndex());
            markModified(tr("更改机型"));
        }
    });
    connect(&m_channels, &ChannelTableModel::selectionChanged, this, &ChannelForm::showSelection);
    showSelection(ChannelTable::Selector::Model);
    showSelection(ChannelTable::Selector::Band);
}

// The selectors follow the model, whoever changed it; only the user's choice marks the document.
void ChannelForm::showSelection(ChannelTable::Selector selector) {
    const bool decoding = m_decoding;
    m_decoding = true;
    (selector == ChannelTable::Selector::Model ? m_modelSelector : m_bandSelector)
        ->setCurrentIndex(m_channels.selected(selector));
    m_decoding = decoding;
}

// ---- Documents ----

void ChannelForm::initialUpdate() {
    emit resizeParentToFit();
    m_grid->closeCellEditor();
    m_grid->setFocus(); // typing goes straight into the table
    emit documentShown();
}

void ChannelForm::setColumnWidths() {
    const QFontMetrics cells = m_grid->fontMetrics();
    const QFontMetrics headers = m_grid->horizontalHeader()->fontMetrics();
    const int cellPadding = 2 * cells.horizontalAdvance(QLatin1Char('0')) + 2;
    const int headerPadding =
        2 * m_grid->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, m_grid) + 4;
    QList<double> weights;
    QList<int> minimumWidths;
    for (int col = 0; col < ChannelColumns::kCount; ++col) {
        int widest = headers.horizontalAdvance(ChannelColumns::ShownHeader(col)) + headerPadding;
        for (const QString& text : ColumnSamples(col)) {
            widest = qMax(widest, cells.horizontalAdvance(text) + cellPadding);
        }
        weights.append(ChannelColumns::WidthWeight(col));
        minimumWidths.append(widest);
    }
    m_grid->setColumnProportions(weights, minimumWidths);
}

// A radio set to one band cannot use channels of the other: they go with the change, once the
// user has agreed; otherwise the selector goes back to the band the table still has.
void ChannelForm::changeBand(int band) {
    const QList<int> outside = ChannelEdits::ChannelsOutsideBand(m_channels.table(), band);
    if (!outside.isEmpty()) {
        const QString text = tr("%n 个信道的频率不在“%1”之内，更改频段会清除这些信道。继续吗？",
                                nullptr, int(outside.size()))
                                 .arg(m_bandSelector->itemText(band));
        if (!TheMessenger().askYesNo(this, text, tr("信道 %1").arg(ChannelNumbers(outside)))) {
            showSelection(ChannelTable::Selector::Band);
            return;
        }
    }
    m_grid->closeCellEditor();
    m_channels.edit([band](ChannelTable& table) { ChannelEdits::ChangeBand(table, band); });
    markModified(tr("更改频段")); // the band is stored with the document
}

void ChannelForm::abandonCellEdit() {
    m_grid->closeCellEditor();
}

bool ChannelForm::commitOpenEditor() {
    return m_grid->commitOpenEditor();
}

QWidget* ChannelForm::cellEditor() const {
    return m_grid->cellEditor();
}

void ChannelForm::installDelegates() {
    auto* frequency = new FrequencyDelegate(m_grid);
    auto* signalling = new SignallingDelegate(m_grid);
    auto* option = new OptionDelegate(m_grid);
    // A free text column keeps the grid's own line editor.
    for (int col = 0; col < m_channels.columnCount(); ++col) {
        switch (ChannelColumns::Describe(ChannelTableModel::tableColumn(col)).kind) {
        case ChannelColumns::Kind::Frequency:
            m_grid->setItemDelegateForColumn(col, frequency);
            break;
        case ChannelColumns::Kind::Signalling:
            m_grid->setItemDelegateForColumn(col, signalling);
            break;
        case ChannelColumns::Kind::Choice:
            m_grid->setItemDelegateForColumn(col, option);
            break;
        case ChannelColumns::Kind::Number:
        case ChannelColumns::Kind::Text:
            break;
        }
    }
}

void ChannelForm::markModified(const QString& step) {
    emit documentModified(step);
}
