#pragma once

#include <QString>
#include <QStringList>

// The list values the radio's tables are written with (是, 关, 高, 宽, 中文, ...) and the English
// a person reading English sees for them. Files, the CSV layout and the channel table keep the
// Chinese texts; what a person reads follows the run's language, and what a person types or
// pastes may be in either.
namespace ValueTexts {

// text as the run's language shows it: its English when the run speaks English and text is one
// of the values, text itself otherwise (frequencies, codes, numbers).
QString Shown(const QString& text);
QStringList Shown(const QStringList& texts);

// The entry of choices that text names, as the entry itself or by its English in any letter case
// ("yes", "OFF"); empty when it names none.
QString Stored(const QString& text, const QStringList& choices);

} // namespace ValueTexts
