#include "memory_image.h"

void MemoryImage::SetBit(int address, int bit) {
    m_bytes[Index(address)] |= Mask(bit);
}

void MemoryImage::ClearBit(int address, int bit) {
    m_bytes[Index(address)] &= static_cast<std::uint8_t>(~Mask(bit));
}

int MemoryImage::TestBit(int address, int bit) const {
    return m_bytes[Index(address)] & Mask(bit);
}
