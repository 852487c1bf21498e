#include "ui_language.h"
#include "window_fixture.h"

#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTimer>
#include <QToolBar>

class TestMainWindow : public QObject {
    Q_OBJECT

    WindowFixture f;

    static QStringList texts(const QList<QAction*>& actions, bool tips = false) {
        QStringList items;
        for (QAction* action : actions) {
            const QString text = tips ? action->toolTip() : action->text();
            items.append(action->isSeparator() ? QStringLiteral("-") : text);
        }
        return items;
    }
    // The port the view uses and the ports the menu checks, as "COM2:COM2".
    QString portState() const {
        QStringList checked;
        for (const char* id :
             {"actionPortCom1", "actionPortCom2", "actionPortCom3", "actionPortCom4"}) {
            if (f.action(id)->isChecked()) {
                checked.append(f.action(id)->text().remove('&'));
            }
        }
        return f.view()->portName() + ":" + checked.join(',');
    }

private slots:
    void init() { QVERIFY(f.start()); }
    void cleanup() { f.stop(); }

    // Typing starts in the grid; the window is never larger than the screen (the test's is
    // 800 x 600, and the form is wider: it scrolls).
    void menusToolbarAndStatusBar() {
        QCOMPARE(QApplication::focusWidget(), f.grid());
        QVERIFY(f.frame()->screen()->availableGeometry().contains(f.frame()->frameGeometry()));
        QStringList shown;
        for (QAction* menu : f.frame()->menuBar()->actions()) {
            shown.append(menu->text() + ": " + texts(menu->menu()->actions()).join('|'));
            // A menu prints an item's key after its text unless the text names it itself; the
            // program and port items keep their plain texts.
            const QString name = menu->menu()->objectName();
            for (QAction* item : menu->menu()->actions()) {
                QVERIFY2(item->shortcut().isEmpty() ||
                             (name != "menuProgram" && name != "menuPort"),
                         qPrintable(item->text()));
            }
        }
        shown.append("tools: " + texts(f.frame()->toolBar()->actions(), true).join('|'));
        shown.append("status: " + f.frame()->idlePrompt()->text());
        for (QLabel* indicator : f.frame()->indicators()) {
            shown.last() += "|" + indicator->text();
        }
        QCOMPARE(
            shown,
            QStringList(
                {"文件(&F): 新建(&N)|打开(&O)...|保存(&S)|另存为(&A)...|打开备份(&B)...|-|导入 "
                 "CSV(&I)...|导出 CSV(&E)...|-|打印(&P)...|打印预览(&V)|打印设置(&R)...|-|退出(&X)",
                 "编辑(&E): 撤销(&U)|重做(&R)|-|剪切信道(&T)|复制信道(&C)|粘贴信道(&P)|-|清除信道(&"
                 "L)|插入空信道(&I)|删除信道(&D)|上移(&M)|下移(&W)|-|可选功能(&O)",
                 "编程(&P): 读数据(&R)|写数据(&W)|-|与电台比较(&M)|编程记录(&L)...|批量写频(&B)...",
                 "端口(&C): COM&1|COM&2|COM&3|COM&4", "查看(&V): 工具栏(&T)|状态栏(&S)|-|外观(&A)",
                 "帮助(&H): 串口诊断(&D)...|-|关于(&A) ...",
                 "tools: 新建|打开|保存|-|读频|写频|-|打印|关于", "status: 就绪|大写|数字|滚动"}));
    }

    // Each port's prompt names its device and whether it is there, as the menu finds them when
    // it opens.
    void portPromptsNameTheirDevices() {
        const QString present = f.path("ttyCable");
        QFile cable(present);
        QVERIFY(cable.open(QIODevice::WriteOnly));
        qputenv("QTR318_COM1", present.toLocal8Bit());
        qputenv("QTR318_COM2", "/nonexistent/ttyUSB9");
        emit f.frame()->findChild<QMenu*>("menuPort")->aboutToShow();
        QCOMPARE(f.action("actionPortCom1")->statusTip(),
                 QStringLiteral("选择串口1 （%1，存在）").arg(present));
        QCOMPARE(f.action("actionPortCom2")->statusTip(),
                 QStringLiteral("选择串口2 （/nonexistent/ttyUSB9，不存在）"));
        qunsetenv("QTR318_COM1");
        qunsetenv("QTR318_COM2");
    }

    void portAndDirectionCommands() {
        QStringList seen = {portState()};
        for (Qt::Key key : {Qt::Key_D, Qt::Key_F, Qt::Key_E, Qt::Key_C}) {
            f.key(key);
            seen.append(portState());
        }
        f.action("actionPortCom2")->trigger();
        seen.append(portState());
        QCOMPARE(seen, QStringList({"COM1:COM1", "COM2:COM2", "COM4:COM4", "COM3:COM3", "COM1:COM1",
                                    "COM2:COM2"}));
        f.key(Qt::Key_R);
        QCOMPARE(f.view()->direction(), TransferDirection::Read);
        f.action("actionWriteData")->trigger();
        QCOMPARE(f.view()->direction(), TransferDirection::Write);
    }

    // Ctrl+C selects COM1 even in an open editor, and copies nothing.
    void keysWithoutTheirUsualMeaning() {
        QGuiApplication::clipboard()->setText(QStringLiteral("kept"));
        f.key(Qt::Key_D);
        f.typeChannel(1, "145.125");
        f.moveTo(1, 1);
        QTest::keyClick(f.grid(), Qt::Key_Return); // editor open, its text selected
        QVERIFY(f.editorOpen());
        f.press(Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(portState(), QStringLiteral("COM1:COM1"));
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("kept"));
        QCOMPARE(f.lineEditor()->text(), QStringLiteral("145.12500"));
    }

    void aboutBoxShowsTheIconAndStandardDialogsSpeakChinese() {
        UiLanguage::Install({QStringLiteral("qtr318-cps_en")}); // a C locale: Chinese
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("取消"));
        QString seen;
        QImage picture;
        QTimer::singleShot(0, this, [&] {
            if (QWidget* box = QApplication::activeModalWidget()) {
                seen = box->windowTitle();
                for (QLabel* label : box->findChildren<QLabel*>()) {
                    seen += ' ' + label->text();
                    picture = label->pixmap().isNull() ? picture : label->pixmap().toImage();
                }
                box->findChild<QPushButton*>()->click();
            }
        });
        f.action("actionAppAbout")->trigger();
        QVERIFY2(seen.startsWith(QStringLiteral("关于 ")) &&
                     seen.contains(QStringLiteral("版本 1.0.6")) &&
                     seen.contains(QStringLiteral("澜星电子有限公司")),
                 qPrintable(seen));
        // The box shows the program's own icon.
        QCOMPARE(picture, f.frame()->windowIcon().pixmap(QSize(32, 32)).toImage());
    }

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
        QVERIFY(f.frame()->printDocument(printer));
        QFile pdf(path);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        const QByteArray bytes = pdf.readAll();
        QVERIFY(bytes.startsWith("%PDF") && bytes.size() > 5000); // fonts and text, not blank
        QCOMPARE(QString::fromLatin1(bytes).count(QRegularExpression("/Type\\s*/Page\\b(?!s)")), 1);

        printer.setOutputFileName(f.path(QStringLiteral("no/such/dir/table.pdf")));
        QVERIFY(!f.frame()->printDocument(printer));
        QCOMPARE(f.messenger->boxes().value(0), QStringLiteral("警告: 无法打印。"));
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
