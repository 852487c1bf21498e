#include "radio_mismatch.h"

#include "channel_table.h"
#include "image_map.h"
#include "memory_image.h"

#include <QCoreApplication>
#include <QStringList>

QString RadioMismatch(const MemoryImage& image, const MemoryImage& radio) {
    const auto entry = [](const QStringList& entries, int index) {
        return entries.value(index, QStringLiteral("0x%1").arg(index, 2, 16, QLatin1Char('0')));
    };
    QStringList reasons;
    const struct {
        const char* name;
        int address;
        const QStringList& entries;
    } checks[] = {
        {QT_TRANSLATE_NOOP("RadioMismatch", "机型"), ImageMap::kModelIndex, ModelEntries()},
        {QT_TRANSLATE_NOOP("RadioMismatch", "频段"), ImageMap::kBandIndex, BandEntries()}};
    for (const auto& check : checks) {
        const int ours = image.ReadByte(check.address);
        const int theirs = radio.ReadByte(check.address);
        if (ours != theirs) {
            reasons.append(QCoreApplication::translate("RadioMismatch", "%1：文件 %2，对讲机 %3")
                               .arg(QCoreApplication::translate("RadioMismatch", check.name),
                                    entry(check.entries, ours), entry(check.entries, theirs)));
        }
    }
    return reasons.join(QCoreApplication::translate("RadioMismatch", "；"));
}
