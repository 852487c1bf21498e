#include "value_texts.h"

#include "ui_language.h"

#include <array>

namespace ValueTexts {

namespace {

struct ValueText {
    const char* chinese;
    const char* english;
};

// Every list value with a Chinese text, in the channel table, the radio options and the tuning
// sets; numbers, tones, codes and the tuning styles read the same in both languages.
constexpr std::array<ValueText, 14> kValues = {{
    {"是", "Yes"},
    {"否", "No"},
    {"高", "High"},
    {"低", "Low"},
    {"宽", "Wide"},
    {"窄", "Narrow"},
    {"关", "Off"},
    {"关闭", "Off"},
    {"无", "None"},
    {"英文", "English"},
    {"中文", "Chinese"},
    {"加重", "Emphasis"},
    {"压扩", "Compander"},
    {"扰频", "Scrambler"},
}};

const ValueText* Find(const QString& chinese) {
    for (const ValueText& value : kValues) {
        if (chinese == QString::fromUtf8(value.chinese)) {
            return &value;
        }
    }
    return nullptr;
}

} // namespace

QString Shown(const QString& text) {
    if (UiLanguage::Current() != UiLanguage::Language::English) {
        return text;
    }
    const ValueText* value = Find(text);
    return value ? QString::fromLatin1(value->english) : text;
}

QStringList Shown(const QStringList& texts) {
    QStringList shown;
    shown.reserve(texts.size());
    for (const QString& text : texts) {
        shown << Shown(text);
    }
    return shown;
}

QString Stored(const QString& text, const QStringList& choices) {
    for (const QString& choice : choices) {
        const ValueText* value = Find(choice);
        if (text == choice ||
            (value && text.compare(QLatin1String(value->english), Qt::CaseInsensitive) == 0)) {
            return choice;
        }
    }
    return {};
}

} // namespace ValueTexts
