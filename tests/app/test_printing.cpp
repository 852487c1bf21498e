#include "app_fixture.h"
#include "channel_table_printer.h"

#include <QFile>
#include <QPrinter>
#include <QRegularExpression>

class TestPrinting : public QObject {
    Q_OBJECT

    AppFixture f;

    static void pdfPrinter(QPrinter& printer, const QString& path) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        printer.setPageSize(QPageSize(QPageSize::A4));
    }

private slots:
    void init() { QVERIFY(f.start()); }
    void cleanup() { f.stop(); }

    void layoutHoldsEveryCellInsideThePage() {
        InMemoryChannelTable table;
        for (int row = 1; row <= 16; ++row) {
            table.setCellText(row, 1, QStringLiteral("4%1.12500").arg(row + 10));
            table.setCellText(row, 2, QStringLiteral("4%1.12500").arg(row + 20));
            table.setCellText(row, 3, QStringLiteral("D754I"));
            table.setCellText(row, 4, QStringLiteral("254.1"));
            for (int col = 5; col <= 11; ++col) {
                table.setCellText(row, col, QStringLiteral("是"));
            }
        }
        table.select(ChannelTable::Selector::Model, 0);
        table.select(ChannelTable::Selector::Band, 1);

        QPrinter printer(QPrinter::HighResolution);
        pdfPrinter(printer, f.path(QStringLiteral("layout.pdf")));
        const QRectF page(QPointF(0, 0),
                          printer.pageLayout().paintRectPixels(printer.resolution()).size());
        const ChannelTablePrinter::Page layout =
            ChannelTablePrinter(table, QStringLiteral("a.sin")).Layout(&printer, page);

        QStringList texts;
        for (const ChannelTablePrinter::Text& text : layout.texts) {
            texts.append(text.text);
            QVERIFY2(page.contains(text.rect), qPrintable(text.text));
        }
        QCOMPARE(layout.cells.size(), 17 * 12);
        QVERIFY(texts.join('\n').contains(QStringLiteral("QTR-318")));
        QVERIFY(texts.join('\n').contains(QStringLiteral("400 - 480MHz")));
        QVERIFY(texts.contains(QStringLiteral("接收频率")));
        QVERIFY(texts.contains(QStringLiteral("16")));
        QVERIFY(texts.contains(QStringLiteral("436.12500")));
        QCOMPARE(texts.count(QStringLiteral("D754I")), 16);
        QVERIFY(layout.tablePointSize >= 7);
        // Column proportions as on screen.
        QVERIFY(qAbs(layout.cells.at(1).width() - 3 * layout.cells.at(0).width()) < 1);
    }

    void printsTheTableToOnePdfPage() {
        f.typeChannel(1, "145.125");
        f.typeChannel(16, "173.5");
        const QString path = f.path(QStringLiteral("table.pdf"));
        QPrinter printer(QPrinter::HighResolution);
        pdfPrinter(printer, path);
        QVERIFY(f.frame()->PrintDocument(printer));

        if (qEnvironmentVariableIsSet("QTR318_KEEP_PDF")) { // for looking at the page
            QFile::copy(path, qEnvironmentVariable("QTR318_KEEP_PDF"));
        }
        QFile pdf(path);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        const QByteArray bytes = pdf.readAll();
        QVERIFY(bytes.startsWith("%PDF"));
        QVERIFY(bytes.size() > 5000); // fonts and text, not a blank page
        QCOMPARE(QString::fromLatin1(bytes).count(QRegularExpression("/Type\\s*/Page\\b(?!s)")), 1);
    }

    void unwritableOutputIsReported() {
        QPrinter printer(QPrinter::HighResolution);
        pdfPrinter(printer, f.path(QStringLiteral("no/such/dir/table.pdf")));
        QVERIFY(!f.frame()->PrintDocument(printer));
        QCOMPARE(f.messenger->shown.size(), 1);
        QCOMPARE(f.messenger->shown.at(0).caption, QStringLiteral("警告"));
    }
};

QTEST_MAIN(TestPrinting)
#include "test_printing.moc"
