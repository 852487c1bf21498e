#include "toolbar_icons.h"

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

} // namespace

QIcon Make(Image image) {
    EnsureImages();
    // QIcon picks up the @2x file beside it for high-density screens.
    return QIcon(QStringLiteral(":/toolbar/%1.png").arg(QLatin1String(FileName(image))));
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
