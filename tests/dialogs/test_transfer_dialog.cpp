#include "transfer_dialog.h"

#include <QtTest>
#include <QtWidgets>

class TransferDialogTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // Before Start, leaving closes the dialog; while a transfer runs, it only raises the flag the
    // transfer polls, and the transfer closes the window itself. Opened again, it waits afresh.
    void cancel_data() {
        QTest::addColumn<QString>("way");
        QTest::addColumn<bool>("running");
        for (bool running : {false, true}) {
            for (const char* way : {"Cancel", "close box"}) {
                QTest::addRow("%s%s", way, running ? " while running" : "")
                    << QString(way) << running;
            }
        }
    }
    void cancel() {
        QFETCH(QString, way);
        QFETCH(bool, running);
        TransferDialog dlg;
        QSignalSpy started(&dlg, &TransferDialog::startTransfer);
        QSignalSpy cancelled(&dlg, &TransferDialog::cancelTransfer);
        dlg.show();
        dlg.verifyBox()->setChecked(running);
        if (running) { // Start greys at once and starts the transfer once the click is handled
            QTest::mouseClick(dlg.startButton(), Qt::LeftButton);
            QVERIFY(!dlg.startButton()->isEnabled() && started.isEmpty());
            QVERIFY(!dlg.verifyBox()->isEnabled()); // the running transfer took the choice
            QTRY_COMPARE(started.count(), 1);
            QTest::keyClick(&dlg, Qt::Key_Return); // cannot start a second transfer
            QCOMPARE(dlg.stepIt(), 1);
        }
        way == "Cancel" ? QTest::mouseClick(dlg.cancelButton(), Qt::LeftButton) : void(dlg.close());
        QCOMPARE(dlg.isVisible(), running);
        QCOMPARE(dlg.cancelRequested(), running);
        QCOMPARE(cancelled.count(), int(running));
        dlg.closeWindow();
        QVERIFY(!dlg.isVisible());

        dlg.setTitle(QStringLiteral("写数据"));
        QVERIFY(dlg.openOver(nullptr));
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        // The read-back choice is remembered, by this window and the next one.
        QCOMPARE(dlg.verifyAfterWrite(), running);
        QCOMPARE(TransferDialog().verifyAfterWrite(), running);
        QVERIFY(!dlg.isModal() && dlg.startButton()->isDefault() && dlg.startButton()->hasFocus());
        QVERIFY(!dlg.cancelRequested() && dlg.startButton()->isEnabled());
        QCOMPARE(dlg.pos(), 0);
        QCOMPARE(dlg.stepIt(), 1); // the step is one block again
    }
};

QTEST_MAIN(TransferDialogTest)
#include "test_transfer_dialog.moc"
