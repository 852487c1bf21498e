#include "transfer_dialog.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

class TransferDialogTest : public QObject {
    Q_OBJECT

private slots:
    void opensWaitingWithItsTitle();
    void startGreysAtOnceAndStartsTheTransferLater();
    void cancelBeforeStartCloses_data();
    void cancelBeforeStartCloses();
    void cancelWhileRunningOnlyRaisesTheFlag_data();
    void cancelWhileRunningOnlyRaisesTheFlag();
    void reopeningStartsAfresh();

private:
    // The grid the view centres the dialog over.
    QWidget m_grid;
};

void TransferDialogTest::opensWaitingWithItsTitle() {
    m_grid.setGeometry(100, 100, 600, 400);
    m_grid.show();
    CTransferDlg dlg(&m_grid);
    dlg.m_strTitle = QStringLiteral("读数据");
    QVERIFY(dlg.OpenOver(&m_grid));
    QVERIFY(QTest::qWaitForWindowActive(&dlg));

    QVERIFY(!dlg.isModal());
    QCOMPARE(dlg.windowTitle(), QStringLiteral("读数据"));
    QVERIFY(dlg.startButton()->isEnabled());
    QVERIFY(dlg.startButton()->hasFocus());
    QVERIFY(dlg.startButton()->isDefault());
    QCOMPARE(dlg.GetPos(), 0);
    QCOMPARE(dlg.progressBar()->maximum(), 114);
    QCOMPARE(dlg.countLabel()->text(), QStringLiteral("0"));
    QCOMPARE(dlg.m_bCancel, 0);
    const QPoint offset = dlg.geometry().center() - m_grid.geometry().center();
    QVERIFY2(offset.manhattanLength() <= 8, "centred over the grid");

    // A second Read or Write while it is open opens nothing and keeps the caption.
    dlg.m_strTitle = QStringLiteral("写数据");
    QVERIFY(!dlg.OpenOver(&m_grid));
    QCOMPARE(dlg.windowTitle(), QStringLiteral("读数据"));
}

void TransferDialogTest::startGreysAtOnceAndStartsTheTransferLater() {
    CTransferDlg dlg;
    QSignalSpy started(&dlg, &CTransferDlg::startTransfer);
    bool greyWhenStarted = false;
    connect(
        &dlg, &CTransferDlg::startTransfer, &dlg,
        [&] { greyWhenStarted = !dlg.startButton()->isEnabled(); }, Qt::DirectConnection);
    dlg.show();

    QTest::mouseClick(dlg.startButton(), Qt::LeftButton);
    QVERIFY(!dlg.startButton()->isEnabled());
    QCOMPARE(started.count(), 0); // not yet: the click is handled first
    QTRY_COMPARE(started.count(), 1);
    QVERIFY(greyWhenStarted);
    QVERIFY(dlg.isVisible());

    // Enter cannot start a second transfer.
    QTest::keyClick(&dlg, Qt::Key_Return);
    QTest::qWait(10);
    QCOMPARE(started.count(), 1);
}

void TransferDialogTest::cancelBeforeStartCloses_data() {
    QTest::addColumn<QString>("way");
    QTest::newRow("Cancel") << "cancel";
    QTest::newRow("Esc") << "esc";
    QTest::newRow("close box") << "close";
}

static void CancelBy(CTransferDlg& dlg, const QString& way) {
    if (way == "cancel") {
        QTest::mouseClick(dlg.cancelButton(), Qt::LeftButton);
    } else if (way == "esc") {
        QTest::keyClick(&dlg, Qt::Key_Escape);
    } else {
        dlg.close();
    }
}

void TransferDialogTest::cancelBeforeStartCloses() {
    QFETCH(QString, way);
    CTransferDlg dlg;
    QSignalSpy started(&dlg, &CTransferDlg::startTransfer);
    dlg.show();
    CancelBy(dlg, way);
    QVERIFY(!dlg.isVisible());
    QCOMPARE(dlg.m_bCancel, 0);
    QTest::qWait(10);
    QCOMPARE(started.count(), 0);
}

void TransferDialogTest::cancelWhileRunningOnlyRaisesTheFlag_data() {
    cancelBeforeStartCloses_data();
}

void TransferDialogTest::cancelWhileRunningOnlyRaisesTheFlag() {
    QFETCH(QString, way);
    CTransferDlg dlg;
    dlg.show();
    QTest::mouseClick(dlg.startButton(), Qt::LeftButton);
    CancelBy(dlg, way);
    QVERIFY(dlg.isVisible());
    QCOMPARE(dlg.m_bCancel, 1);
    QVERIFY(dlg.CancelRequested());

    // The transfer sees the flag and closes the window itself.
    dlg.CloseWindow();
    QVERIFY(!dlg.isVisible());
}

void TransferDialogTest::reopeningStartsAfresh() {
    CTransferDlg dlg;
    dlg.m_strTitle = QStringLiteral("读数据");
    dlg.show();
    QTest::mouseClick(dlg.startButton(), Qt::LeftButton);
    for (int block = 1; block <= 114; ++block) {
        QCOMPARE(dlg.StepIt(), block);
    }
    QCOMPARE(dlg.progressBar()->value(), dlg.progressBar()->maximum());
    QTest::mouseClick(dlg.cancelButton(), Qt::LeftButton);
    dlg.CloseWindow();

    dlg.m_strTitle = QStringLiteral("写数据");
    QVERIFY(dlg.OpenOver(nullptr));
    QCOMPARE(dlg.windowTitle(), QStringLiteral("写数据"));
    QCOMPARE(dlg.m_bCancel, 0);
    QCOMPARE(dlg.GetPos(), 0);
    QVERIFY(dlg.startButton()->isEnabled());
    QCOMPARE(dlg.StepIt(), 1); // the step is one block again
}

QTEST_MAIN(TransferDialogTest)
#include "test_transfer_dialog.moc"
