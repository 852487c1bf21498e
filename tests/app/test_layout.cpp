// The window and every dialog laid out under the fonts scripts/deps installs, on a 1366 x 768
// screen at the scale factor CTest gives (QT_SCALE_FACTOR): every grid cell and every control
// must lie inside its visible area, with room for its text.
#include "about_dialog.h"
#include "optional_features_dialog.h"
#include "password_dialog.h"
#include "transfer_dialog.h"
#include "tuning_dialog.h"
#include "window_fixture.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFile>
#include <QFontDatabase>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QScreen>
#include <QScrollArea>

namespace {

const QSize kScreen(1366, 768);

QString Name(const QWidget* widget) {
    const QString name = widget->objectName();
    return QStringLiteral("%1 %2").arg(QLatin1String(widget->metaObject()->className()),
                                       name.isEmpty() ? widget->accessibleName() : name);
}

// What is wrong with the controls of top: any visible control outside top's area or smaller than
// its content needs. Empty when all is well.
QStringList ClippedControls(QWidget* top) {
    QStringList faults;
    const QRect area = top->rect();
    for (QWidget* child : top->findChildren<QWidget*>()) {
        const bool control = qobject_cast<QAbstractButton*>(child) ||
                             qobject_cast<QComboBox*>(child) || qobject_cast<QLineEdit*>(child) ||
                             qobject_cast<QLabel*>(child) || qobject_cast<QProgressBar*>(child);
        if (!control || !child->isVisibleTo(top)) {
            continue;
        }
        const QRect at(child->mapTo(top, QPoint(0, 0)), child->size());
        if (!area.contains(at)) {
            faults << QStringLiteral("%1 at %2,%3 %4x%5 outside %6x%7")
                          .arg(Name(child))
                          .arg(at.x())
                          .arg(at.y())
                          .arg(at.width())
                          .arg(at.height())
                          .arg(area.width())
                          .arg(area.height());
        }
        const QSize needed = child->minimumSizeHint();
        if (child->width() < needed.width() || child->height() < needed.height()) {
            faults << QStringLiteral("%1 is %2x%3, needs %4x%5")
                          .arg(Name(child))
                          .arg(child->width())
                          .arg(child->height())
                          .arg(needed.width())
                          .arg(needed.height());
        }
    }
    return faults;
}

// Every cell of the grid, headers included, inside the part of the window on show, and wide
// enough for the widest text its column holds in the table.
QStringList ClippedCells(const WindowFixture& f) {
    QStringList faults;
    CMSFlexGrid* grid = f.grid();
    auto* area = f.frame()->findChild<QScrollArea*>();
    const QRect shown = area->viewport()->rect();
    const QFontMetrics cells = grid->fontMetrics();
    const QFontMetrics headers = grid->horizontalHeader()->fontMetrics();
    const QHeaderView* header = grid->horizontalHeader();
    for (int row = 0; row <= grid->model()->rowCount(); ++row) {
        for (int col = 0; col < grid->model()->columnCount(); ++col) {
            const QRect rect = row == 0 ? QRect(header->sectionViewportPosition(col), 0,
                                                header->sectionSize(col), header->height())
                                        : grid->visualRect(f.index(row, col));
            const QWidget* surface =
                row == 0 ? static_cast<QWidget*>(grid->horizontalHeader()) : grid->viewport();
            const QRect inArea(surface->mapTo(area->viewport(), rect.topLeft()), rect.size());
            const QRect inGrid(surface->mapTo(grid, rect.topLeft()), rect.size());
            if (!shown.contains(inArea) || !grid->rect().contains(inGrid)) {
                faults << QStringLiteral("cell %1,%2 out of view").arg(row).arg(col);
            }
            const QString text = row == 0
                                     ? grid->model()->headerData(col, Qt::Horizontal).toString()
                                     : f.cell(row, col);
            const int width = (row == 0 ? headers : cells).horizontalAdvance(text);
            if (width > rect.width() - 2) {
                faults << QStringLiteral("cell %1,%2 \"%3\" needs %4 px, has %5")
                              .arg(row)
                              .arg(col)
                              .arg(text)
                              .arg(width)
                              .arg(rect.width());
            }
        }
    }
    return faults;
}

} // namespace

