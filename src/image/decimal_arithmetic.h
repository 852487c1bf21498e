#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Product of a and b as if both were decimal numbers: each operand is rounded to 15 significant
// digits, the two are multiplied exactly, and the product is rounded to the nearest double.
// 145.125 * 100000 gives exactly 14512500 and 13600625 * 0.00001 gives exactly 136.00625.
// Infinite or NaN operands give a non-finite result.
double DecimalMultiply(double a, double b);

// The number at the start of text as the C library's atof reads it in the "C" locale: leading
// white space skipped, the longest valid prefix, 0 when there is none. The user's locale never
// changes the decimal point.
double LeadingNumber(std::string_view text);

// "%3.5f" of value, independent of the locale: 145.12500.
std::string FormatMHz(double value);

// A count of 10 Hz steps truncated toward zero to 32 bits and taken as unsigned, so a negative
// value lies above every band limit. Values that a 32-bit integer cannot hold (huge, infinite,
// NaN) give 0xFFFFFFFF, which is above every band limit too.
std::uint32_t TruncateToCount(double value);
