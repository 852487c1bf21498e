#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QRect>

// Forms were drawn in dialog units: a quarter of the font's average character width across, an
// eighth of its height down. Converting with the form's own font keeps the proportions whatever
// font and screen the user has.
class FormUnits {
public:
    explicit FormUnits(const QFont& font) {
        const QFontMetrics metrics(font);
        const QString alphabet =
            QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
        m_baseX = (metrics.horizontalAdvance(alphabet) / 26 + 1) / 2;
        m_baseY = metrics.height();
    }
    int x(int units) const { return units * m_baseX / 4; }
    int y(int units) const { return units * m_baseY / 8; }
    QRect rect(int left, int top, int width, int height) const {
        return QRect(x(left), y(top), x(width), y(height));
    }

private:
    int m_baseX = 6;
    int m_baseY = 13;
};
