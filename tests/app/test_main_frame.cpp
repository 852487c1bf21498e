#include "app_fixture.h"
#include "command_ids.h"

#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

namespace Id = CommandId;

class TestMainFrame : public QObject {
    Q_OBJECT

    AppFixture f;

    QStringList menuItems(int menuIndex) const {
        QStringList items;
        QMenu* menu = f.frame()->menuBar()->actions().at(menuIndex)->menu();
        for (QAction* action : menu->actions()) {
            items.append(action->isSeparator() ? QStringLiteral("-") : action->text());
        }
        return items;
    }

    QStringList checkedPorts() const {
        QStringList checked;
        for (int id : {Id::kPortCom1, Id::kPortCom2, Id::kPortCom3, Id::kPortCom4}) {
            if (f.frame()->CommandAction(id)->isChecked()) {
                checked.append(f.frame()->CommandAction(id)->text());
            }
        }
        return checked;
    }

private slots:
    void init() { QVERIFY(f.start()); }
    void cleanup() { f.stop(); }

    void captionAndSize() {
        QCOMPARE(f.frame()->windowTitle(), QStringLiteral("澜星写频软件"));
        QVERIFY(f.frame()->width() <= 1000);
        QVERIFY(f.frame()->height() <= 800);
        // Shrunk to the form, yet the whole grid is in view.
        const QRect grid = f.grid()->geometry();
        QVERIFY(f.view()->width() >= grid.right());
        QVERIFY(f.frame()->centralWidget()->width() >= grid.right());
    }

    void menusHoldTheirItems() {
        QStringList titles;
        for (QAction* menu : f.frame()->menuBar()->actions()) {
            titles.append(menu->text());
        }
        QCOMPARE(titles, QStringList({"文件(&F)", "编辑(&E)", "编程(&P)", "端口(&C)", "查看(&V)",
                                      "帮助(&H)"}));
        QCOMPARE(menuItems(0),
                 QStringList({"新建(&N)\tCtrl+N", "打开(&O)...\tCtrl+O", "保存(&S)\tCtrl+S",
                              "另存为(&A)...", "-", "打印(&P)...\tCtrl+P", "打印预览(&V)",
                              "打印设置(&R)...", "-", "退出(&X)"}));
        QCOMPARE(menuItems(1), QStringList({"可选功能"}));
        QCOMPARE(menuItems(2), QStringList({"读数据", "写数据"}));
        QCOMPARE(menuItems(3), QStringList({"COM1", "COM2", "COM3", "COM4"}));
        QCOMPARE(menuItems(4), QStringList({"工具栏(&T)", "状态栏(&S)"}));
        QCOMPARE(menuItems(5), QStringList({"关于 ..."}));

        QCOMPARE(f.frame()->CommandAction(Id::kFileNew)->statusTip(), QStringLiteral("建立新文档"));
        QCOMPARE(f.frame()->CommandAction(Id::kPortCom2)->statusTip(),
                 QStringLiteral("选择串口2 "));
        QCOMPARE(f.frame()->CommandAction(Id::kReadData)->toolTip(), QStringLiteral("读频"));
        QCOMPARE(f.frame()->CommandAction(Id::kAppExit)->statusTip(),
                 QStringLiteral("退出应用程序；提示保存文档"));
        QVERIFY(f.frame()->CommandAction(Id::kOptionalFeatures)->statusTip().isEmpty());
    }

    void toolbarHasNineEntries() {
        const QList<QAction*> actions = f.frame()->ToolBar()->actions();
        QStringList tips;
        for (QAction* action : actions) {
            tips.append(action->isSeparator() ? QStringLiteral("-") : action->toolTip());
            if (!action->isSeparator()) {
                QVERIFY(!action->icon().pixmap(18, 18).isNull());
            }
        }
        QCOMPARE(tips,
                 QStringList({"新建", "打开", "保存", "-", "读频", "写频", "-", "打印", "关于"}));
        QCOMPARE(f.frame()->ToolBar()->iconSize(), QSize(18, 18));
    }

    void acceleratorTable() {
        QStringList table;
        for (const CMainFrame::Accelerator& a : f.frame()->Accelerators()) {
            table.append(QStringLiteral("%1=%2").arg(a.key.toString()).arg(a.command));
        }
        QCOMPARE(table, QStringList({"Ctrl+C=32773", "Ctrl+D=32775", "Ctrl+E=32776", "Ctrl+F=32777",
                                     "Ctrl+N=57600", "Ctrl+O=57601", "Ctrl+P=57607",
                                     "Ctrl+Alt+P=32786", "Ctrl+R=32771", "Ctrl+S=57603",
                                     "Ctrl+T=32778", "F1=57670", "Shift+F1=57669", "F6=57680",
                                     "Shift+F6=57681", "Ctrl+W=32772", "Ctrl+Shift+T=32785"}));
        QVERIFY(f.frame()->HasCommandHandler(Id::kTuning));
        QVERIFY(!f.frame()->HasCommandHandler(Id::kUnhandledCtrlT));
    }