class TestLayout : public QObject {
    Q_OBJECT

    WindowFixture f;
    QFont m_systemFont;

    void fillWidestTexts() {
        // The widest text of each kind the table can hold, in every row.
        const QStringList texts = {"888.88888", "888.88888", "D666I", "254.1", "是", "高",
                                   "否",        "窄",        "是",    "否",    "是"};
        for (int row = 1; row <= 16; ++row) {
            for (int col = 1; col <= 11; ++col) {
                f.table().setCellText(row, col, texts.at(col - 1));
            }
        }
    }

private slots:
    void initTestCase() { m_systemFont = QApplication::font(); }

    void windowAndDialogsFit_data() {
        QTest::addColumn<QString>("family");
        for (const char* family : {"DejaVu Sans", "Noto Sans CJK SC", "Liberation Sans"}) {
            QTest::newRow(family) << QString::fromLatin1(family);
        }
    }

    void windowAndDialogsFit() {
        QFETCH(QString, family);
        QVERIFY2(QFontDatabase::hasFamily(family), qPrintable(family + " (scripts/deps)"));
        QFont font(family);
        font.setPointSizeF(m_systemFont.pointSizeF());
        QApplication::setFont(font);
        QCOMPARE(QGuiApplication::primaryScreen()->size(), kScreen);

        QVERIFY(f.start());
        fillWidestTexts();
        QApplication::processEvents();
        const QSize window = f.frame()->frameGeometry().size();
        QVERIFY2(window.width() <= kScreen.width() && window.height() <= kScreen.height(),
                 qPrintable(QStringLiteral("%1x%2").arg(window.width()).arg(window.height())));
        QStringList faults = ClippedCells(f) + ClippedControls(f.frame());
        f.stop();

        MemoryImage image;
        CAboutDlg about;
        COptionalFeaturesDlg options(nullptr, image);
        CTuningDlg tuning(nullptr, image);
        CPasswordDlg password;
        CTransferDlg transfer;
        transfer.setTitle(QStringLiteral("读数据"));
        for (QDialog* dialog :
             std::initializer_list<QDialog*>{&about, &options, &tuning, &password, &transfer}) {
            dialog->show();
            QApplication::processEvents();
            for (const QString& fault : ClippedControls(dialog)) {
                faults << dialog->windowTitle() + ": " + fault;
            }
            if (dialog->width() > kScreen.width() || dialog->height() > kScreen.height()) {
                faults << dialog->windowTitle() + ": larger than the screen";
            }
            dialog->hide();
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
    }

    // The check itself: a column pushed wider than its share crowds the others out of view.
    void aTooWideColumnIsCaught() {
        QApplication::setFont(m_systemFont);
        QVERIFY(f.start());
        QVERIFY(ClippedCells(f).isEmpty());
        f.grid()->setColumnWidth(3, f.grid()->viewport()->width() / 2);
        QVERIFY(!ClippedCells(f).isEmpty());
        f.stop();
    }
};

// The screen is 1366 x 768 logical pixels whatever QT_SCALE_FACTOR says, so the scaled runs lay
// out the same logical sizes with twice the device pixels.
int main(int argc, char** argv) {
    const double scale = qEnvironmentVariableIsSet("QT_SCALE_FACTOR")
                             ? qEnvironmentVariable("QT_SCALE_FACTOR").toDouble()
                             : 1.0;
    const QString config = QDir::temp().filePath(
        QStringLiteral("qtr318-layout-screen-%1.json").arg(QCoreApplication::applicationPid()));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly)) {
        return 2;
    }
    file.write(QStringLiteral("{\"screens\": [{\"name\": \"layout\", \"x\": 0, \"y\": 0, "
                              "\"width\": %1, \"height\": %2, \"logicalDpi\": 96, "
                              "\"logicalBaseDpi\": 96, \"dpr\": 1}]}")
                   .arg(qRound(kScreen.width() * scale))
                   .arg(qRound(kScreen.height() * scale))
                   .toUtf8());
    file.close();
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).toUtf8());
    QApplication app(argc, argv);
    TestLayout test;
    const int result = QTest::qExec(&test, argc, argv);
    QFile::remove(config);
    return result;
}

#include "test_layout.moc"
