#include "channel_table_printer.h"
#include "window_fixture.h"

#include <QFile>
#include <QPrinter>
#include <QRegularExpression>

class TestPrinting : public QObject {
    Q_OBJECT

    WindowFixture f;

private slots:
    void init() { QVERIFY(f.start()); }
    void cleanup() { f.stop(); }

    // The widest texts every cell can hold, on the wider band, fit one page.
    void printsTheTableToOnePdfPage() {
        f.table().select(ChannelTable::Selector::Band, 1);
        for (int row = 1; row <= 16; ++row) {
            for (int col = 1; col <= 11; ++col) {
                const QString freq = QStringLiteral("4%1.12500").arg(row + 10 * col);
                f.table().setCellText(row, col, col <= 2 ? freq : col == 3 ? "D754I" : "254.1");
            }
        }
        const QString path = f.path(QStringLiteral("table.pdf"));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        printer.setPageSize(QPageSize(QPageSize::A4));
        const QRectF page({0, 0},
                          printer.pageLayout().paintRectPixels(printer.resolution()).size());
        const ChannelTablePrinter::Page layout =
            ChannelTablePrinter(f.table(), QStringLiteral("a.sin")).Layout(&printer, page);
        QStringList texts;
        for (const ChannelTablePrinter::Text& text : layout.texts) {
            texts.append(text.text);
            QVERIFY2(page.contains(text.rect), qPrintable(text.text));
        }
        QCOMPARE(layout.cells.size(), 17 * 12);
        for (const char* text : {"QTR-318", "400 - 480MHz", "接收频率", "16", "436.12500"}) {
            QVERIFY2(texts.join('\n').contains(QString::fromUtf8(text)), text);
        }
        QCOMPARE(texts.count(QStringLiteral("D754I")), 16);
        QVERIFY(layout.tablePointSize >= 7);
        // Column proportions as on screen.
        QVERIFY(qAbs(layout.cells.at(1).width() - 3 * layout.cells.at(0).width()) < 1);

        QVERIFY(f.frame()->PrintDocument(printer));
        if (qEnvironmentVariableIsSet("QTR318_KEEP_PDF")) { // for looking at the page
            QFile::copy(path, qEnvironmentVariable("QTR318_KEEP_PDF"));
        }
        QFile pdf(path);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        const QByteArray bytes = pdf.readAll();
        QVERIFY(bytes.startsWith("%PDF") && bytes.size() > 5000); // fonts and text, not blank
        QCOMPARE(QString::fromLatin1(bytes).count(QRegularExpression("/Type\\s*/Page\\b(?!s)")), 1);

        printer.setOutputFileName(f.path(QStringLiteral("no/such/dir/table.pdf")));
        QVERIFY(!f.frame()->PrintDocument(printer));
        QCOMPARE(f.messenger->boxes().value(0), QStringLiteral("警告: 无法打印。"));
    }
};

QTEST_MAIN(TestPrinting)
#include "test_printing.moc"
