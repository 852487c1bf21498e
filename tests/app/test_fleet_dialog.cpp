// The fleet in the window, on a log of the test's own: each radio's state in words, filters that
// narrow the radios, a history record's kept image becoming the document byte for byte, and the
// document saved as a plan's next version only when its content changed.

#include "fleet_commands.h"
#include "fleet_database.h"
#include "fleet_dialog.h"
#include "log_writer.h"
#include "new_document.h"
#include "programming_log.h"
#include "radio_store.h"
#include "window_fixture.h"

#include <QAccessible>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTableView>
#include <QUndoStack>

namespace {

using Operation = ProgrammingRecord::Operation;
using Result = ProgrammingRecord::Result;

QByteArray Bytes(const MemoryImage& image) {
    return QByteArray(reinterpret_cast<const char*>(image.bytes().data()), MemoryImage::kSize);
}

ProgrammingRecord Record(const QString& label, Operation operation, const QByteArray& image,
                         Result result = Result::Succeeded) {
    ProgrammingRecord record;
    record.started = QDateTime::currentDateTimeUtc();
    record.operation = operation;
    record.label = label;
    record.image = image;
    record.imageSha256 = ProgrammingRecord::Sha256(image);
    record.result = result;
    record.plan = QStringLiteral("城区");
    record.planVersion = 1;
    return record;
}

QStringList Column(const QTableView* table, int column) {
    QStringList texts;
    for (int row = 0; row < table->model()->rowCount(); ++row) {
        texts.append(table->model()->index(row, column).data().toString());
    }
    return texts;
}

} // namespace

class TestFleetDialog : public QObject {
    Q_OBJECT

private:
    WindowFixture f;

private slots:
    void init() { QVERIFY(f.start()); }
    void cleanup() { f.stop(); }

    void savesTheDocumentAsAPlanOnlyWhenItChanged() {
        FleetCommands* fleet = f.app->fleetCommands();
        QVERIFY(!fleet->addPlanVersion(QStringLiteral("城@区"), QString()));
        QCOMPARE(f.messenger->shown.size(), 1);
        QVERIFY(!QFile::exists(LogWriter::Location().localPath));
        QVERIFY(fleet->addPlanVersion(QStringLiteral("城区"), QStringLiteral("初版")));
        QCOMPARE(f.status(), QStringLiteral("已保存为计划 城区 的第 1 版"));
        QVERIFY(!fleet->addPlanVersion(QStringLiteral("城区"), QString()));
        QVERIFY(f.status().contains(QStringLiteral("没有添加版本")));
        f.typeChannel(1, "150"); // a typed channel is in what Save would write
        QVERIFY(fleet->addPlanVersion(QStringLiteral("城区"), QString()));
        QCOMPARE(f.status(), QStringLiteral("已保存为计划 城区 的第 2 版"));
    }

    void showsFiltersAndRestoresTheFleet() {
        QVERIFY(f.app->fleetCommands()->addPlanVersion(QStringLiteral("城区"), QString()));
        QByteArray plan;
        MemoryImage held = NewDocumentImage();
        held.WriteByte(0x010, 0x5A);
        {
            FleetDatabase database(LogWriter::Location());
            QVERIFY(database.open(false).isEmpty());
            PlanVersion version;
            QVERIFY(PlanStore(database).find(QStringLiteral("城区"), 0, &version).isEmpty());
            plan = Bytes(version.image);
            for (const auto& [label, group] :
                 {std::pair{"车1", "东"}, std::pair{"车2", "西"}, std::pair{"车3", "东"}}) {
                QVERIFY(RadioStore(database).add({label, group, {}, "城区", {}}).isEmpty());
            }
        }
        const ProgrammingLog log(LogWriter::Location());
        for (const ProgrammingRecord& record :
             {Record("车1", Operation::Read, Bytes(held)), Record("车1", Operation::Write, plan),
              Record("车1", Operation::ReadBack, plan),
              Record("车2", Operation::Write, plan, Result::Failed)}) {
            QVERIFY(log.append(record).ok);
        }

        f.action("actionFleet")->trigger();
        FleetDialog* dialog = f.app->fleetCommands()->fleetDialog();
        QVERIFY(dialog);
        QTableView* radios = dialog->radioTable();
        QCOMPARE(Column(radios, 0), QStringList({"车1", "车2", "车3"}));
        QCOMPARE(Column(radios, 7), QStringList({"最新", "失败", "从未写"}));
        QCOMPARE(QAccessible::queryAccessibleInterface(radios)->text(QAccessible::Name),
                 QStringLiteral("电台"));

        dialog->groupFilter()->setCurrentText(QStringLiteral("东"));
        QCOMPARE(Column(radios, 0), QStringList({"车1", "车3"}));
        dialog->stateFilter()->setCurrentText(QStringLiteral("从未写"));
        QCOMPARE(Column(radios, 0), QStringList({"车3"}));
        QCOMPARE(dialog->statusLabel()->text(), QStringLiteral("显示 1 台电台，共 3 台"));
        dialog->groupFilter()->setCurrentIndex(0);
        dialog->stateFilter()->setCurrentIndex(0);
        dialog->labelFilter()->setText(QStringLiteral("1"));
        QCOMPARE(Column(radios, 0), QStringList({"车1"}));
        f.messenger->savePaths.enqueue(f.path("fleet.csv"));
        dialog->exportCsv();
        QFile csv(f.path("fleet.csv"));
        QVERIFY(csv.open(QIODevice::ReadOnly));
        QCOMPARE(csv.readAll().count('\n'), 2); // the header and 车1

        QTableView* history = dialog->historyTable();
        QCOMPARE(Column(history, 1), QStringList({"读取", "写入", "读回校验"}));
        f.typeChannel(2, "160"); // an edit that Restore asks about first, and is let go
        f.messenger->saveAnswers.enqueue(Messenger::SaveChoice::Discard);
        history->selectRow(0);
        dialog->restoreSelected();
        QCOMPARE(Bytes(f.image()), Bytes(held));
        QVERIFY(f.doc()->pathName().isEmpty());
        QVERIFY(!f.doc()->isModified());
        QVERIFY(!f.doc()->undoStack()->canUndo());
    }
};

QTEST_MAIN(TestFleetDialog)
#include "test_fleet_dialog.moc"
