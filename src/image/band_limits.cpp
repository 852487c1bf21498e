#include "band_limits.h"

#include "channel_table.h"
#include "decimal_arithmetic.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdlib>

namespace {

// One "%d" conversion: white space skipped, an optionally signed decimal integer. Digits beyond
// the range of int clamp instead of overflowing, which sscanf would leave undefined.
bool ReadInteger(const char*& p, int& value) {
    while (std::isspace(static_cast<unsigned char>(*p))) {
        ++p;
    }
    char* end = nullptr;
    const long long number = std::strtoll(p, &end, 10);
    if (end == p) {
        return false;
    }
    p = end;
    value = static_cast<int>(std::clamp<long long>(number, INT_MIN, INT_MAX));
    return true;
}

} // namespace

BandLimits BandLimitsFromText(const QString& bandText) {
    int low = 0;
    int high = 0;
    const QByteArray text = bandText.toUtf8();
    const char* p = text.constData();
    // "%d - %dMHz": the blanks around the dash match any white space, none included.
    if (ReadInteger(p, low)) {
        while (std::isspace(static_cast<unsigned char>(*p))) {
            ++p;
        }
        if (*p == '-') {
            ++p;
            ReadInteger(p, high);
        }
    }
    BandLimits limits;
    limits.low = TruncateToCount(DecimalMultiply(low, 100000.0));
    limits.high = TruncateToCount(DecimalMultiply(high, 100000.0));
    return limits;
}

BandLimits SelectedBandLimits(const ChannelTable& table) {
    using Selector = ChannelTable::Selector;
    const int index = table.selected(Selector::Band);
    return BandLimitsFromText(table.entryText(Selector::Band, index < 0 ? 0 : index));
}
