#pragma once

#include "programming_record.h"
#include "transfer_engine.h"

class MemoryImage;

// How a transfer becomes a programming-log record, the same for the window and the command line:
// started when the transfer starts and completed with what it came to.
namespace TransferRecord {

// The time, the program, the port and the cable behind it, and label.
ProgrammingRecord Start(const QString& port, ProgrammingRecord::Operation operation,
                        const QString& label);
// The duration, the radio's ident, the blocks reached, and the result and message of outcome.
// stopped: the user ended the transfer (else a cancel is a radio that never answered).
void End(ProgrammingRecord& record, const TransferOutcome& outcome, bool stopped);
// The model and band radio's image reports.
void SetRadio(ProgrammingRecord& record, const MemoryImage& radio);
void SetImage(ProgrammingRecord& record, const MemoryImage& image, const QString& file);

} // namespace TransferRecord
