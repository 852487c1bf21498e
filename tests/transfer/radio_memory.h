#pragma once

#include "channel_codec.h"
#include "image_map.h"
#include "new_document.h"
#include "window_fixture.h"

// What the radio holds before a window test reads it: one channel on row 2 and squelch level 7.
inline MemoryImage RadioMemory() {
    MemoryImage image = NewDocumentImage();
    ChannelTable table = WindowFixture::decoded(image);
    const QStringList row = QStringList({"150.12500", "151.50000"}) + kNewChannelTail;
    for (int col = 1; col <= row.size(); ++col) {
        table.setCellText(2, col, row.at(col - 1));
    }
    EncodeChannels(table, image);
    image.WriteByte(ImageMap::kSquelchLevel, 7);
    return image;
}
