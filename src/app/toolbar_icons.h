#pragma once

#include <QIcon>

// The window's pictures, drawn at start-up so the program ships no image files.
namespace ToolbarIcons {

enum class Image { New, Open, Save, Read, Write, Print, About };

constexpr int kImageSize = 18;

QIcon Make(Image image);
// The program's own 32 x 32 icon: a hand-held radio.
QIcon ApplicationIcon();

} // namespace ToolbarIcons