    void portKeysAndCheckMarks() {
        QCOMPARE(checkedPorts(), QStringList({"COM1"}));
        f.key(Qt::Key_D);
        QCOMPARE(f.view()->m_portName, QStringLiteral("COM2"));
        QCOMPARE(checkedPorts(), QStringList({"COM2"}));
        f.key(Qt::Key_F);
        QCOMPARE(f.view()->m_portName, QStringLiteral("COM4"));
        f.frame()->CommandAction(Id::kPortCom3)->trigger();
        QCOMPARE(f.view()->m_portName, QStringLiteral("COM3"));
        QCOMPARE(checkedPorts(), QStringList({"COM3"}));
        f.key(Qt::Key_C);
        QCOMPARE(f.view()->m_portName, QStringLiteral("COM1"));
        QCOMPARE(checkedPorts(), QStringList({"COM1"}));
    }

    void ctrlCIsNoCopyKeyEvenInAnEditor() {
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->setText(QStringLiteral("kept"));
        f.key(Qt::Key_E);
        f.typeChannel(1, "145.125");
        f.grid()->SetCol(1);
        f.grid()->setFocus();
        QTest::keyClick(f.grid(), Qt::Key_Return); // editor open, its text selected
        QVERIFY(f.view()->IsCellEditorOpen());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(f.view()->m_portName, QStringLiteral("COM1"));
        QCOMPARE(clipboard->text(), QStringLiteral("kept"));
        QCOMPARE(f.view()->m_editFreq->text(), QStringLiteral("145.12500"));
        f.key(Qt::Key_D); // also from the grid
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(clipboard->text(), QStringLiteral("kept"));
    }

    void unboundKeysDoNothing() {
        f.key(Qt::Key_D);
        f.typeChannel(2, "150");
        f.doc()->SetModifiedFlag(false);
        f.key(Qt::Key_T);
        f.key(Qt::Key_P, Qt::ControlModifier | Qt::AltModifier);
        f.key(Qt::Key_F1, Qt::NoModifier);
        f.key(Qt::Key_F6, Qt::NoModifier);
        QCOMPARE(f.view()->m_portName, QStringLiteral("COM2"));
        QVERIFY(!f.doc()->IsModified());
        QVERIFY(f.messenger->shown.isEmpty());
        QCOMPARE(f.cell(2, 1), QStringLiteral("150.00000"));
        QVERIFY(QApplication::activeModalWidget() == nullptr);
    }

    void readAndWriteKeysSetTheDirection() {
        f.key(Qt::Key_W);
        QCOMPARE(f.view()->m_bWrite, 1);
        f.key(Qt::Key_R);
        QCOMPARE(f.view()->m_bWrite, 0);
        f.frame()->CommandAction(Id::kWriteData)->trigger();
        QCOMPARE(f.view()->m_bWrite, 1);
    }

    void viewMenuHidesBars() {
        QAction* toolbar = f.frame()->CommandAction(Id::kViewToolbar);
        QVERIFY(toolbar->isChecked());
        toolbar->trigger();
        QVERIFY(f.frame()->ToolBar()->isHidden());
        QVERIFY(!toolbar->isChecked());
        QAction* status = f.frame()->CommandAction(Id::kViewStatusBar);
        status->trigger();
        QVERIFY(f.frame()->statusBar()->isHidden());
        status->trigger();
        QVERIFY(!f.frame()->statusBar()->isHidden());
    }

    void statusBarPanes() {
        QCOMPARE(f.frame()->IdlePrompt()->text(), QStringLiteral("就绪"));
        QStringList names;
        for (QLabel* indicator : f.frame()->Indicators()) {
            names.append(indicator->text());
        }
        QCOMPARE(names, QStringList({"大写", "数字", "滚动"}));
    }

    void standardDialogsSpeakChinese() {
        CProgramApp::InstallTranslations(*qApp);
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("取消"));
        QCOMPARE(QCoreApplication::translate("QPrintPreviewDialog", "Print Preview"),
                 QStringLiteral("打印预览"));
    }

    void typingStartsInTheGrid() {
        QCOMPARE(QApplication::focusWidget(), f.grid());
        QTest::keyClick(QApplication::focusWidget(), '1');
        QVERIFY(f.view()->IsCellEditorOpen());
        QCOMPARE(f.view()->m_editFreq->text(), QStringLiteral("1"));
    }

    void aboutBox() {
        QString caption;
        QStringList texts;
        QTimer::singleShot(0, this, [&] {
            QWidget* box = QApplication::activeModalWidget();
            if (!box) {
                return;
            }
            caption = box->windowTitle();
            for (QLabel* label : box->findChildren<QLabel*>()) {
                texts.append(label->text());
            }
            box->findChild<QPushButton*>()->click();
        });
        f.frame()->CommandAction(Id::kAppAbout)->trigger();
        QCOMPARE(caption, QStringLiteral("关于"));
        QVERIFY(texts.contains(QStringLiteral("版本 1.0.6")));
        QVERIFY(texts.join(' ').contains(QStringLiteral("澜星电子有限公司")));
    }
};

QTEST_MAIN(TestMainFrame)
#include "test_main_frame.moc"
