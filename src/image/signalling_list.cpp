#include "signalling_list.h"

#include "value_texts.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::array<const char*, SignallingList::kToneCount> kTones = {
    "67.0",  "69.3",  "71.9",  "74.4",  "77.0",  "79.7",  "82.5",  "85.4",  "88.5",  "91.5",
    "94.8",  "97.4",  "100.0", "103.5", "107.2", "110.9", "114.8", "118.8", "123.0", "127.3",
    "131.8", "136.5", "141.3", "146.2", "151.4", "156.7", "159.8", "162.2", "165.5", "167.9",
    "171.3", "173.8", "177.3", "179.9", "183.5", "186.2", "189.9", "192.8", "196.6", "199.5",
    "203.5", "206.5", "210.7", "218.1", "225.7", "229.1", "233.6", "241.8", "250.3", "254.1",
};

constexpr std::array<const char*, SignallingList::kDcsCount> kDcsCodes = {
    "023", "025", "026", "031", "032", "036", "043", "047", "051", "053", "054", "065", "071",
    "072", "073", "074", "114", "115", "116", "122", "125", "131", "132", "134", "143", "145",
    "152", "155", "156", "162", "165", "172", "174", "205", "212", "223", "225", "226", "243",
    "244", "245", "246", "251", "252", "255", "261", "263", "265", "266", "271", "274", "306",
    "311", "315", "325", "331", "332", "343", "346", "351", "356", "364", "365", "371", "411",
    "412", "413", "423", "431", "432", "445", "446", "452", "454", "455", "462", "464", "465",
    "466", "503", "506", "516", "523", "526", "532", "546", "565", "606", "612", "624", "627",
    "631", "632", "654", "662", "664", "703", "712", "723", "731", "732", "734", "743", "754",
};

bool AllAsciiDigits(QStringView text) {
    return std::all_of(text.begin(), text.end(),
                       [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); });
}

QStringView WithoutLeadingZeros(QStringView digits) {
    while (!digits.isEmpty() && digits.front() == QLatin1Char('0')) {
        digits = digits.mid(1);
    }
    return digits;
}

// What a text stands for, spelling aside: "T1000" for the tone 100.0, "D23N" for the code
// D023N; empty when the text is neither a tone value nor a DCS code. Two texts with the same key
// name the same entry.
QString ValueKey(const QString& text) {
    if (text.size() > 2 && text.front().toUpper() == QLatin1Char('D')) {
        const QChar polarity = text.back().toUpper();
        const QStringView digits = QStringView(text).mid(1, text.size() - 2);
        if ((polarity != QLatin1Char('N') && polarity != QLatin1Char('I')) ||
            !AllAsciiDigits(digits)) {
            return {};
        }
        const QStringView number = WithoutLeadingZeros(digits);
        return number.size() > 3 ? QString() : QLatin1Char('D') + number.toString() + polarity;
    }
    const qsizetype point = text.indexOf(QLatin1Char('.'));
    const QStringView whole = QStringView(text).left(point < 0 ? text.size() : point);
    const QStringView fraction = point < 0 ? QStringView() : QStringView(text).mid(point + 1);
    if (whole.isEmpty() || !AllAsciiDigits(whole) || !AllAsciiDigits(fraction)) {
        return {};
    }
    // Tones have one decimal; "100.05" names none of them, "100.00" names 100.0.
    if (fraction.size() > 1 && !WithoutLeadingZeros(fraction.mid(1)).isEmpty()) {
        return {};
    }
    const QStringView hertz = WithoutLeadingZeros(whole);
    if (hertz.size() > 3) {
        return {};
    }
    const QChar tenths = fraction.isEmpty() ? QLatin1Char('0') : fraction.front();
    return QLatin1Char('T') + hertz.toString() + tenths;
}

} // namespace

void SignallingList::BuildSignallingList() {
    m_entries.clear();
    m_entries.reserve(kCount);
    m_entries << QStringLiteral("关");
    for (const char* tone : kTones) {
        m_entries << QString::fromLatin1(tone);
    }
    for (const char* polarity : {"N", "I"}) {
        for (const char* code : kDcsCodes) {
            m_entries << QStringLiteral("D") + QLatin1String(code) + QLatin1String(polarity);
        }
    }
    m_byValue.clear();
    for (int index = kFirstTone; index < int(m_entries.size()); ++index) {
        m_byValue.insert(ValueKey(m_entries.at(index)), index);
    }
}

QString SignallingList::entry(int index) const {
    if (index < 0 || index >= m_entries.size()) {
        return m_entries.at(kOff);
    }
    return m_entries.at(index);
}

int SignallingList::FindSignalIndex(const QString& text) const {
    const auto index = m_entries.indexOf(text);
    return index < 0 ? kOff : int(index);
}

std::optional<int> SignallingList::ResolveSignalText(const QString& text) const {
    const qsizetype exact = m_entries.indexOf(text);
    if (exact >= 0) {
        return int(exact);
    }
    if (!ValueTexts::Stored(text, {m_entries.at(kOff)}).isEmpty()) {
        return kOff;
    }
    const QString key = ValueKey(text);
    const auto found = m_byValue.constFind(key);
    if (key.isEmpty() || found == m_byValue.constEnd()) {
        return std::nullopt;
    }
    return found.value();
}

const SignallingList& TheSignallingList() {
    static const SignallingList list;
    return list;
}
