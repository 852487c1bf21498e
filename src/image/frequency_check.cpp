#include "frequency_check.h"

#include "band_limits.h"
#include "decimal_arithmetic.h"

namespace {
constexpr std::uint32_t kRaster5k = 500;
constexpr std::uint32_t kRaster6k25 = 625;
} // namespace

QString FrequencyCheck::message() const {
    switch (verdict) {
    case Verdict::OutOfRange:
        return QStringLiteral("超出范围");
    case Verdict::OffRaster:
        return QStringLiteral("请输入5k/6.25k的倍数");
    case Verdict::Accepted:
        break;
    }
    return {};
}

FrequencyCheck CheckFrequency(const QString& text, std::uint32_t low, std::uint32_t high) {
    const QByteArray utf8 = text.toUtf8();
    const double mhz = LeadingNumber(std::string_view(utf8.constData(), size_t(utf8.size())));
    FrequencyCheck check;
    check.display = QString::fromStdString(FormatMHz(mhz));
    check.count = TruncateToCount(DecimalMultiply(mhz, 100000.0));
    if (check.count < low || check.count > high) {
        check.verdict = FrequencyCheck::Verdict::OutOfRange;
    } else if (check.count % kRaster5k != 0 && check.count % kRaster6k25 != 0) {
        check.verdict = FrequencyCheck::Verdict::OffRaster;
    } else {
        check.verdict = FrequencyCheck::Verdict::Accepted;
    }
    return check;
}

FrequencyCheck CheckFrequency(const QString& text) {
    return CheckFrequency(text, g_bandLow, g_bandHigh);
}
