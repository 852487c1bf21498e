#include "fleet_commands.h"

#include "channel_document.h"
#include "fleet_database.h"
#include "fleet_dialog.h"
#include "fleet_status.h"
#include "log_writer.h"
#include "main_window.h"
#include "messenger.h"
#include "plan_name_dialog.h"
#include "plan_store.h"
#include "programming_record.h"

FleetCommands::FleetCommands(MainWindow* frame, ChannelDocument* document)
    : QObject(frame), m_frame(frame), m_document(document) {
    using Command = MainWindow::Command;
    frame->connectCommand(Command::Fleet, this, &FleetCommands::showFleet);
    frame->connectCommand(Command::FileSaveAsPlan, this, &FleetCommands::saveAsPlan);
}

void FleetCommands::showFleet() {
    if (!m_dialog) {
        m_dialog = new FleetDialog(m_frame);
        m_dialog->setAttribute(Qt::WA_DeleteOnClose);
        connect(m_dialog, &FleetDialog::imageRestored, this, &FleetCommands::imageRestored);
    } else {
        m_dialog->refresh();
    }
    m_dialog->show();
    m_dialog->raise();
    m_dialog->activateWindow();
}

void FleetCommands::refreshFleet() {
    if (m_dialog) {
        m_dialog->refresh();
    }
}

QStringList FleetCommands::planNames() const {
    FleetDatabase database(LogWriter::Location());
    QList<PlanVersion> versions;
    if (!database.open(false).isEmpty() || database.absent()) {
        return {};
    }
    PlanStore(database).list(&versions);
    QStringList names;
    for (const PlanVersion& version : versions) {
        if (!names.contains(version.plan)) {
            names.append(version.plan);
        }
    }
    return names;
}

void FleetCommands::saveAsPlan() {
    PlanNameDialog dialog(planNames(), m_frame);
    if (dialog.exec() == QDialog::Accepted) {
        addPlanVersion(dialog.name(), dialog.note());
    }
}

// The image as Save writes it: the table, with the cell being edited, folded in.
MemoryImage FleetCommands::imageToSave() const {
    emit m_document->aboutToSave();
    return m_document->savedImage();
}

bool FleetCommands::addPlanVersion(const QString& name, const QString& note) {
    QString problem = PlanStore::NameProblem(name.trimmed());
    if (problem.isEmpty()) {
        problem = RecordFields::LabelProblem(note);
    }
    FleetDatabase database(LogWriter::Location());
    if (problem.isEmpty()) {
        problem = database.open(true);
    }
    PlanVersion version;
    bool added = false;
    if (problem.isEmpty()) {
        problem = PlanStore(database).add(name.trimmed(), imageToSave(), note, &version, &added);
    }
    if (!problem.isEmpty()) {
        ShowWarning(m_frame, tr("没有保存为计划：%1").arg(problem));
        return false;
    }
    m_frame->showStatus(
        added ? tr("已保存为计划 %1 的第 %2 版").arg(version.plan).arg(version.version)
              : tr("内容与计划 %1 的最新版本（第 %2 版）相同，没有添加版本")
                    .arg(version.plan)
                    .arg(version.version));
    const QStringList misfits = added ? FleetStatus::Misfits(database, version) : QStringList();
    if (!misfits.isEmpty()) {
        ShowWarning(m_frame, tr("有电台自己的值不适合新版本，写它们之前请改正："),
                    misfits.join(QLatin1Char('\n')));
    }
    refreshFleet();
    return added;
}
