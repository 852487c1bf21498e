#include "channel_columns.h"

#include <QCoreApplication>

namespace ChannelColumns {

const QStringList& Headers() {
    static const QStringList headers = Headers([](int) { return true; });
    return headers;
}

QStringList Headers(bool (*filter)(int column)) {
    QStringList headers;
    for (int column = 0; column < kCount; ++column) {
        if (filter(column)) {
            headers.append(QString::fromUtf8(kColumns[column].header));
        }
    }
    return headers;
}

QString ShownHeader(int column) {
    return QCoreApplication::translate("ChannelColumns", kColumns[column].header);
}

const QStringList& Choices(int column) {
    static const auto lists = [] {
        std::array<QStringList, kCount> choices;
        for (int c = 0; c < kCount; ++c) {
            if (kColumns[c].kind == Kind::Choice) {
                choices[size_t(c)] = {QString::fromUtf8(kColumns[c].choices[0]),
                                      QString::fromUtf8(kColumns[c].choices[1])};
            }
        }
        return choices;
    }();
    static const QStringList none;
    return column >= 0 && column < kCount ? lists[size_t(column)] : none;
}

QString NewChannelDefault(int column) {
    const char* text = column >= 0 && column < kCount ? kColumns[column].newDefault : nullptr;
    return text ? QString::fromUtf8(text) : QString();
}

double WidthWeight(int column) {
    return kColumns[column].widthWeight;
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
