#include "settings_codec.h"

#include "image_map.h"

#include <QCoreApplication>

namespace {

constexpr int kBeepBit = 0;
constexpr int kVoxBit = 2;
constexpr int kEnglishBit = 3;
constexpr int kChineseBit = 4;
constexpr std::uint8_t kLanguageMask = 0x18;
constexpr std::uint8_t kPriorityMask = 0x1F;
constexpr int kTimeOutStep = 30;
constexpr int kBatterySaverStep = 5;

QStringList Numbers(int first, int last) {
    QStringList list;
    for (int i = first; i <= last; ++i) {
        list << QString::number(i);
    }
    return list;
}

QStringList TimeOutEntries() {
    QStringList list = {QStringLiteral("关闭")};
    for (int seconds = 30; seconds <= 180; seconds += kTimeOutStep) {
        list << QString::number(seconds);
    }
    return list;
}

QStringList VoxDelayEntries() {
    QStringList list;
    for (int k = 1; k <= 5; ++k) {
        list << QString::asprintf("%0.1fs", 0.2 * k);
    }
    return list;
}

QStringList PriorityEntries() {
    return QStringList{QStringLiteral("无")} + Numbers(1, 16);
}

// A position read from a stored value, or kNoSelection when the list has no such entry.
int Checked(OptionList list, int position) {
    const int count = int(OptionListFor(list).entries.size());
    return position >= 0 && position < count ? position : kNoSelection;
}

void StoreScaled(MemoryImage& image, int address, int position, int scale, int offset) {
    if (position != kNoSelection) {
        image.WriteByte(address, static_cast<std::uint8_t>(position * scale + offset));
    }
}

const QStringList kCompanderLevels = {"3", "6", "12", "24", "49", "97", "194", "388"};
const QStringList kStyles = {"Style0", "Style1"};

// Factory values per field, in the order of TuningModes(): none, emphasis, compander, scrambler.
struct TuningDefault {
    int offset;
    std::array<std::uint8_t, 4> values;
};
constexpr std::array<TuningDefault, 16> kTuningDefaults = {{
    {0, {1, 1, 1, 0}},
    {1, {3, 4, 3, 4}},
    {2, {200, 220, 0, 120}},
    {3, {7, 2, 5, 2}},
    {4, {1, 1, 1, 1}},
    {8, {3, 1, 1, 1}},
    {9, {3, 3, 3, 3}},
    {10, {0, 70, 40, 130}},
    {11, {5, 6, 6, 6}},
    {12, {0, 0, 0, 0}},
    {14, {114, 114, 114, 114}},
    {15, {57, 70, 68, 62}},
    {16, {40, 40, 40, 40}},
    {17, {20, 20, 20, 20}},
    {18, {51, 51, 51, 51}},
    {19, {25, 35, 30, 35}},
}};

} // namespace

const std::array<OptionListInfo, 7>& OptionLists() {
    static const std::array<OptionListInfo, 7> lists = {{
        {OptionList::Squelch, QT_TRANSLATE_NOOP("SettingsCodec", "静噪电平"), Numbers(0, 9)},
        {OptionList::TimeOut, QT_TRANSLATE_NOOP("SettingsCodec", "超时定时器"), TimeOutEntries()},
        {OptionList::VoxGain, QT_TRANSLATE_NOOP("SettingsCodec", "声控增益电平"), Numbers(0, 5)},
        {OptionList::BatterySaver,
         QT_TRANSLATE_NOOP("SettingsCodec", "电池省电"),
         {QStringLiteral("关"), "5s", "10s", "15s", "20s", "25s", "30s"}},
        {OptionList::Priority, QT_TRANSLATE_NOOP("SettingsCodec", "优先信道"), PriorityEntries()},
        {OptionList::Language,
         QT_TRANSLATE_NOOP("SettingsCodec", "语言选择"),
         {QStringLiteral("关闭"), QStringLiteral("英文"), QStringLiteral("中文")}},
        {OptionList::VoxDelay, QT_TRANSLATE_NOOP("SettingsCodec", "声控延迟时间"),
         VoxDelayEntries()},
    }};
    return lists;
}

