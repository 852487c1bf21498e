#include "toolbar_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace ToolbarIcons {

namespace {

const QColor kInk(40, 40, 40);
const QColor kPaper(255, 255, 255);
const QColor kFolder(230, 190, 70);
const QColor kDisk(50, 90, 170);
const QColor kRadio(60, 60, 70);
const QColor kArrowIn(30, 150, 60);
const QColor kArrowOut(200, 60, 40);

void DrawPage(QPainter& p) {
    QPainterPath page;
    page.moveTo(3.5, 1.5);
    page.lineTo(11.5, 1.5);
    page.lineTo(14.5, 4.5);
    page.lineTo(14.5, 16.5);
    page.lineTo(3.5, 16.5);
    page.closeSubpath();
    p.setPen(QPen(kInk, 1));
    p.setBrush(kPaper);
    p.drawPath(page);
    p.drawLine(QPointF(11.5, 1.5), QPointF(11.5, 4.5));
    p.drawLine(QPointF(11.5, 4.5), QPointF(14.5, 4.5));
}

void DrawOpen(QPainter& p) {
    p.setPen(QPen(kInk, 1));
    p.setBrush(kFolder.darker(115));
    p.drawRect(QRectF(1.5, 4.5, 13, 11));
    p.drawRect(QRectF(1.5, 3.5, 5, 2));
    QPolygonF flap({{4.5, 8.5}, {17.0, 8.5}, {14.5, 15.5}, {1.5, 15.5}});
    p.setBrush(kFolder);
    p.drawPolygon(flap);
}

void DrawSave(QPainter& p) {
    p.setPen(QPen(kInk, 1));
    p.setBrush(kDisk);
    p.drawRect(QRectF(1.5, 1.5, 15, 15));
    p.setBrush(kPaper);
    p.drawRect(QRectF(4.5, 1.5, 9, 6));
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(QRectF(4.5, 10.5, 9, 6));
    p.fillRect(QRectF(10, 2.5, 2, 4), kInk);
}

void DrawHandset(QPainter& p, const QRectF& body) {
    p.setPen(QPen(kInk, 1));
    p.setBrush(kRadio);
    p.drawRoundedRect(body, 1.5, 1.5);
    p.fillRect(QRectF(body.left() + 1.5, body.top() - 4, 1.5, 4), kRadio);
    p.fillRect(QRectF(body.left() + 1.5, body.top() + 2, body.width() - 3, 3),
               QColor(150, 200, 150));
}

void DrawArrow(QPainter& p, bool down, const QColor& color) {
    QPolygonF arrow =
        down ? QPolygonF({{11, 2}, {15, 2}, {15, 9}, {17.5, 9}, {13, 14}, {8.5, 9}, {11, 9}})
             : QPolygonF({{11, 14}, {15, 14}, {15, 7}, {17.5, 7}, {13, 2}, {8.5, 7}, {11, 7}});
    p.setPen(QPen(color.darker(140), 0.8));
    p.setBrush(color);
    p.drawPolygon(arrow);
}

void DrawPrint(QPainter& p) {
    p.setPen(QPen(kInk, 1));
    p.setBrush(kPaper);
    p.drawRect(QRectF(4.5, 1.5, 9, 6));
    p.setBrush(QColor(170, 170, 170));
    p.drawRect(QRectF(1.5, 7.5, 15, 6));
    p.setBrush(kPaper);
    p.drawRect(QRectF(4.5, 11.5, 9, 5));
    p.fillRect(QRectF(13, 9, 2, 1.5), kArrowIn);
}

void DrawAbout(QPainter& p) {
    p.setPen(QPen(kDisk.darker(130), 1));
    p.setBrush(QColor(90, 140, 220));
    p.drawEllipse(QRectF(1.5, 1.5, 15, 15));
    QFont font = p.font();
    font.setPixelSize(12);
    font.setBold(true);
    p.setFont(font);
    p.setPen(kPaper);
    p.drawText(QRectF(1.5, 1.5, 15, 15), Qt::AlignCenter, QStringLiteral("?"));
}

QPixmap Draw(Image image) {
    QPixmap pixmap(kImageSize, kImageSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    switch (image) {
    case Image::New:
        DrawPage(p);
        break;
    case Image::Open:
        DrawOpen(p);
        break;
    case Image::Save:
        DrawSave(p);
        break;
    case Image::Read:
        DrawHandset(p, QRectF(1.5, 5.5, 7, 11));
        DrawArrow(p, true, kArrowIn);
        break;
    case Image::Write:
        DrawHandset(p, QRectF(1.5, 5.5, 7, 11));
        DrawArrow(p, false, kArrowOut);
        break;
    case Image::Print:
        DrawPrint(p);
        break;
    case Image::About:
        DrawAbout(p);
        break;
    }
    return pixmap;
}

} // namespace

QIcon Make(Image image) {
    return QIcon(Draw(image));
}

QIcon ApplicationIcon() {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(kRadio);
    p.drawRect(QRectF(9, 1, 3, 9)); // antenna
    p.drawRoundedRect(QRectF(7, 9, 18, 22), 3, 3);
    p.setBrush(QColor(150, 210, 160));
    p.drawRect(QRectF(10, 12, 12, 7)); // display
    p.setBrush(QColor(200, 200, 200));
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            p.drawRect(QRectF(10.5 + col * 4, 21.5 + row * 3, 2.5, 1.8));
        }
    }
    p.setPen(QPen(kArrowOut, 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(20, 0, 10, 10), 0, 90 * 16);
    p.drawArc(QRectF(22.5, 2.5, 5, 5), 0, 90 * 16);
    return QIcon(pixmap);
}

} // namespace ToolbarIcons
