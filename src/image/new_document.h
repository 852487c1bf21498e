#pragma once

#include "memory_image.h"

// Factory contents of a new document: all 0xFF, the option defaults, the four tuning sets' factory
// values and 0x1B in every channel's flags byte.
void FillNewDocument(MemoryImage& image);

MemoryImage NewDocumentImage();
