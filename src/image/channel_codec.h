#pragma once

#include "channel_table.h"
#include "memory_image.h"
#include "signalling_list.h"

#include <cstdint>

// Translation between the 16 channel records of the image and the texts of the channel table.

// Image to table: the cells of every column the image holds and the model and band selections;
// the other columns are left alone.
void DecodeChannels(const MemoryImage& image, ChannelTable& table,
                    const SignallingList& signalling = TheSignallingList());

// Table to image: frequencies, signalling, recognised flag texts, the scan list, model and band.
// Bytes 13-15 of each record, flag bits 1 and 2 and every other image byte are left alone, and so
// is a frequency whose count does not fit eight BCD digits.
void EncodeChannels(const ChannelTable& table, MemoryImage& image,
                    const SignallingList& signalling = TheSignallingList());

// A copy of image with the table's channels encoded into it: what a file or a radio gets.
MemoryImage WithChannels(const MemoryImage& image, const ChannelTable& table);

std::uint8_t BcdToByte(std::uint8_t bcd); // nibbles at face value: 0xA-0xF count as 10-15
std::uint8_t ByteToBcd(int value);        // 0-99

// True when channel is among the first count entries of the scan list. A count above 16 (an
// erased radio holds 0xFF) counts as 16.
bool IsInScanList(const MemoryImage& image, int channel, int count);

// The signalling index shown for a stored (value, kind), and the (value, kind) stored for an
// index; an index the list does not hold is off.
int SignalIndexFromCode(std::uint8_t value, std::uint8_t kind);
void SignalCodeFromIndex(int index, std::uint8_t& value, std::uint8_t& kind);
