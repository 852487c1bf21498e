#pragma once

#include <QString>

// A label's text with an access key for Alt: on the first word starting with the key's letter,
// else on its first occurrence ("&Squelch level"), or, for a text without the letter (a Chinese
// one), after it in brackets ("静噪电平(&Q)"), as menus and dialogs here write it. For labels
// whose text comes from data shared with the command line, which keeps it without a key.
QString WithAccessKey(const QString& text, QChar key);
