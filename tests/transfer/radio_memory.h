#pragma once

#include "channel_codec.h"
#include "document_file.h"
#include "image_map.h"
#include "new_document.h"
#include "radio_sim_process.h"
#include "window_fixture.h"

#include <memory>

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

// The simulated radio on COM1, its memory first saved to memoryFile; null when it did not start.
inline std::unique_ptr<RadioSimProcess>
RadioOnCom1(const MemoryImage& memory, const QString& memoryFile, QStringList options = {}) {
    if (!DocumentFile::Save(memoryFile, memory)) {
        return nullptr;
    }
    auto radio = std::make_unique<RadioSimProcess>(options << memoryFile);
    qputenv("QTR318_COM1", radio->path().toLocal8Bit());
    return radio->path().isEmpty() ? nullptr : std::move(radio);
}
