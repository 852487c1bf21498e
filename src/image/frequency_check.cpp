#include "frequency_check.h"

#include "band_limits.h"
#include "decimal_arithmetic.h"

#include <QCoreApplication>

namespace {
constexpr std::uint32_t kRaster5k = 500;
constexpr std::uint32_t kRaster6k25 = 625;
} // namespace

QString FrequencyCheck::message() const {
    switch (verdict) {
    case Verdict::OutOfRange:
        return QCoreApplication::translate("FrequencyCheck", "超出范围");
    case Verdict::OffRaster:
        return QCoreApplication::translate("FrequencyCheck", "请输入5k/6.25k的倍数");
    case Verdict::NotANumber:
        return QCoreApplication::translate("FrequencyCheck", "请输入数字");
    case Verdict::Accepted:
        break;
    }
    return {};
}

bool IsPlainDecimal(const QString& text) {
    const QString trimmed = text.trimmed();
    int digits = 0;
    int points = 0;
    for (const QChar c : trimmed) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            ++digits;
        } else if (c == QLatin1Char('.')) {
            ++points;
        } else {
            return false;
        }
    }
    return digits > 0 && points <= 1;
}

FrequencyCheck CheckFrequency(const QString& text, const BandLimits& limits) {
    return CheckFrequency(text, limits.low, limits.high);
}

FrequencyCheck CheckFrequency(const QString& text, std::uint32_t low, std::uint32_t high) {
    FrequencyCheck check;
    if (!IsPlainDecimal(text)) {
        return check;
    }
    const QByteArray utf8 = text.trimmed().toUtf8();
    const int point = utf8.indexOf('.');
    if (point >= 0) {
        int last = int(utf8.size()) - 1;
        while (last > point && utf8[last] == '0') {
            --last;
        }
        check.decimals = last - point;
    }
    const double mhz = LeadingNumber(std::string_view(utf8.constData(), size_t(utf8.size())));
    check.count = TruncateToCount(DecimalMultiply(mhz, 100000.0));
    check.display = check.count == 0xFFFFFFFFu
                        ? QString::fromStdString(FormatMHz(mhz))
                        : QString::fromStdString(FormatMHz(DecimalMultiply(check.count, 0.00001)));
    if (check.count < low || check.count > high) {
        check.verdict = FrequencyCheck::Verdict::OutOfRange;
    } else if (check.count % kRaster5k != 0 && check.count % kRaster6k25 != 0) {
        check.verdict = FrequencyCheck::Verdict::OffRaster;
    } else {
        check.verdict = FrequencyCheck::Verdict::Accepted;
    }
    return check;
}
