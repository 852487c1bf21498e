#include "decimal_arithmetic.h"

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <locale.h>
#include <vector>

namespace {

// A decimal number as its significant digits (most significant first) times 10^exponent.
struct Decimal {
    bool negative = false;
    std::vector<int> digits;
    int exponent = 0;
};

// 15 significant digits, correctly rounded, as "%.14e" prints them.
Decimal ToDecimal15(double value) {
    char text[40];
    std::snprintf(text, sizeof text, "%.14e", value);
    Decimal d;
    const char* p = text;
    if (*p == '-') {
        d.negative = true;
        ++p;
    }
    for (; *p != 'e' && *p != '\0'; ++p) {
        if (*p >= '0' && *p <= '9') {
            d.digits.push_back(*p - '0');
        }
    }
    const int printedExponent = (*p == 'e') ? std::atoi(p + 1) : 0;
    d.exponent = printedExponent - 14; // the digits are d.ddd...(14 decimals)
    return d;
}

std::vector<int> MultiplyDigits(const std::vector<int>& a, const std::vector<int>& b) {
    std::vector<int> product(a.size() + b.size(), 0);
    for (std::size_t i = a.size(); i-- > 0;) {
        int carry = 0;
        for (std::size_t j = b.size(); j-- > 0;) {
            const int cell = product[i + j + 1] + a[i] * b[j] + carry;
            product[i + j + 1] = cell % 10;
            carry = cell / 10;
        }
        product[i] += carry;
    }
    return product;
}

// The C locale, so that number reading and writing never follow the user's decimal comma.
locale_t CLocale() {
    static locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return locale;
}

} // namespace

double DecimalMultiply(double a, double b) {
    if (!std::isfinite(a) || !std::isfinite(b)) {
        return a * b;
    }
    const Decimal x = ToDecimal15(a);
    const Decimal y = ToDecimal15(b);
    std::string text = (x.negative != y.negative) ? "-" : "";
    for (int digit : MultiplyDigits(x.digits, y.digits)) {
        text += static_cast<char>('0' + digit);
    }
    text += 'e' + std::to_string(x.exponent + y.exponent);
    // strtod rounds the exact decimal product to the nearest double.
    return strtod_l(text.c_str(), nullptr, CLocale());
}

double LeadingNumber(std::string_view text) {
    const std::string copy(text);
    return strtod_l(copy.c_str(), nullptr, CLocale());
}

std::string FormatMHz(double value) {
    char text[512];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 5);
    if (result.ec != std::errc()) {
        return "inf";
    }
    return std::string(text, result.ptr);
}

std::uint32_t TruncateToCount(double value) {
    if (!std::isfinite(value) || value >= 2147483648.0 || value <= -2147483649.0) {
        return 0xFFFFFFFFu;
    }
    return static_cast<std::uint32_t>(static_cast<std::int32_t>(value));
}
