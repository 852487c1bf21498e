#include "toolbar_icons.h"

#include "desktop_color_scheme.h"

#include <QFile>
#include <QGuiApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPalette>

// The images live in a static library, whose resource registration the linker would otherwise
// drop as unreferenced.
static void InitImages() {
    Q_INIT_RESOURCE(images);
}

namespace ToolbarIcons {

namespace {

const char* FileName(Image image) {
    switch (image) {
    case Image::New:
        return "new";
    case Image::Open:
        return "open";
    case Image::Save:
        return "save";
    case Image::Read:
        return "read";
    case Image::Write:
        return "write";
    case Image::Print:
        return "print";
    case Image::About:
        return "about";
    }
    return "";
}

void EnsureImages() {
    static const bool loaded = (InitImages(), true);
    Q_UNUSED(loaded);
}

// A picture drawn in dark outlines has a light-outlined twin for dark palettes; which one shows
// is decided each time it is drawn, so a change of appearance needs no new icons.
class PaletteIconEngine : public QIconEngine {
public:
    PaletteIconEngine(const QIcon& light, const QIcon& dark) : m_light(light), m_dark(dark) {}

    QIconEngine* clone() const override { return new PaletteIconEngine(m_light, m_dark); }
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        current().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return current().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        return current().pixmap(size, scale, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return current().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return current().availableSizes(mode, state);
    }

private:
    const QIcon& current() const {
        return DesktopColorScheme::IsDark(QGuiApplication::palette()) ? m_dark : m_light;
    }

    QIcon m_light;
    QIcon m_dark;
};

} // namespace

QIcon Make(Image image) {
    EnsureImages();
    // QIcon picks up the @2x file beside it for high-density screens.
    const QLatin1String name(FileName(image));
    const QIcon light(QStringLiteral(":/toolbar/%1.png").arg(name));
    const QString dark = QStringLiteral(":/toolbar/dark/%1.png").arg(name);
    if (!QFile::exists(dark)) {
        return light;
    }
    return QIcon(new PaletteIconEngine(light, QIcon(dark)));
}

QIcon ApplicationIcon() {
    EnsureImages();
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        icon.addFile(QStringLiteral(":/icon/%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

} // namespace ToolbarIcons
