#pragma once

#include <QIcon>

// The window's pictures, from the image files built into the program.
namespace ToolbarIcons {

enum class Image { New, Open, Save, Read, Write, Print, About };

constexpr int kImageSize = 18;

QIcon Make(Image image);
// The program's own icon, a hand-held radio: the same picture the desktop menu shows.
QIcon ApplicationIcon();

} // namespace ToolbarIcons
