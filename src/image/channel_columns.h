#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <iterator>

// The channel table's columns, each described once: what it holds, its header, where it is kept
// and how it is edited and shown. The codec, the CSV files, the diff, the printout, the grid and
// its editors all iterate these descriptors, so a new column is one line here.
namespace ChannelColumns {

// What a column holds; it also chooses the column's cell editor.
enum class Kind {
    Number,     // the channel number (column 0, never edited)
    Frequency,  // MHz, checked against the band and the raster
    Signalling, // an entry of the signalling list
    Choice,     // one of two texts ("是"/"否", "高"/"低", …)
    Text,       // free text
};

struct Column {
    Kind kind;
    const char* header;     // UTF-8; the file's and the radio table's own name
    bool inImage;           // the radio's memory holds it; otherwise only the document and CSV
    bool inGenericCsv;      // the generic CSV layout of other programs has it
    const char* choices[2]; // a Choice column's texts, in editor order
    const char* newDefault; // what a new channel gets; null for none
    double widthWeight;     // a share of the table's width, kept by the grid and the printout
};

// Column 0 holds the channel number. The headers are marked for translation (context
// "ChannelColumns"): a window in another language shows them but never reads them back.
// One column a line, its fields aligned.
// clang-format off
inline constexpr Column kColumns[] = {
    // kind            header                                          image generic choices      new      width
    {Kind::Number,     QT_TRANSLATE_NOOP("ChannelColumns", "信道"),     true, true,  {},           nullptr, 0.4},
    // A new channel's transmit frequency copies its receive frequency.
    {Kind::Frequency,  QT_TRANSLATE_NOOP("ChannelColumns", "接收频率"), true, true,  {},           nullptr, 1.2},
    {Kind::Frequency,  QT_TRANSLATE_NOOP("ChannelColumns", "发射频率"), true, true,  {},           nullptr, 1.2},
    {Kind::Signalling, QT_TRANSLATE_NOOP("ChannelColumns", "接收信令"), true, true,  {},           "关",    1.0},
    {Kind::Signalling, QT_TRANSLATE_NOOP("ChannelColumns", "发射信令"), true, true,  {},           "关",    1.0},
    {Kind::Choice,     QT_TRANSLATE_NOOP("ChannelColumns", "繁忙"),     true, false, {"是", "否"}, "否",    1.0},
    {Kind::Choice,     QT_TRANSLATE_NOOP("ChannelColumns", "功率"),     true, true,  {"高", "低"}, "高",    1.0},
    {Kind::Choice,     QT_TRANSLATE_NOOP("ChannelColumns", "扫描"),     true, true,  {"是", "否"}, "是",    1.0},
    {Kind::Choice,     QT_TRANSLATE_NOOP("ChannelColumns", "带宽"),     true, true,  {"宽", "窄"}, "宽",    1.0},
    {Kind::Choice,     QT_TRANSLATE_NOOP("ChannelColumns", "扰频"),     true, false, {"是", "否"}, "否",    1.0},
    {Kind::Choice,     QT_TRANSLATE_NOOP("ChannelColumns", "压扩"),     true, false, {"是", "否"}, "否",    1.0},
    {Kind::Choice,     QT_TRANSLATE_NOOP("ChannelColumns", "加重"),     true, false, {"是", "否"}, "是",    1.0},
};
// clang-format on

constexpr int kCount = int(std::size(kColumns));
constexpr int kRxFrequency = 1;
constexpr int kTxFrequency = 2;
constexpr int kRxSignal = 3;
constexpr int kTxSignal = 4;
constexpr int kBusy = 5;
constexpr int kPower = 6;
constexpr int kScan = 7;
constexpr int kBandwidth = 8;
constexpr int kScrambler = 9;
constexpr int kCompander = 10;
constexpr int kEmphasis = 11;

// Scrambler, compander and emphasis exclude one another when edited.
constexpr std::array<int, 3> kExclusive = {kScrambler, kCompander, kEmphasis};

inline const QString kYes = QStringLiteral("是");
inline const QString kNo = QStringLiteral("否");

// The descriptor of a column, 0 to kCount - 1.
constexpr const Column& Describe(int column) {
    return kColumns[column];
}
constexpr bool InImage(int column) {
    return kColumns[column].inImage;
}

// "信道", "接收频率", …, column 0 first.
const QStringList& Headers();
// The headers of the columns filter accepts, in column order.
QStringList Headers(bool (*filter)(int column));
// A column's name as a person reads it in the run's language; files keep Headers().
QString ShownHeader(int column);
// The two texts of a Choice column, in editor order; empty for other columns.
const QStringList& Choices(int column);
// What a new channel's cell holds; empty where the column has no fixed default.
QString NewChannelDefault(int column);
double WidthWeight(int column);
// " 1" … "16".
QString ChannelNumberText(int row);

} // namespace ChannelColumns

// A bit of the channel flags byte and the texts that set and clear it.
struct ChannelFlag {
    int column;
    int bit;
    const char* setText;
    const char* clearText;
};

extern const std::array<ChannelFlag, 6> kChannelFlags;
