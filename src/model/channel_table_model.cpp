#include "channel_table_model.h"

#include "channel_codec.h"
#include "channel_columns.h"
#include "signalling_list.h"
#include "value_texts.h"

#include <algorithm>
#include <utility>

namespace CC = ChannelColumns;

namespace {

// The list entry a typed signalling text names, in the list's own spelling ("67" is "67.0",
// "d023n" is "D023N"); empty when it names none or more than one. An empty text stays empty.
QString ResolveSignallingText(const SignallingList& list, const QString& text) {
    const QString typed = text.trimmed();
    if (typed.isEmpty()) {
        return typed;
    }
    const std::optional<int> index = list.ResolveSignalText(typed);
    return index ? list.entries().at(*index) : QString();
}

// The verdict of a commit that needed no check: an emptied cell.
FrequencyCheck Cleared() {
    FrequencyCheck check;
    check.verdict = FrequencyCheck::Verdict::Accepted;
    return check;
}

} // namespace

ChannelTableModel::ChannelTableModel(ChannelTable& table, QObject* parent)
    : QAbstractTableModel(parent), m_table(&table) {}

void ChannelTableModel::assign(const ChannelTable& table) {
    const ChannelTable before = std::exchange(*m_table, table);
    announce(before);
}

void ChannelTableModel::announce(const ChannelTable& before) {
    for (int channel = 1; channel <= kChannels; ++channel) {
        for (int column = 1; column < CC::kCount; ++column) {
            if (before.cellText(channel, column) != m_table->cellText(channel, column)) {
                const QModelIndex cell = cellIndex(channel, column);
                emit dataChanged(cell, cell, {Qt::DisplayRole, Qt::EditRole});
            }
        }
    }
    for (Selector selector : {Selector::Model, Selector::Band}) {
        if (before.selected(selector) != m_table->selected(selector)) {
            emit selectionChanged(selector);
        }
    }
}

int ChannelTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kChannels;
}

int ChannelTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : CC::kCount - 1; // the settings; the numbers are headers
}

QVariant ChannelTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    switch (role) {
    case Qt::DisplayRole: // the run's language; the stored text is the edit role's
        return ValueTexts::Shown(cellText(index.row() + 1, tableColumn(index.column())));
    case Qt::EditRole:
        return cellText(index.row() + 1, tableColumn(index.column()));
    case Qt::AccessibleTextRole:
        // A screen reader reads a row from its first cell on and leaves the row's number out.
        if (index.column() == 0) {
            const QString value = data(index, Qt::DisplayRole).toString();
            return QStringLiteral("%1 %2").arg(tr("信道%1").arg(index.row() + 1), value).trimmed();
        }
        return data(index, Qt::DisplayRole);
    case Qt::TextAlignmentRole:
        return int(Qt::AlignCenter);
    case RefusalRole:
        return index == m_refusedCell ? QVariant::fromValue(m_refusal) : QVariant();
    default:
        return {};
    }
}

// What the short headings of the less obvious options mean.
QString ChannelTableModel::columnTip(int column) {
    switch (column) {
    case CC::kBusy:
        return tr("繁忙锁定：信道上有人讲话时不让发射");
    case CC::kScrambler:
        return tr("扰频：把话音打乱，只有同样设置的对讲机听得懂");
    case CC::kCompander:
        return tr("压扩：发射时压缩、接收时扩展话音动态，降低噪声");
    case CC::kEmphasis:
        return tr("加重：发射时提升、接收时衰减高音，降低嘶嘶声");
    default:
        return {};
    }
}

QVariant ChannelTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role == Qt::ToolTipRole && orientation == Qt::Horizontal && section >= 0 &&
        section < columnCount()) {
        const QString tip = columnTip(tableColumn(section));
        return tip.isEmpty() ? QVariant() : QVariant(tip);
    }
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    if (orientation == Qt::Vertical && section >= 0 && section < kChannels) {
        return QString::number(section + 1);
    }
    if (orientation == Qt::Horizontal && section >= 0 && section < columnCount()) {
        return CC::ShownHeader(tableColumn(section));
    }
    return {};
}

Qt::ItemFlags ChannelTableModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

bool ChannelTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    m_refusal = {};
    m_refusedCell = QModelIndex();
    if (!index.isValid() || (role != Qt::EditRole && role != EnterKeyRole)) {
        return false;
    }
    const int channel = index.row() + 1;
    const int column = tableColumn(index.column());
    const QString text = value.toString();
    const Commit how = role == EnterKeyRole ? Commit::EnterKey : Commit::LeavingCell;
    const CC::Kind kind = CC::Describe(column).kind;
    if (kind == CC::Kind::Frequency) {
        const FrequencyCheck check = commitFrequency(channel, column, text);
        if (!check.accepted()) {
            // A text that is no number at all is a slip, as a letter typed on the grid is; a
            // number the radio cannot take is an error.
            m_refusal = {refusalMessage(check),
                         check.verdict != FrequencyCheck::Verdict::NotANumber};
            m_refusedCell = index;
            return false;
        }
        return true;
    }
    const bool signalling = kind == CC::Kind::Signalling;
    const bool incomplete = isIncomplete(channel);
    if (!commitChoice(channel, column, text, how)) {
        m_refusal = {unknownSignallingMessage(), false};
        m_refusedCell = index;
        return false;
    }
    // Enter has emptied an incomplete channel's signalling: the editor stays for another try.
    if (signalling && how == Commit::EnterKey && incomplete) {
        m_refusedCell = index;
        return false;
    }
    return true;
}

