#include "access_key.h"

QString WithAccessKey(const QString& text, QChar key) {
    int at = -1;
    for (int i = 0; i < text.size(); ++i) {
        if (text.at(i).toUpper() != key.toUpper()) {
            continue;
        }
        if (i == 0 || !text.at(i - 1).isLetter()) {
            at = i;
            break;
        }
        if (at < 0) {
            at = i;
        }
    }
    // A Chinese text keeps its characters apart from a key its words do not contain.
    bool latin = true;
    for (const QChar ch : text) {
        latin = latin && (ch.unicode() < 0x2E80);
    }
    if (at < 0 || !latin) {
        return QStringLiteral("%1(&%2)").arg(text, key.toUpper());
    }
    return QString(text).insert(at, QLatin1Char('&'));
}
