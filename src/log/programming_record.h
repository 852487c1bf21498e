#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVariant>

// One read, write, read-back or verify of one radio as the programming log keeps it: what was
// done, where, to which radio, with which data, and how it ended.
struct ProgrammingRecord {
    enum class Operation { Read, Write, ReadBack, Verify };
    enum class Result { Succeeded, Failed, Cancelled, Differs, NotVerified };

    QString uuid;      // set by the log when empty; what keeps a record queued for a server single
    QDateTime started; // UTC
    qint64 durationMs = 0;
    QString program; // "qtr318" or "qtr318-cps"
    QString programVersion;
    QString station; // the computer's host name
    Operation operation = Operation::Read;
    QString port;
    QString device;
    QString usbVendor; // four hex digits, as `qtr318 ports` shows them
    QString usbProduct;
    QString usbSerial;
    QString ident; // the radio's ident reply
    QString model; // the model and band the radio reported
    QString band;
    QString imageSha256; // of the 1024 bytes written or read
    QString file;        // the file the image came from or went to
    QString backup;
    QString label;
    Result result = Result::Succeeded;
    int blocks = 0;      // blocks the radio acknowledged
    QString message;     // what the user was told
    QString plan;        // the fleet's plan and version written, or read before or after a write
    int planVersion = 0; // 0: none
    // The 1024 bytes imageSha256 names, kept once per content beside the records; empty when the
    // record has none to keep. No field of its own: records point to it by imageSha256.
    QByteArray image;

    static QString Sha256(const QByteArray& image);
};

// The names records have in the database, in CSV headers and in JSON: stable, whatever the
// language of the run.
namespace RecordFields {

// In column order; "uuid" first.
const QStringList& Names();
// The value of field name in record, as it is stored.
QVariant Value(const ProgrammingRecord& record, const QString& name);
void SetValue(ProgrammingRecord& record, const QString& name, const QVariant& value);

QString OperationCode(ProgrammingRecord::Operation operation); // "read", "write", ...
QString ResultCode(ProgrammingRecord::Result result);          // "ok", "failed", ...
bool OperationFromCode(const QString& code, ProgrammingRecord::Operation* operation);
bool ResultFromCode(const QString& code, ProgrammingRecord::Result* result);
// The words the user reads: 读取 … and 成功 / 失败 / 已取消 / 校验不符 / 未校验.
QString OperationText(ProgrammingRecord::Operation operation);
QString ResultText(ProgrammingRecord::Result result);
// A result given by its code or by its word in either language; false when it is neither.
bool ParseResult(const QString& text, ProgrammingRecord::Result* result);

// ISO 8601 in UTC with milliseconds: sorts as text in time order.
QString TimeText(const QDateTime& time);

// text with its control characters written out (\n, \t, \x1b ...), for a terminal: an escape
// sequence in a shared log would otherwise act on whoever lists it.
QString Escaped(const QString& text);
// Why label cannot be logged as it stands (it holds control characters), empty when it can;
// the tool and the window refuse such a label where it is typed.
QString LabelProblem(const QString& label);

} // namespace RecordFields
