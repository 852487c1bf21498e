#pragma once

#include "log_location.h"

#include <QByteArray>
#include <QString>

// The images the log keeps once per content, which records point to by their SHA-256: what a
// radio held, for a read, and what it was given, for a write.
namespace KeptImages {

// The image of the record with uuid and label, from the log's database, or else from this
// station's file of records that wait for a server. Returns why there is none, else an empty
// text.
QString OfRecord(const LogLocation& location, const QString& label, const QString& uuid,
                 QByteArray* image);

} // namespace KeptImages
