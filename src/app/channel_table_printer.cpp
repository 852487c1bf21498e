#include "channel_table_printer.h"

#include "channel_columns.h"
#include "channel_table.h"
#include "settings_codec.h"
#include "value_texts.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>

namespace {

constexpr int kRows = 17;
constexpr double kLargestPointSize = 10.0;
constexpr double kSmallestPointSize = 5.0;

QFont TableFont(double pointSize, bool bold) {
    QFont font(QStringLiteral("Times New Roman"));
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

QFont TitleFont() {
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(14);
    font.setBold(true);
    return font;
}

QFont LineFont() {
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(10);
    return font;
}

QString SelectedEntry(const ChannelTable& table, ChannelTable::Selector selector) {
    const int index = table.selected(selector);
    return table.entryText(selector, index < 0 ? 0 : index);
}

} // namespace

ChannelTablePrinter::ChannelTablePrinter(const ChannelTable& table, QString documentTitle,
                                         const MemoryImage* options)
    : m_table(table), m_documentTitle(std::move(documentTitle)), m_options(options) {}

QList<double> ChannelTablePrinter::ColumnWeights() {
    QList<double> weights;
    for (int col = 0; col < ChannelColumns::kCount; ++col) {
        weights.append(ChannelColumns::WidthWeight(col));
    }
    return weights;
}

QString ChannelTablePrinter::CellText(int row, int col) const {
    if (row == 0) {
        return ChannelColumns::ShownHeader(col);
    }
    if (col == 0) {
        return ChannelColumns::ChannelNumberText(row).trimmed();
    }
    return ValueTexts::Shown(m_table.cellText(row, col));
}

ChannelTablePrinter::Page ChannelTablePrinter::Layout(QPaintDevice* device,
                                                      const QRectF& page) const {
    Page result;
    double y = page.top();
    auto addLine = [&](const QString& text, const QFont& font, bool heading) {
        const QFontMetricsF metrics(font, device);
        const QRectF rect(page.left(), y, page.width(), metrics.height());
        result.texts.append({rect, text, heading});
        y += metrics.height() * 1.3;
    };
    addLine(QCoreApplication::translate("ChannelTablePrinter", "澜星写频软件 — 信道表"),
            TitleFont(), true);
    if (!m_documentTitle.isEmpty()) {
        addLine(QCoreApplication::translate("ChannelTablePrinter", "文件: %1").arg(m_documentTitle),
                LineFont(), false);
    }
    addLine(QCoreApplication::translate("ChannelTablePrinter", "机型: %1    频率: %2")
                .arg(SelectedEntry(m_table, ChannelTable::Selector::Model),
                     SelectedEntry(m_table, ChannelTable::Selector::Band)),
            LineFont(), false);
    y += QFontMetricsF(LineFont(), device).height() * 0.5;

    const QList<double> weights = ColumnWeights();
    double totalWeight = 0;
    for (double w : weights) {
        totalWeight += w;
    }
    QList<double> widths;
    for (double w : weights) {
        widths.append(page.width() * w / totalWeight);
    }

    // The largest size at which every text fits its column.
    double pointSize = kLargestPointSize;
    for (; pointSize > kSmallestPointSize; pointSize -= 0.5) {
        const QFontMetricsF metrics(TableFont(pointSize, true), device);
        const double padding = metrics.averageCharWidth();
        bool fits = true;
        for (int row = 0; row < kRows && fits; ++row) {
            for (int col = 0; col < ChannelColumns::kCount && fits; ++col) {
                fits = metrics.horizontalAdvance(CellText(row, col)) + padding <= widths.at(col);
            }
        }
        if (fits) {
            break;
        }
    }
    result.tablePointSize = pointSize;
    const double rowHeight = QFontMetricsF(TableFont(pointSize, false), device).height() * 1.6;
    for (int row = 0; row < kRows; ++row) {
        double x = page.left();
        for (int col = 0; col < ChannelColumns::kCount; ++col) {
            const QRectF cell(x, y, widths.at(col), rowHeight);
            result.cells.append(cell);
            result.texts.append({cell, CellText(row, col), row == 0 || col == 0});
            x += widths.at(col);
        }
        y += rowHeight;
    }
    return result;
}

ChannelTablePrinter::Page ChannelTablePrinter::OptionsLayout(QPaintDevice* device,
                                                             const QRectF& page) const {
    Page result;
    if (!m_options) {
        return result;
    }
    double y = page.top();
    auto addLine = [&](const QString& text, const QFont& font) {
        const QFontMetricsF metrics(font, device);
        result.texts.append({QRectF(page.left(), y, page.width(), metrics.height()), text, false});
        y += metrics.height() * 1.3;
    };
    addLine(QCoreApplication::translate("ChannelTablePrinter", "澜星写频软件 — 可选功能"),
            TitleFont());
    const RadioOptions options = ReadOptions(*m_options);
    const auto line = [](const char* label, const QString& value) {
        return QCoreApplication::translate("ChannelTablePrinter", "%1: %2")
            .arg(QCoreApplication::translate("SettingsCodec", label), ValueTexts::Shown(value));
    };
    for (const OptionListInfo& info : OptionLists()) {
        const int position = options.position(info.list);
        addLine(line(info.label,
                     position == kNoSelection ? QStringLiteral("—") : info.entries.at(position)),
                LineFont());
    }
    addLine(line(kBeepLabel, options.beep ? ChannelColumns::kYes : ChannelColumns::kNo),
            LineFont());
    addLine(line(kVoxLabel, options.vox ? ChannelColumns::kYes : ChannelColumns::kNo), LineFont());
    return result;
}

void ChannelTablePrinter::Paint(QPainter& painter, const QRectF& page) const {
    PaintTexts(painter, Layout(painter.device(), page));
}

void ChannelTablePrinter::PaintTexts(QPainter& painter, const Page& layout) {
    painter.save();
    painter.setPen(QPen(Qt::black, 0));
    for (const QRectF& cell : layout.cells) {
        painter.drawRect(cell);
    }
    const int tableTextStart = int(layout.texts.size() - layout.cells.size());
    for (int i = 0; i < layout.texts.size(); ++i) {
        const Text& text = layout.texts.at(i);
        if (i < tableTextStart) {
            painter.setFont(i == 0 ? TitleFont() : LineFont());
            painter.drawText(text.rect, Qt::AlignLeft | Qt::AlignVCenter, text.text);
        } else {
            painter.setFont(TableFont(layout.tablePointSize, text.heading));
            painter.drawText(text.rect, Qt::AlignCenter, text.text);
        }
    }
    painter.restore();
}

bool ChannelTablePrinter::Print(QPrinter& printer) const {
    QPainter painter;
    if (!painter.begin(&printer)) {
        return false;
    }
    const QRectF paintable = printer.pageLayout().paintRectPixels(printer.resolution());
    const QRectF page(QPointF(0, 0), paintable.size());
    Paint(painter, page);
    if (m_options) {
        printer.newPage();
        PaintTexts(painter, OptionsLayout(painter.device(), page));
    }
    return painter.end();
}