const OptionListInfo& OptionListFor(OptionList list) {
    for (const OptionListInfo& info : OptionLists()) {
        if (info.list == list) {
            return info;
        }
    }
    return OptionLists().front();
}

int RadioOptions::position(OptionList list) const {
    switch (list) {
    case OptionList::Squelch:
        return squelch;
    case OptionList::TimeOut:
        return timeOut;
    case OptionList::VoxGain:
        return voxGain;
    case OptionList::VoxDelay:
        return voxDelay;
    case OptionList::BatterySaver:
        return batterySaver;
    case OptionList::Priority:
        return priority;
    case OptionList::Language:
        return language;
    }
    return kNoSelection;
}

void RadioOptions::setPosition(OptionList list, int position) {
    switch (list) {
    case OptionList::Squelch:
        squelch = position;
        break;
    case OptionList::TimeOut:
        timeOut = position;
        break;
    case OptionList::VoxGain:
        voxGain = position;
        break;
    case OptionList::VoxDelay:
        voxDelay = position;
        break;
    case OptionList::BatterySaver:
        batterySaver = position;
        break;
    case OptionList::Priority:
        priority = position;
        break;
    case OptionList::Language:
        language = position;
        break;
    }
}

RadioOptions ReadOptions(const MemoryImage& image) {
    RadioOptions o;
    o.squelch = Checked(OptionList::Squelch, image.ReadByte(ImageMap::kSquelchLevel));
    o.timeOut =
        Checked(OptionList::TimeOut, image.ReadByte(ImageMap::kTimeOutTimer) / kTimeOutStep);
    o.voxGain = Checked(OptionList::VoxGain, image.ReadByte(ImageMap::kVoxGain));
    o.voxDelay = Checked(OptionList::VoxDelay, image.ReadByte(ImageMap::kVoxDelay) - 1);
    o.batterySaver = Checked(OptionList::BatterySaver,
                             image.ReadByte(ImageMap::kBatterySaver) / kBatterySaverStep);
    o.priority =
        Checked(OptionList::Priority, image.ReadByte(ImageMap::kPriorityChannel) & kPriorityMask);
    const std::uint8_t language = image.ReadByte(ImageMap::kOptionBits) & kLanguageMask;
    o.language = language == (1 << kChineseBit) ? 2 : language == (1 << kEnglishBit) ? 1 : 0;
    o.beep = image.TestBit(ImageMap::kOptionBits, kBeepBit) == (1 << kBeepBit);
    o.vox = image.TestBit(ImageMap::kOptionBits, kVoxBit) == (1 << kVoxBit);
    return o;
}

void StoreOptions(MemoryImage& image, const RadioOptions& o) {
    const int bits = ImageMap::kOptionBits;
    o.beep ? image.SetBit(bits, kBeepBit) : image.ClearBit(bits, kBeepBit);
    o.vox ? image.SetBit(bits, kVoxBit) : image.ClearBit(bits, kVoxBit);
    if (o.language != kNoSelection) {
        image.ClearBit(bits, kEnglishBit);
        image.ClearBit(bits, kChineseBit);
        if (o.language == 1) {
            image.SetBit(bits, kEnglishBit);
        } else if (o.language == 2) {
            image.SetBit(bits, kChineseBit);
        }
    }
    StoreScaled(image, ImageMap::kSquelchLevel, o.squelch, 1, 0);
    StoreScaled(image, ImageMap::kTimeOutTimer, o.timeOut, kTimeOutStep, 0);
    StoreScaled(image, ImageMap::kVoxGain, o.voxGain, 1, 0);
    StoreScaled(image, ImageMap::kVoxDelay, o.voxDelay, 1, 1);
    StoreScaled(image, ImageMap::kBatterySaver, o.batterySaver, kBatterySaverStep, 0);
    if (o.priority != kNoSelection) {
        const std::uint8_t kept = image.ReadByte(ImageMap::kPriorityChannel) & ~kPriorityMask;
        image.WriteByte(ImageMap::kPriorityChannel,
                        static_cast<std::uint8_t>(kept | (o.priority & kPriorityMask)));
    }
}

