#pragma once

#include "memory_image.h"

#include <QString>
#include <QStringList>
#include <array>

// The radio-wide options and the four tuning sets: where each value lives, the list texts that
// give a stored value its meaning, and the conversions between stored values and list positions.

// ---- Radio options ----

enum class OptionList { Squelch, TimeOut, VoxGain, VoxDelay, BatterySaver, Priority, Language };

struct OptionListInfo {
    OptionList list;
    const char* label; // the dialog's label
    QStringList entries;
};

// In the dialog's label order: squelch, time-out, VOX gain, battery saver, priority, language,
// VOX delay.
const std::array<OptionListInfo, 7>& OptionLists();
const OptionListInfo& OptionListFor(OptionList list);

constexpr int kNoSelection = -1;

// The positions of the seven lists and the two switches as the image holds them. A stored value
// that names no entry reads as kNoSelection.
struct RadioOptions {
    int squelch = kNoSelection;
    int timeOut = kNoSelection;
    int voxGain = kNoSelection;
    int voxDelay = kNoSelection;
    int batterySaver = kNoSelection;
    int priority = kNoSelection;
    int language = 0;
    bool beep = false;
    bool vox = false;

    int position(OptionList list) const;
    void setPosition(OptionList list, int position);
};

// The labels of the two switches.
inline constexpr const char* kBeepLabel = QT_TRANSLATE_NOOP("SettingsCodec", "提示音");
inline constexpr const char* kVoxLabel = QT_TRANSLATE_NOOP("SettingsCodec", "声控");

RadioOptions ReadOptions(const MemoryImage& image);
// Writes every field; a list left at kNoSelection keeps the byte it has (an erased radio's 0xFF
// stays 0xFF instead of turning into a value derived from -1).
void StoreOptions(MemoryImage& image, const RadioOptions& options);

// ---- Tuning sets ----

struct TuningMode {
    const char* label; // radio button text
    int address;
};
// "无" (shown first), "加重", "压扩", "扰频".
const std::array<TuningMode, 4>& TuningModes();

struct TuningField {
    int offset;          // inside the block
    const char* label;   // the dialog's label
    QStringList entries; // empty for a number field (0-255)
    int controlId;       // the dialog control that shows it

    bool isList() const { return !entries.isEmpty(); }
};
// The 16 fields of a block, in block order.
const std::array<TuningField, 16>& TuningFields();

// List fields: the stored position, or 0 when it names no entry. Number fields: the byte.
int ReadTuningValue(const MemoryImage& image, int blockAddress, const TuningField& field);
// List fields: a position outside the list stores 0. Number fields: the low byte.
void StoreTuningValue(MemoryImage& image, int blockAddress, const TuningField& field, int value);

// Factory values of one block (0x120, 0x138, 0x150 or 0x168).
void SetTuningDefaults(MemoryImage& image, int blockAddress);
