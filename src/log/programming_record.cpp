#include "programming_record.h"

#include "coded_names.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <algorithm>
#include <array>
#include <functional>

QString ProgrammingRecord::Sha256(const QByteArray& image) {
    return QString::fromLatin1(QCryptographicHash::hash(image, QCryptographicHash::Sha256).toHex());
}

namespace RecordFields {
namespace {

using Operation = ProgrammingRecord::Operation;
using Result = ProgrammingRecord::Result;

struct Field {
    const char* name;
    std::function<QVariant(const ProgrammingRecord&)> get;
    std::function<void(ProgrammingRecord&, const QVariant&)> set;
};

// A text member of the record, stored as it stands.
Field Text(const char* name, QString ProgrammingRecord::*member) {
    return {name, [member](const ProgrammingRecord& r) { return QVariant(r.*member); },
            [member](ProgrammingRecord& r, const QVariant& v) { r.*member = v.toString(); }};
}

const std::vector<Field>& Fields() {
    static const std::vector<Field> fields = {
        Text("uuid", &ProgrammingRecord::uuid),
        {"started_at", [](const ProgrammingRecord& r) { return QVariant(TimeText(r.started)); },
         [](ProgrammingRecord& r, const QVariant& v) {
             r.started = QDateTime::fromString(v.toString(), Qt::ISODateWithMs).toUTC();
         }},
        {"duration_ms", [](const ProgrammingRecord& r) { return QVariant(r.durationMs); },
         [](ProgrammingRecord& r, const QVariant& v) { r.durationMs = v.toLongLong(); }},
        Text("program", &ProgrammingRecord::program),
        Text("program_version", &ProgrammingRecord::programVersion),
        Text("station", &ProgrammingRecord::station),
        {"operation",
         [](const ProgrammingRecord& r) { return QVariant(OperationCode(r.operation)); },
         [](ProgrammingRecord& r, const QVariant& v) {
             OperationFromCode(v.toString(), &r.operation);
         }},
        Text("port", &ProgrammingRecord::port),
        Text("device", &ProgrammingRecord::device),
        Text("usb_vendor", &ProgrammingRecord::usbVendor),
        Text("usb_product", &ProgrammingRecord::usbProduct),
        Text("usb_serial", &ProgrammingRecord::usbSerial),
        Text("ident", &ProgrammingRecord::ident),
        Text("model", &ProgrammingRecord::model),
        Text("band", &ProgrammingRecord::band),
        Text("image_sha256", &ProgrammingRecord::imageSha256),
        Text("file", &ProgrammingRecord::file),
        Text("backup", &ProgrammingRecord::backup),
        Text("label", &ProgrammingRecord::label),
        {"result", [](const ProgrammingRecord& r) { return QVariant(ResultCode(r.result)); },
         [](ProgrammingRecord& r, const QVariant& v) { ResultFromCode(v.toString(), &r.result); }},
        {"blocks", [](const ProgrammingRecord& r) { return QVariant(r.blocks); },
         [](ProgrammingRecord& r, const QVariant& v) { r.blocks = v.toInt(); }},
        Text("message", &ProgrammingRecord::message),
        Text("plan", &ProgrammingRecord::plan),
        {"plan_version",
         [](const ProgrammingRecord& r) {
             return r.planVersion > 0 ? QVariant(r.planVersion) : QVariant();
         },
         [](ProgrammingRecord& r, const QVariant& v) { r.planVersion = v.toInt(); }},
    };
    return fields;
}

const Field* Find(const QString& name) {
    for (const Field& field : Fields()) {
        if (name == QLatin1String(field.name)) {
            return &field;
        }
    }
    return nullptr;
}

const std::array<CodedName, 4> kOperations = {{
    {"read", QT_TRANSLATE_NOOP("ProgrammingLog", "读取")},
    {"write", QT_TRANSLATE_NOOP("ProgrammingLog", "写入")},
    {"read-back", QT_TRANSLATE_NOOP("ProgrammingLog", "读回校验")},
    {"verify", QT_TRANSLATE_NOOP("ProgrammingLog", "校验")},
}};

const std::array<CodedName, 5> kResults = {{
    {"ok", QT_TRANSLATE_NOOP("ProgrammingLog", "成功")},
    {"failed", QT_TRANSLATE_NOOP("ProgrammingLog", "失败")},
    {"cancelled", QT_TRANSLATE_NOOP("ProgrammingLog", "已取消")},
    {"differs", QT_TRANSLATE_NOOP("ProgrammingLog", "校验不符")},
    {"unverified", QT_TRANSLATE_NOOP("ProgrammingLog", "未校验")},
}};

} // namespace

const QStringList& Names() {
    static const QStringList names = [] {
        QStringList list;
        for (const Field& field : Fields()) {
            list.append(QLatin1String(field.name));
        }
        return list;
    }();
    return names;
}

QVariant Value(const ProgrammingRecord& record, const QString& name) {
    const Field* field = Find(name);
    return field ? field->get(record) : QVariant();
}

void SetValue(ProgrammingRecord& record, const QString& name, const QVariant& value) {
    if (const Field* field = Find(name)) {
        field->set(record, value);
    }
}

QString OperationCode(Operation operation) {
    return CodeOf(kOperations, operation);
}

QString ResultCode(Result result) {
    return CodeOf(kResults, result);
}

bool OperationFromCode(const QString& code, Operation* operation) {
    return FromCode(kOperations, code, operation);
}

bool ResultFromCode(const QString& code, Result* result) {
    return FromCode(kResults, code, result);
}

QString OperationText(Operation operation) {
    return TextOf("ProgrammingLog", kOperations, operation);
}

QString ResultText(Result result) {
    return TextOf("ProgrammingLog", kResults, result);
}

bool ParseResult(const QString& text, Result* result) {
    return FromWords("ProgrammingLog", kResults, text, result);
}

QString TimeText(const QDateTime& time) {
    return time.toUTC().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzzZ"));
}

QString Escaped(const QString& text) {
    QString shown;
    shown.reserve(text.size());
    for (const QChar c : text) {
        if (c.category() != QChar::Other_Control) {
            shown += c;
        } else if (c == QLatin1Char('\n')) {
            shown += QLatin1String("\\n");
        } else if (c == QLatin1Char('\r')) {
            shown += QLatin1String("\\r");
        } else if (c == QLatin1Char('\t')) {
            shown += QLatin1String("\\t");
        } else {
            shown += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        }
    }
    return shown;
}

QString LabelProblem(const QString& label) {
    const bool control = std::any_of(label.cbegin(), label.cend(),
                                     [](QChar c) { return c.category() == QChar::Other_Control; });
    return control ? QCoreApplication::translate("ProgrammingLog",
                                                 "标签里不能有换行、制表符或其他控制字符：%1")
                         .arg(Escaped(label))
                   : QString();
}

} // namespace RecordFields