const std::array<TuningMode, 4>& TuningModes() {
    static const std::array<TuningMode, 4> modes = {{
        {"无", ImageMap::kTuningNone},
        {"加重", ImageMap::kTuningEmphasis},
        {"压扩", ImageMap::kTuningCompander},
        {"扰频", ImageMap::kTuningScrambler},
    }};
    return modes;
}

const std::array<TuningField, 16>& TuningFields() {
    static const std::array<TuningField, 16> fields = {{
        {0, QT_TRANSLATE_NOOP("SettingsCodec", "AF输入增益 (dB)"), {"0", "+6", "+12"}, 1090},
        {1,
         QT_TRANSLATE_NOOP("SettingsCodec", "AF 输出增益粗调 (dB)"),
         {"-30", "-24", "-18", "-12", "-6", "0", "+6", "+12"},
         1091},
        {2, QT_TRANSLATE_NOOP("SettingsCodec", "AF 输出增益微调"), {}, 1098},
        {3, QT_TRANSLATE_NOOP("SettingsCodec", "接收压扩幅度 (mVpp)"), kCompanderLevels, 1092},
        {4, QT_TRANSLATE_NOOP("SettingsCodec", "去加重"), kStyles, 1093},
        {8,
         QT_TRANSLATE_NOOP("SettingsCodec", "MIC 输入增益 (dB)"),
         {"0", "+6", "+12", "+18"},
         1094},
        {9,
         QT_TRANSLATE_NOOP("SettingsCodec", "发射话音输出增益粗调  (dB)"),
         {"-12", "-6", "0", "+6", "+12", "+18", "+24", "+30"},
         1095},
        {10, QT_TRANSLATE_NOOP("SettingsCodec", "发射话音输出增益微调"), {}, 1099},
        {11, QT_TRANSLATE_NOOP("SettingsCodec", "发射压扩幅度 (mVpp)"), kCompanderLevels, 1096},
        {12, QT_TRANSLATE_NOOP("SettingsCodec", "预加重"), kStyles, 1097},
        {14, QT_TRANSLATE_NOOP("SettingsCodec", "宽带话音调制度控制"), {}, 1104},
        {15, QT_TRANSLATE_NOOP("SettingsCodec", "窄带话音调制度控制"), {}, 1105},
        {16, QT_TRANSLATE_NOOP("SettingsCodec", "宽带CTCSS调制度"), {}, 1100},
        {17, QT_TRANSLATE_NOOP("SettingsCodec", "窄带CTCSS调制度"), {}, 1101},
        {18, QT_TRANSLATE_NOOP("SettingsCodec", "宽带DCS调制度"), {}, 1102},
        {19, QT_TRANSLATE_NOOP("SettingsCodec", "窄带DCS调制度"), {}, 1103},
    }};
    return fields;
}

int ReadTuningValue(const MemoryImage& image, int blockAddress, const TuningField& field) {
    const int value = image.ReadByte(blockAddress + field.offset);
    if (field.isList()) {
        return value < field.entries.size() ? value : 0;
    }
    return value;
}

void StoreTuningValue(MemoryImage& image, int blockAddress, const TuningField& field, int value) {
    if (field.isList() && (value < 0 || value >= field.entries.size())) {
        value = 0;
    }
    image.WriteByte(blockAddress + field.offset, static_cast<std::uint8_t>(value & 0xFF));
}

void SetTuningDefaults(MemoryImage& image, int blockAddress) {
    std::size_t mode = 0;
    while (mode < TuningModes().size() && TuningModes()[mode].address != blockAddress) {
        ++mode;
    }
    if (mode == TuningModes().size()) {
        return;
    }
    for (const TuningDefault& d : kTuningDefaults) {
        image.WriteByte(blockAddress + d.offset, d.values[mode]);
    }
}
