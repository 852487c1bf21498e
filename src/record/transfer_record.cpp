#include "transfer_record.h"

#include "channel_table.h"
#include "image_map.h"
#include "memory_image.h"
#include "usb_cable.h"

#include <QCoreApplication>

namespace TransferRecord {
namespace {

QString Entry(const QStringList& entries, int index) {
    return entries.value(index, QStringLiteral("0x%1").arg(index, 2, 16, QLatin1Char('0')));
}

} // namespace

ProgrammingRecord Start(const QString& port, ProgrammingRecord::Operation operation,
                        const QString& label) {
    ProgrammingRecord record;
    record.started = QDateTime::currentDateTimeUtc();
    record.program = QCoreApplication::applicationName();
    record.programVersion = QCoreApplication::applicationVersion();
    record.operation = operation;
    record.port = port;
    const UsbCable::Description cable = UsbCable::Describe(port);
    record.device = cable.device;
    record.usbVendor = cable.vendor;
    record.usbProduct = cable.product;
    record.usbSerial = cable.serial;
    record.label = label;
    return record;
}

void End(ProgrammingRecord& record, const TransferOutcome& outcome, bool stopped) {
    using Result = ProgrammingRecord::Result;
    record.durationMs = record.started.msecsTo(QDateTime::currentDateTimeUtc());
    record.ident = outcome.ident;
    record.blocks = outcome.blocksDone;
    switch (outcome.result) {
    case TransferOutcome::Result::Succeeded:
        record.result = Result::Succeeded;
        break;
    case TransferOutcome::Result::Cancelled:
        record.result = stopped ? Result::Cancelled : Result::Failed;
        record.message = stopped ? QString() : TransferText::CommunicationError();
        break;
    case TransferOutcome::Result::CannotOpen:
    case TransferOutcome::Result::Failed:
        record.result = Result::Failed;
        record.message = outcome.detail.isEmpty()
                             ? outcome.message
                             : outcome.message + QLatin1Char('\n') + outcome.detail;
        break;
    }
}

void SetRadio(ProgrammingRecord& record, const MemoryImage& radio) {
    record.model = Entry(ModelEntries(), radio.ReadByte(ImageMap::kModelIndex));
    record.band = Entry(BandEntries(), radio.ReadByte(ImageMap::kBandIndex));
}

void SetImage(ProgrammingRecord& record, const MemoryImage& image, const QString& file) {
    const auto& bytes = image.bytes();
    record.image = QByteArray(reinterpret_cast<const char*>(bytes.data()), MemoryImage::kSize);
    record.imageSha256 = ProgrammingRecord::Sha256(record.image);
    record.file = file;
}

} // namespace TransferRecord
