#pragma once

#include "memory_image.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// One radio's share of a station run: the table with that radio's own changes, and the label its
// transfers are logged under.
struct RadioOverride {
    int line = 0; // the file's line it came from
    QString label;
    MemoryImage image;
};

// A spreadsheet of what each radio of a station run gets different from the table. The header
// line is "标签", then the cells the rows change, each named by channel and column as the
// channel CSV names the column: "信道3 接收频率". Every further line is one radio, in the order
// they are plugged in: its label, then the texts for those cells, read as the channel CSV import
// reads them (options in Chinese or in English); an empty cell keeps the table's text. A receive
// frequency given for an empty channel makes a new channel with the defaults, and switching one of
// 扰频, 压扩 and 加重 on switches the others off, as an edit in the table does.
namespace RadioOverrides {

// A cell named as the file's header names it ("信道3 接收频率") and the text it gets.
struct CellValue {
    QString name;
    QString text;
};

struct CellProblem {
    int index = 0; // of the value in the list given
    QString reason;
};

// The cell's name spelled as the file writes it ("信道 3 接收频率" gives "信道3 接收频率"), or an
// empty text when name names no cell.
QString CellName(const QString& name);

// Applies values to image in the file's way (an empty text keeps the image's) and returns every
// problem found, with image left as it was when there is any. The per-radio file and the fleet's
// own values of each radio go through this one function.
QList<CellProblem> ApplyCells(const QList<CellValue>& values, MemoryImage& image);

struct Result {
    QList<RadioOverride> radios;
    // "第 3 行，第 2 列（信道3 接收频率）：…", each problem found; any at all: radios must not be
    // used.
    QStringList problems;
};

// The whole file checked against table, the image every radio gets otherwise.
Result Read(const QByteArray& file, const MemoryImage& table);
// Read() of the file at path; a file that cannot be read is the one problem.
Result Load(const QString& path, const MemoryImage& table);

} // namespace RadioOverrides
