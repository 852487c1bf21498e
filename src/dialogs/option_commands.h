#pragma once

#include "memory_image.h"

class QWidget;

// The window's two option commands, each one modal run over parent. Both return whether the
// image changed, so the caller can mark its document modified.

// Command 32783, "可选功能".
bool RunOptionalFeaturesCommand(QWidget* parent, MemoryImage& image);

// Command 32785: the password first, and the tuning dialog only when it is right.
bool RunTuningCommand(QWidget* parent, MemoryImage& image);
