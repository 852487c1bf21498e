#pragma once

#include <QCoreApplication>
#include <QString>
#include <array>
#include <cstddef>

// A value kept under a stable code ("write", "current") and shown in words (写入, 最新) that
// are translated in context: the tables of the log's operations and results and the fleet's
// states, each indexed by its enum.
struct CodedName {
    const char* code;
    const char* text; // QT_TRANSLATE_NOOP'd in the table's context
};

template <typename Enum, std::size_t N>
QString CodeOf(const std::array<CodedName, N>& table, Enum value) {
    return QLatin1String(table.at(static_cast<std::size_t>(value)).code);
}

template <typename Enum, std::size_t N>
QString TextOf(const char* context, const std::array<CodedName, N>& table, Enum value) {
    return QCoreApplication::translate(context, table.at(static_cast<std::size_t>(value)).text);
}

template <typename Enum, std::size_t N>
bool FromCode(const std::array<CodedName, N>& table, const QString& code, Enum* value) {
    for (std::size_t i = 0; i < N; ++i) {
        if (code == QLatin1String(table[i].code)) {
            *value = static_cast<Enum>(i);
            return true;
        }
    }
    return false;
}

// A value as a user types it: its code or its words, in Chinese or the run's language.
template <typename Enum, std::size_t N>
bool FromWords(const char* context, const std::array<CodedName, N>& table, const QString& text,
               Enum* value) {
    for (std::size_t i = 0; i < N; ++i) {
        const Enum candidate = static_cast<Enum>(i);
        if (text.compare(QLatin1String(table[i].code), Qt::CaseInsensitive) == 0 ||
            text == QString::fromUtf8(table[i].text) ||
            text.compare(TextOf(context, table, candidate), Qt::CaseInsensitive) == 0) {
            *value = candidate;
            return true;
        }
    }
    return false;
}
