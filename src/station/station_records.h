#pragma once

#include "programming_record.h"
#include "transfer_engine.h"

class MemoryImage;

// The programming log's record of one transfer of the station: started when the transfer starts
// and completed with what it came to.
namespace StationRecords {

// The time, the program, the port and the cable behind it, and label.
ProgrammingRecord Start(const QString& port, ProgrammingRecord::Operation operation,
                        const QString& label);
// The duration, the radio's ident, the blocks reached, and the result and message of outcome.
// stopped: the user stopped the transfer (else a cancel is a radio that stopped answering).
void End(ProgrammingRecord& record, const TransferOutcome& outcome, bool stopped);
// The model and band radio's image reports.
void SetRadio(ProgrammingRecord& record, const MemoryImage& radio);
void SetImage(ProgrammingRecord& record, const MemoryImage& image, const QString& file);

// Of the 1024 bytes, as the log and the station show it.
QString ImageSha256(const MemoryImage& image);

} // namespace StationRecords
