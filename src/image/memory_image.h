#pragma once

#include <array>
#include <cstdint>

// The program's copy of the radio's 1024-byte memory. Addresses are 0x000-0x3FF; every other part
// of the system reads and writes it through these accessors.
class MemoryImage {
public:
    static constexpr int kSize = 1024;
    using Bytes = std::array<std::uint8_t, kSize>;

    MemoryImage() = default; // all zero, as at program start

    std::uint8_t ReadByte(int address) const { return m_bytes[Index(address)]; }
    void WriteByte(int address, std::uint8_t value) { m_bytes[Index(address)] = value; }
    void SetBit(int address, int bit);
    void ClearBit(int address, int bit);
    // The masked value, not 0/1: bit 2 set yields 4.
    int TestBit(int address, int bit) const;

    void Fill(std::uint8_t value) { m_bytes.fill(value); }
    const Bytes& bytes() const { return m_bytes; }
    void assign(const Bytes& bytes) { m_bytes = bytes; }

    bool operator==(const MemoryImage& other) const { return m_bytes == other.m_bytes; }
    bool operator!=(const MemoryImage& other) const { return !(*this == other); }

private:
    // Callers pass fixed addresses; the mask keeps a stray one inside the image instead of
    // letting it reach past the array.
    static std::size_t Index(int address) { return static_cast<std::size_t>(address) & 0x3FF; }
    static std::uint8_t Mask(int bit) { return static_cast<std::uint8_t>(1u << (bit & 7)); }

    Bytes m_bytes{};
};
