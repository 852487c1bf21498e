#include "about_dialog.h"
#include "cable_doctor_dialog.h"
#include "channel_edits.h"
#include "channel_table_printer.h"
#include "log_dialog.h"
#include "messenger.h"
#include "one_language.h"
#include "optional_features_dialog.h"
#include "password_dialog.h"
#include "station_dialog.h"
#include "transfer_dialog.h"
#include "tuning_dialog.h"
#include "ui_language.h"
#include "window_fixture.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTableView>
#include <QTimer>
#include <QToolBar>

// The window, its menus and its dialogs speak the language the locale chose, each text wholly in
// it, the radio's list values too.
namespace {

using Language = UiLanguage::Language;

// What the user reads: mnemonic markers and the shortcut column are not words.
QString Shown(const QString& text) {
    return text.section(QLatin1Char('\t'), 0, 0).remove(QLatin1Char('&'));
}

// Alt and a letter reaches every item: each text marks one, no letter twice in a menu.
bool MnemonicsUnique(const QStringList& texts) {
    QSet<QChar> seen;
    for (const QString& text : texts) {
        const qsizetype at = QString(text)
                                 .replace(QStringLiteral("&&"), QStringLiteral("__"))
                                 .indexOf(QLatin1Char('&'));
        if (at < 0 || at + 1 >= text.size()) {
            return false;
        }
        seen << text.at(at + 1).toLower();
    }
    return seen.size() == texts.size();
}

// Every menu of the window, its submenus too.
QList<QMenu*> AllMenus(QMenuBar* bar) {
    QList<QMenu*> menus;
    for (QAction* title : bar->actions()) {
        if (title->menu()) {
            menus << title->menu();
        }
    }
    for (qsizetype i = 0; i < menus.size(); ++i) {
        for (QAction* item : menus.at(i)->actions()) {
            if (item->menu()) {
                menus << item->menu();
            }
        }
    }
    return menus;
}

// What a dialog shows in labels, buttons, lists and group titles.
QStringList WidgetTexts(QWidget* widget) {
    QStringList texts = {widget->windowTitle()};
    for (QLabel* label : widget->findChildren<QLabel*>()) {
        texts << label->text();
    }
    for (QAbstractButton* button : widget->findChildren<QAbstractButton*>()) {
        texts << button->text();
    }
    for (QComboBox* list : widget->findChildren<QComboBox*>()) {
        for (int i = 0; i < list->count(); ++i) {
            texts << list->itemText(i);
        }
    }
    for (QGroupBox* group : widget->findChildren<QGroupBox*>()) {
        texts << group->title();
    }
    return texts;
}

} // namespace

class WindowLanguageTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        m_english = qEnvironmentVariable("LANG").startsWith(QLatin1String("en"));
        QCOMPARE(UiLanguage::Install({QStringLiteral("qtr318-cps_en")}),
                 m_english ? Language::English : Language::Chinese);
        QVERIFY(f.start());
    }
    void cleanupTestCase() { f.stop(); }

    // The window, its menus, its printed page and its dialogs.
    void texts() {
        MainWindow* frame = f.frame();
        QStringList texts = {frame->windowTitle(), frame->toolBar()->windowTitle(),
                             f.doc()->title(), ChannelDocument::fileFilter(),
                             ChannelTableModel::unknownSignallingMessage()};
        QStringList menuTitles;
        for (QAction* menuAction : frame->menuBar()->actions()) {
            menuTitles << menuAction->text();
        }
        texts << menuTitles;
        QVERIFY2(MnemonicsUnique(menuTitles), qPrintable(menuTitles.join(QLatin1Char('|'))));
        for (QMenu* menu : AllMenus(frame->menuBar())) {
            QStringList items;
            for (QAction* action : menu->actions()) {
                texts << action->text() << action->statusTip() << action->toolTip();
                if (!action->isSeparator()) {
                    items << action->text();
                }
            }
            QVERIFY2(MnemonicsUnique(items), qPrintable(items.join(QLatin1Char('|'))));
            // The key is the menu's to print: a screen reader reads the text as the item's name.
            QVERIFY2(!items.join(QString()).contains(QLatin1Char('\t')),
                     qPrintable(items.join('|')));
        }
        texts << WidgetTexts(frame->statusBar());
        // The printed page's headings; the table below them is data.
        QImage page(800, 1100, QImage::Format_RGB32);
        const ChannelTablePrinter::Page layout =
            ChannelTablePrinter(f.channels(), f.doc()->title()).Layout(&page, page.rect());
        for (qsizetype i = 0; i < layout.texts.size() - layout.cells.size(); ++i) {
            texts << layout.texts.at(i).text;
        }
        for (const auto& line : ChannelTablePrinter(f.channels(), QString(), &f.image())
                                    .OptionsLayout(&page, page.rect())
                                    .texts) {
            texts << line.text;
        }
        texts << QAccessible::queryAccessibleInterface(qApp)->text(QAccessible::Name);
        for (int column : {5, 9, 10, 11}) {
            texts << ChannelTableModel::columnTip(column);
        }
        // Copied channels as the grid shows them; a pasted header line in the run's language is
        // skipped, and a refused value's message lists the allowed ones in it.
        f.table().commitFrequency(1, 1, QStringLiteral("145.125"));
        texts << ChannelEdits::CopyText(f.channels(), 1, 1);
        QStringList header;
        QStringList line = {"1", "145.125", "145.125", "", "", "7"};
        for (int column = 1; column < ChannelColumns::kCount; ++column) {
            header << ChannelColumns::ShownHeader(column);
        }
        while (line.size() < ChannelColumns::kCount) {
            line << QString();
        }
        const ChannelEdits::Paste paste = ChannelEdits::PreparePaste(
            header.join('\t') + '\n' + line.join('\t') + '\n', 2, f.table().bandLimits());
        QCOMPARE(paste.problems.size(), 1);
        texts << paste.problems;
        qputenv("QTR318_LOG", f.path("log.sqlite").toLocal8Bit());
        LogDialog log(f.frame());
        QAbstractItemModel* records = log.table()->model();
        QVERIFY(records->columnCount() > 10);
        for (int column = 0; column < records->columnCount(); ++column) {
            texts << records->headerData(column, Qt::Horizontal).toString();
        }
        qunsetenv("QTR318_LOG");
        AboutDialog about(f.frame());
        OptionalFeaturesDialog options(f.frame(), f.image());
        TuningDialog tuning(f.frame(), f.image());
        PasswordDialog password(f.frame());
        TransferDialog transfer(f.frame());
        CableDoctorDialog doctor(QString(), f.frame());
        StationDialog station({}, f.frame());
        for (QDialog* dialog : std::initializer_list<QDialog*>{&about, &options, &tuning, &password,
                                                               &transfer, &doctor, &station}) {
            texts << WidgetTexts(dialog);
        }
        const QStringList stationKeys =
            WidgetTexts(&station).filter(QRegularExpression(QStringLiteral("&[^&]")));
        QVERIFY2(MnemonicsUnique(stationKeys), qPrintable(stationKeys.join(QLatin1Char('|'))));
        checkTexts(texts, 70);
    }

    // The caption travels as its source text and is shown in the run's language.
    void messageBoxCaption() {
        InstallMessenger(nullptr);
        QString caption;
        QTimer::singleShot(0, this, [&] {
            if (QWidget* box = QApplication::activeModalWidget()) {
                caption = box->windowTitle();
                box->close();
            }
        });
        ShowWarning(f.frame(), QStringLiteral("x"));
        InstallMessenger(f.messenger.get());
        QCOMPARE(caption, m_english ? QStringLiteral("Warning") : QStringLiteral("警告"));
    }

private:
    // Every text in the run's language, and a fair number of them plainly so.
    void checkTexts(const QStringList& texts, int least) const {
        static const QRegularExpression englishWord(QStringLiteral("[A-Za-z]{3}"));
        int inLanguage = 0;
        for (const QString& text : texts) {
            for (const QString& line : Shown(text).split(QLatin1Char('\n'))) {
                QVERIFY2(m_english ? OneLanguage::IsEnglish(line) : OneLanguage::IsChinese(line),
                         qPrintable(line));
                inLanguage += m_english ? line.contains(englishWord) : OneLanguage::HasHan(line);
            }
        }
        QVERIFY2(inLanguage >= least, qPrintable(texts.join(QLatin1Char('\n'))));
    }

    WindowFixture f;
    bool m_english = false;
};

QTEST_MAIN(WindowLanguageTest)
#include "test_window_language.moc"
