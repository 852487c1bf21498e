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

// A cell of channel table column 1-11 from a file, as the table stores it: a frequency that
// passes CheckFileFrequency(), a signalling text that names an entry of the list (the cell gets
// the list's own text), an option that is one of its column's choices in either language (the
// cell gets the Chinese). text is not empty. reason is empty when the text is taken.
QString CellText(int column, const QString& text, std::uint32_t low, std::uint32_t high,
                 QString& reason);

} // namespace CsvValues
