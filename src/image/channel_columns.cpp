#include "channel_columns.h"

#include <QCoreApplication>

namespace ChannelColumns {

// The column names are the file's and the radio table's own; a window in another language shows
// their translation (context "ChannelColumns") but never reads them back.
const QStringList& Headers() {
    static const QStringList headers = {
        QString::fromUtf8(QT_TRANSLATE_NOOP("ChannelColumns", "信道")),
        QString::fromUtf8(QT_TRANSLATE_NOOP("ChannelColumns", "接收频率")),
        QString::fromUtf8(QT_TRANSLATE_NOOP("ChannelColumns", "发射频率")),
        QString::fromUtf8(QT_TRANSLATE_NOOP("ChannelColumns", "接收信令")),
        QString::fromUtf8(QT_TRANSLATE_NOOP("ChannelColumns", "发射信令")),
        QString::fromUtf8(QT_TRANSLATE_NOOP("ChannelColumns", "繁忙")),
        QString::fromUtf8(QT_TRANSLATE_NOOP("ChannelColumns", "功率")),
        QString::fromUtf8(QT_TRANSLATE_NOOP("ChannelColumns", "扫描")),
        QString::fromUtf8(QT_TRANSLATE_NOOP("ChannelColumns", "带宽")),
        QString::fromUtf8(QT_TRANSLATE_NOOP("ChannelColumns", "扰频")),
        QString::fromUtf8(QT_TRANSLATE_NOOP("ChannelColumns", "压扩")),
        QString::fromUtf8(QT_TRANSLATE_NOOP("ChannelColumns", "加重")),
    };
    return headers;
}

QString ShownHeader(int column) {
    return QCoreApplication::translate("ChannelColumns", Headers().at(column).toUtf8().constData());
}

const QStringList& Choices(int column) {
    static const QStringList yesNo = {kYes, kNo};
    static const QStringList power = {QStringLiteral("高"), QStringLiteral("低")};
    static const QStringList bandwidth = {QStringLiteral("宽"), QStringLiteral("窄")};
    static const QStringList none;
    switch (column) {
    case kBusy:
    case kScan:
    case kScrambler:
    case kCompander:
    case kEmphasis:
        return yesNo;
    case kPower:
        return power;
    case kBandwidth:
        return bandwidth;
    default:
        return none;
    }
}

QString NewChannelDefault(int column) {
    switch (column) {
    case kRxSignal:
    case kTxSignal:
        return QStringLiteral("关");
    case kBusy:
        return kNo;
    case kPower:
        return QStringLiteral("高");
    case kScan:
        return kYes;
    case kBandwidth:
        return QStringLiteral("宽");
    case kScrambler:
    case kCompander:
        return kNo;
    case kEmphasis:
        return kYes;
    default:
        return {};
    }
}

double WidthWeight(int column) {
    switch (column) {
    case 0:
        return 0.4;
    case kRxFrequency:
    case kTxFrequency:
        return 1.2;
    default:
        return 1.0;
    }
}

QString ChannelNumberText(int row) {
    return QString::asprintf("%2d", row);
}

} // namespace ChannelColumns

const std::array<ChannelFlag, 6> kChannelFlags = {{
    {ChannelColumns::kBusy, 0, "是", "否"},
    {ChannelColumns::kPower, 4, "高", "低"},
    {ChannelColumns::kBandwidth, 3, "窄", "宽"},
    {ChannelColumns::kScrambler, 7, "是", "否"},
    {ChannelColumns::kCompander, 6, "是", "否"},
    {ChannelColumns::kEmphasis, 5, "是", "否"},
}};
