#include "channel_columns.h"

namespace ChannelColumns {

const QStringList& Headers() {
    static const QStringList headers = {
        QStringLiteral("信道"),     QStringLiteral("接收频率"), QStringLiteral("发射频率"),
        QStringLiteral("接收信令"), QStringLiteral("发射信令"), QStringLiteral("繁忙"),
        QStringLiteral("功率"),     QStringLiteral("扫描"),     QStringLiteral("带宽"),
        QStringLiteral("扰频"),     QStringLiteral("压扩"),     QStringLiteral("加重"),
    };
    return headers;
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
