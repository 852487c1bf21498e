#pragma once

#include <array>

// The 8-byte blocks that travel between radio and program, in the order they are visited:
// 0x010-0x118, then 0x180-0x3F8. The first 16 bytes and the tuning blocks never travel.
namespace BlockWalk {

constexpr int kBlockSize = 8;
constexpr int kBlockCount = 114;
constexpr int kFirst = 0x010;
constexpr int kLast = 0x3F8;
constexpr int kSkipBegin = 0x120; // first address left out
constexpr int kSkipEnd = 0x180;   // first address visited again

constexpr std::array<int, kBlockCount> Addresses() {
    std::array<int, kBlockCount> addresses{};
    int n = 0;
    for (int a = kFirst; a <= kLast; a += kBlockSize) {
        if (a < kSkipBegin || a >= kSkipEnd) {
            addresses[static_cast<std::size_t>(n++)] = a;
        }
    }
    return addresses;
}

constexpr std::array<int, kBlockCount> kAddresses = Addresses();

constexpr bool Travels(int address) {
    return address >= kFirst && address <= kLast + kBlockSize - 1 &&
           !(address >= kSkipBegin && address < kSkipEnd);
}

} // namespace BlockWalk
