#pragma once

#include <QList>
#include <QRectF>
#include <QString>

class ChannelTable;
class MemoryImage;
class QPainter;
class QPaintDevice;
class QPrinter;

// Prints the channel table on one page: a title, the model and band, and the 16 channels with
// all 12 columns, in the on-screen column proportions and scaled down until every text fits.
// Given the image, a second page lists the radio-wide options.
class ChannelTablePrinter {
public:
    struct Text {
        QRectF rect;
        QString text;
        bool heading = false;
    };
    struct Page {
        QList<Text> texts;
        QList<QRectF> cells; // ruled boxes of the table
        double tablePointSize = 0;
    };

    ChannelTablePrinter(const ChannelTable& table, QString documentTitle,
                        const MemoryImage* options = nullptr);

    // Where everything goes on a page of this size, in the device's coordinates.
    Page Layout(QPaintDevice* device, const QRectF& page) const;
    // The options page: its title, then one line per option, "label: value".
    Page OptionsLayout(QPaintDevice* device, const QRectF& page) const;
    void Paint(QPainter& painter, const QRectF& page) const;
    // False when the printer could not be started (for example an unwritable PDF file).
    bool Print(QPrinter& printer) const;

    // Column widths relative to one another, channel-number column first.
    static QList<double> ColumnWeights();

private:
    QString CellText(int row, int col) const;
    static void PaintTexts(QPainter& painter, const Page& layout);

    const ChannelTable& m_table;
    QString m_documentTitle;
    const MemoryImage* m_options;
};
