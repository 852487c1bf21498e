#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>

// The 259 signalling texts in the order the radio stores them: "关", 50 CTCSS tones, 104 DCS
// codes with normal polarity, the same 104 inverted. A list position is what the image holds.
class SignallingList {
public:
    static constexpr int kCount = 259;
    static constexpr int kOff = 0;
    static constexpr int kFirstTone = 1;
    static constexpr int kToneCount = 50;
    static constexpr int kFirstNormalDcs = 51;
    static constexpr int kDcsCount = 104;
    static constexpr int kFirstInvertedDcs = 155;

    SignallingList() { BuildSignallingList(); }

    int count() const { return int(m_entries.size()); }
    // The text at index 0-258; an index outside the list shows as "关".
    QString entry(int index) const;
    const QStringList& entries() const { return m_entries; }

    // Index of the first entry equal to text (whole, case-sensitive), 0 when none is.
    int FindSignalIndex(const QString& text) const;

    // The index of the one entry that text names: the entry itself, a tone by its value ("100"
    // or "100.00" for "100.0"), or a DCS code by its number and polarity in either case ("D23N",
    // "d023n" for "D023N"), or "关" by its English ("Off"). Spreadsheets drop a tone's ".0" and the
    // leading zeros of codes; a text that names no entry, or could mean more than one ("D023" has
    // no polarity), gives none.
    std::optional<int> ResolveSignalText(const QString& text) const;

private:
    void BuildSignallingList();

    QStringList m_entries;
    QHash<QString, int> m_byValue; // value key -> index, for ResolveSignalText
};

// The list the whole program shares; built once.
const SignallingList& TheSignallingList();
