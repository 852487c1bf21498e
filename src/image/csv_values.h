#pragma once

#include "frequency_check.h"

#include <QString>
#include <cstdint>

// How the CSV layouts read a value and say what is wrong with it, so that a file in either
// layout is told the same things in the same words.
namespace CsvValues {

// A value from the file as a message shows it: in quotes, cut to 40 characters, and with control
// characters (a NUL, a tab, a lone CR) spelled out so the terminal shows them.
QString Quoted(const QString& value);

// "\"value\"：problem"
QString ValueProblem(const QString& value, const QString& problem);

// The frequency check of a value from a file. A text with more decimals than the 10 Hz step
// holds is refused rather than cut, so that what the cell receives is what the file says.
// reason is empty when the frequency is accepted.
FrequencyCheck CheckFileFrequency(const QString& text, std::uint32_t low, std::uint32_t high,
                                  QString& reason);

} // namespace CsvValues
