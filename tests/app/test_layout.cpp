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
#include <QFontDatabase>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QScreen>
#include <QScrollArea>
#include <QTemporaryFile>

namespace {

const QSize kScreen(1366, 768);

// What is wrong with the controls of top: any visible control outside top's area or smaller than
// its content needs. Empty when all is well.
QStringList ClippedControls(QWidget* top) {
    QStringList faults;
    for (QWidget* child : top->findChildren<QWidget*>()) {
        const bool control = qobject_cast<QAbstractButton*>(child) ||
                             qobject_cast<QComboBox*>(child) || qobject_cast<QLineEdit*>(child) ||
                             qobject_cast<QLabel*>(child) || qobject_cast<QProgressBar*>(child);
        const QSize needed = child->minimumSizeHint();
        if (control && child->isVisibleTo(top) &&
            (!top->rect().contains(QRect(child->mapTo(top, QPoint(0, 0)), child->size())) ||
             child->width() < needed.width() || child->height() < needed.height())) {
            faults << QStringLiteral("%1 %2 \"%3\" clipped")
                          .arg(QLatin1String(child->metaObject()->className()), child->objectName(),
                               child->accessibleName());
        }
    }
    return faults;
}

// Every cell of the grid, headers and channel numbers included, inside the part of the window
// on show, and wide enough for the widest text its column holds in the table.
QStringList ClippedCells(const WindowFixture& f) {
    QStringList faults;
    ChannelGrid* grid = f.grid();
    const QHeaderView* header = grid->horizontalHeader();
    const QHeaderView* numbers = grid->verticalHeader();
    const QAbstractItemModel* model = grid->model();
    const QWidget* shown = f.frame()->findChild<QScrollArea*>()->viewport();
    const auto check = [&](const QWidget* surface, const QRect& rect, const QString& text,
                           const QFontMetrics& metrics, const QString& where) {
        const bool inView =
            shown->rect().contains(QRect(surface->mapTo(shown, rect.topLeft()), rect.size())) &&
            grid->rect().contains(QRect(surface->mapTo(grid, rect.topLeft()), rect.size()));
        if (!inView || metrics.horizontalAdvance(text) > rect.width() - 2) {
            faults << QStringLiteral("%1 \"%2\" clipped").arg(where, text);
        }
    };
    // The corner's name stands above the numbers, as wide as they are.
    check(numbers, QRect(0, 0, numbers->width(), 1), f.cell(0, 0), numbers->fontMetrics(),
          QStringLiteral("corner"));
    for (int row = 0; row < model->rowCount(); ++row) {
        check(numbers,
              QRect(0, numbers->sectionViewportPosition(row), numbers->width(),
                    numbers->sectionSize(row)),
              model->headerData(row, Qt::Vertical).toString(), numbers->fontMetrics(),
              QStringLiteral("number %1").arg(row + 1));
    }
    for (int col = 0; col < model->columnCount(); ++col) {
        check(header,
              QRect(header->sectionViewportPosition(col), 0, header->sectionSize(col),
                    header->height()),
              model->headerData(col, Qt::Horizontal).toString(), header->fontMetrics(),
              QStringLiteral("header %1").arg(col));
        for (int row = 0; row < model->rowCount(); ++row) {
            check(grid->viewport(), grid->visualRect(model->index(row, col)),
                  model->index(row, col).data().toString(), grid->fontMetrics(),
                  QStringLiteral("cell %1,%2").arg(row + 1).arg(col + 1));
        }
    }
    return faults;
}

} // namespace

class TestLayout : public QObject {
    Q_OBJECT

    WindowFixture f;
    QFont m_systemFont;

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
        // The widest text of each kind the table can hold, in every row.
        const QStringList texts = {"888.88888", "888.88888", "D666I", "254.1", "是", "高",
                                   "否",        "窄",        "是",    "否",    "是"};
        for (int row = 1; row <= 16; ++row) {
            for (int col = 1; col <= 11; ++col) {
                f.setCell(row, col, texts.at(col - 1));
            }
        }
        MemoryImage image;
        AboutDialog about;
        OptionalFeaturesDialog options(nullptr, image);
        TuningDialog tuning(nullptr, image);
        PasswordDialog password;
        TransferDialog transfer;
        transfer.setTitle(QStringLiteral("读数据"));
        QStringList faults;
        for (QWidget* top : std::initializer_list<QWidget*>{f.frame(), &about, &options, &tuning,
                                                            &password, &transfer}) {
            top->show();
            QApplication::processEvents();
            for (const QString& fault : ClippedControls(top)) {
                faults << top->windowTitle() + ": " + fault;
            }
            const QSize size = top->frameGeometry().size();
            if (size.width() > kScreen.width() || size.height() > kScreen.height()) {
                faults << top->windowTitle() + ": larger than the screen";
            }
        }
        faults << ClippedCells(f);
        f.stop();
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
    }
};

// The screen is 1366 x 768 logical pixels whatever QT_SCALE_FACTOR says, so the scaled runs lay
// out the same logical sizes with twice the device pixels.
int main(int argc, char** argv) {
    const double scale = qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")).toDouble();
    QTemporaryFile config(QDir::temp().filePath(QStringLiteral("qtr318-layout-XXXXXX.json")));
    if (!config.open()) {
        return 2;
    }
    config.write(QStringLiteral("{\"screens\": [{\"name\": \"layout\", \"x\": 0, \"y\": 0, "
                                "\"width\": %1, \"height\": %2, \"logicalDpi\": 96, "
                                "\"logicalBaseDpi\": 96, \"dpr\": 1}]}")
                     .arg(qRound(kScreen.width() * scale))
                     .arg(qRound(kScreen.height() * scale))
                     .toUtf8());
    config.flush();
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config.fileName()).toUtf8());
    QApplication app(argc, argv);
    TestLayout test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_layout.moc"
