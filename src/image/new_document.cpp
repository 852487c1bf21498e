#include "new_document.h"

#include "image_map.h"
#include "settings_codec.h"

#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<int, std::uint8_t>, 18> kNewDocumentBytes = {{
    {0x2A0, 0x00},
    {0x2A8, 0x00},
    {0x2B0, 0x00},
    {0x2B1, 0xFF},
    {0x2B2, 0xFF},
    {0x3C0, 0x13},
    {0x3C1, 0x05},
    {0x3C2, 0x00},
    {0x3C3, 0x00},
    {0x3C4, 0x03},
    {0x3C5, 0x02},
    {0x3C6, 0x0A},
    {0x3C7, 0x00},
    {0x3C8, 0x01},
    {0x3C9, 0x00},
    {0x3CA, 0x00},
    {0x3D1, 0x00},
    {0x3D2, 0x00},
}};

constexpr std::array<int, 4> kTuningDefaultOrder = {
    ImageMap::kTuningNone, ImageMap::kTuningEmphasis, ImageMap::kTuningCompander,
    ImageMap::kTuningScrambler};

constexpr std::uint8_t kNewChannelFlags = 0x1B;

} // namespace

void FillNewDocument(MemoryImage& image) {
    image.Fill(0xFF);
    for (const auto& [address, value] : kNewDocumentBytes) {
        image.WriteByte(address, value);
    }
    for (int block : kTuningDefaultOrder) {
        SetTuningDefaults(image, block);
    }
    for (int n = 1; n <= ImageMap::kChannelCount; ++n) {
        image.WriteByte(ImageMap::ChannelRecord(n) + ImageMap::kChannelFlags, kNewChannelFlags);
    }
}

MemoryImage NewDocumentImage() {
    MemoryImage image;
    FillNewDocument(image);
    return image;
}
