#pragma once

#include <QString>
#include <QStringList>

// Each run of the programs speaks one language: Simplified Chinese, the language the texts are
// written in, or English, which comes from the translation built into the program.
namespace UiLanguage {

enum class Language { Chinese, English };

// The first preference decides: Chinese for zh* and for the C/POSIX locale (or no preference at
// all), English for every other language.
Language Choose(const QStringList& uiLanguages);

// Chooses from the user's locale (LANGUAGE, LC_ALL, LC_MESSAGES, LANG) and installs the
// translators: the program's English texts, or Qt's own Chinese texts for its standard dialogs
// and messages. A program with texts of its own names their catalogues (built into it under
// :/i18n) in programCatalogues. Call once, after the application object exists.
Language Install(const QStringList& programCatalogues = {});

// The language of the run: what Install chose, Chinese before it ran. The list values a program
// shows (是, 关, 高, ...) follow it.
Language Current();
// Makes language the run's language without installing a translator, as a test of what is shown
// in either language needs.
void SetCurrent(Language language);

// A system error text (strerror, QFile::errorString) in the language of the run where the
// system's own text is in another one: the C library speaks English without generated locales.
// Texts it does not know are returned as they are.
QString SystemErrorText(const QString& systemText);

} // namespace UiLanguage