// Out of range says which range, so the user need not look the band up.
QString ChannelTableModel::refusalMessage(const FrequencyCheck& check) const {
    if (check.verdict != FrequencyCheck::Verdict::OutOfRange) {
        return check.message();
    }
    const BandLimits limits = bandLimits();
    const auto megahertz = [](std::uint32_t count) { return QString::number(count / 100000.0); };
    return tr("%1：本频段为 %2–%3 MHz")
        .arg(check.message(), megahertz(limits.low), megahertz(limits.high));
}

void ChannelTableModel::select(Selector selector, int index) {
    const int before = m_table->selected(selector);
    m_table->select(selector, index);
    if (m_table->selected(selector) != before) {
        emit selectionChanged(selector);
    }
}

bool ChannelTableModel::write(int channel, int column, const QString& text) {
    if (channel < 1 || channel > kChannels || column < 1 || column >= CC::kCount ||
        m_table->cellText(channel, column) == text) {
        return false;
    }
    m_table->setCellText(channel, column, text);
    const QModelIndex cell = cellIndex(channel, column);
    emit dataChanged(cell, cell, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

bool ChannelTableModel::isEmptyChannel(int channel) const {
    return cellText(channel, CC::kRxFrequency).isEmpty();
}

bool ChannelTableModel::isIncomplete(int channel) const {
    return isEmptyChannel(channel) || cellText(channel, CC::kTxFrequency).isEmpty();
}

bool ChannelTableModel::clearChannel(int channel) {
    bool changed = false;
    for (int column = CC::kRxFrequency; column < CC::kCount; ++column) {
        changed |= write(channel, column, QString());
    }
    return changed;
}

bool ChannelTableModel::writeNewChannel(int channel, const QString& frequency) {
    bool changed = write(channel, CC::kRxFrequency, frequency);
    changed |= write(channel, CC::kTxFrequency, frequency);
    for (int column = CC::kRxSignal; column < CC::kCount; ++column) {
        changed |= write(channel, column, CC::NewChannelDefault(column));
    }
    return changed;
}

bool ChannelTableModel::writeExclusiveOption(int channel, int column, const QString& text) {
    bool changed = false;
    if (text == CC::kYes) {
        for (int other : CC::kExclusive) {
            if (other != column) {
                changed |= write(channel, other, CC::kNo);
            }
        }
    }
    return write(channel, column, text) || changed;
}

FrequencyCheck ChannelTableModel::commitFrequency(int channel, int column, const QString& text) {
    const bool empty = isEmptyChannel(channel);
    bool changed = false;
    FrequencyCheck check = Cleared();
    if (column == CC::kRxFrequency && text.isEmpty()) {
        changed = clearChannel(channel);
    } else if (column == CC::kTxFrequency && (empty || text.isEmpty())) {
        changed = write(channel, column, QString());
    } else {
        check = CheckFrequency(text, bandLimits());
        if (!check.accepted()) {
            return check;
        }
        changed = column == CC::kRxFrequency && empty ? writeNewChannel(channel, check.display)
                                                      : write(channel, column, check.display);
    }
    if (changed) {
        emit committed(channel, column);
        emit edited();
    }
    return check;
}

QString ChannelTableModel::unknownSignallingMessage() {
    return tr("请输入列表中的信令");
}

bool ChannelTableModel::commitChoice(int channel, int column, const QString& typed, Commit how) {
    const bool exclusive =
        std::find(CC::kExclusive.begin(), CC::kExclusive.end(), column) != CC::kExclusive.end();
    const bool blocked = how == Commit::EnterKey ? isIncomplete(channel) : isEmptyChannel(channel);
    // An option chosen from a list in English is stored as its column's own text.
    const QString option = ValueTexts::Stored(typed, CC::Choices(column));
    QString text = option.isEmpty() ? typed : option;
    if (!blocked && CC::Describe(column).kind == CC::Kind::Signalling) {
        text = ResolveSignallingText(TheSignallingList(), typed);
        if (text.isEmpty() && !typed.trimmed().isEmpty()) {
            return false;
        }
    }
    bool changed = false;
    // A blocked commit empties the cell, except Enter on scrambler, compander or emphasis, which
    // leaves it as it was.
    if (!blocked) {
        changed =
            exclusive ? writeExclusiveOption(channel, column, text) : write(channel, column, text);
    } else if (!(exclusive && how == Commit::EnterKey)) {
        changed = write(channel, column, QString());
    }
    if (changed) {
        emit committed(channel, column);
        emit edited();
    }
    return true;
}
