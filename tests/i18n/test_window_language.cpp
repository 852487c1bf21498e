#include "about_dialog.h"
#include "channel_table_printer.h"
#include "messenger.h"
#include "one_language.h"
#include "optional_features_dialog.h"
#include "password_dialog.h"
#include "settings_codec.h"
#include "transfer_dialog.h"
#include "tuning_dialog.h"
#include "ui_language.h"
#include "window_fixture.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

// The window, its menus and its dialogs speak the language the locale chose, each text wholly in
// it. The radio's own values (list entries, the tuning blocks' names) are data and stay Chinese.
namespace {

using Language = UiLanguage::Language;

// What the user reads: mnemonic markers and the shortcut column are not words.
QString Shown(const QString& text) {
    return text.section(QLatin1Char('\t'), 0, 0).remove(QLatin1Char('&'));
}

QStringList MenuTexts(QMenu* menu) {
    QStringList texts;
    for (QAction* action : menu->actions()) {
        if (!action->isSeparator()) {
            texts << action->text();
        }
    }
    return texts;
}

QChar Mnemonic(const QString& text) {
    const qsizetype at = text.indexOf(QLatin1Char('&'));
    return at >= 0 && at + 1 < text.size() ? text.at(at + 1).toLower() : QChar();
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

    void windowTexts() {
        CMainFrame* frame = f.frame();
        QStringList texts = {frame->windowTitle(), frame->ToolBar()->windowTitle(),
                             f.doc()->GetTitle(), CProgramDoc::FileFilter(),
                             ChannelTableModel::unknownSignallingMessage()};
        for (QAction* menuAction : frame->menuBar()->actions()) {
            texts << menuAction->text();
            for (QAction* action : menuAction->menu()->actions()) {
                texts << action->text() << action->statusTip() << action->toolTip();
            }
        }
        for (QLabel* label : frame->statusBar()->findChildren<QLabel*>()) {
            texts << label->text();
        }
        // The printed page's headings; the table below them is data.
        QImage page(800, 1100, QImage::Format_RGB32);
        const ChannelTablePrinter::Page layout =
            ChannelTablePrinter(f.table(), f.doc()->GetTitle()).Layout(&page, page.rect());
        for (qsizetype i = 0; i < layout.texts.size() - layout.cells.size(); ++i) {
            texts << layout.texts.at(i).text;
        }
        checkTexts(texts, 40);
    }

    void dialogTexts() {
        CAboutDlg about(f.frame());
        COptionalFeaturesDlg options(f.frame(), f.image());
        CTuningDlg tuning(f.frame(), f.image());
        CPasswordDlg password(f.frame());
        CTransferDlg transfer(f.frame());
        QStringList blockNames;
        for (const TuningMode& mode : TuningModes()) {
            blockNames << QString::fromUtf8(mode.label);
        }
        QStringList texts;
        for (QDialog* dialog :
             std::initializer_list<QDialog*>{&about, &options, &tuning, &password, &transfer}) {
            texts << dialog->windowTitle();
            for (QLabel* label : dialog->findChildren<QLabel*>()) {
                texts << label->text();
            }
            for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
                if (!blockNames.contains(button->text())) {
                    texts << button->text();
                }
            }
            for (QGroupBox* group : dialog->findChildren<QGroupBox*>()) {
                texts << group->title();
            }
        }
        checkTexts(texts, 30);
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

    // Alt and a letter reaches one item: no letter twice in the menu bar or in one menu, and
    // every menu has one.
    void mnemonicsAreUnique() {
        QList<QStringList> groups = {{}};
        for (QAction* menuAction : f.frame()->menuBar()->actions()) {
            groups[0] << menuAction->text();
            groups << MenuTexts(menuAction->menu());
        }
        for (const QStringList& group : groups) {
            QSet<QChar> seen;
            for (const QString& text : group) {
                const QChar letter = Mnemonic(text);
                QVERIFY2(!letter.isNull() || group != groups[0], qPrintable(text));
                if (!letter.isNull()) {
                    QVERIFY2(!seen.contains(letter), qPrintable(group.join(QLatin1Char('|'))));
                    seen << letter;
                }
            }
        }
    }

    void commandLineHelp() {
        QProcess process;
        process.start(qEnvironmentVariable("QTR318_BUILD_DIR") +
                          QStringLiteral("/src/app/qtr318-cps"),
                      {QStringLiteral("--help")});
        QVERIFY(process.waitForFinished(30000));
        const QString help = QString::fromUtf8(process.readAllStandardOutput());
        QVERIFY2(help.contains(QStringLiteral("--version")), qPrintable(help));
        checkTexts(help.split(QLatin1Char('\n')), 3);
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
