#pragma once

#include "main_frame.h"
#include "memory_image.h"
#include "ms_flex_grid.h"
#include "program_app.h"
#include "program_doc.h"
#include "program_view.h"
#include "scripted_messenger.h"

#include <QApplication>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

// The whole program as it starts without arguments, with its boxes answered by a script and its
// settings kept out of the user's own store.
struct AppFixture {
    std::unique_ptr<ScriptedMessenger> messenger;
    std::unique_ptr<CProgramApp> app;
    QTemporaryDir dir;

    bool start(const QStringList& arguments = {}) {
        QStandardPaths::setTestModeEnabled(true);
        messenger = std::make_unique<ScriptedMessenger>();
        app = std::make_unique<CProgramApp>();
        if (!app->InitInstance(arguments)) {
            return false;
        }
        frame()->activateWindow();
        return QTest::qWaitForWindowActive(frame());
    }
    void stop() {
        app.reset();
        messenger.reset();
    }

    CMainFrame* frame() const { return app->GetMainWnd(); }
    CProgramView* view() const { return app->GetView(); }
    CProgramDoc* doc() const { return app->GetDocument(); }
    CMSFlexGrid* grid() const { return view()->m_grid; }
    QString cell(int row, int col) const { return grid()->GetTextMatrix(row, col); }
    QString path(const QString& name) const { return dir.filePath(name); }

    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) const {
        QTest::keyClick(frame(), key, modifiers);
    }

    // Types a new channel into the grid as a user would.
    void typeChannel(int row, const QString& frequency) const {
        grid()->SetRow(row);
        grid()->SetCol(1);
        grid()->setFocus();
        for (QChar ch : frequency) {
            QTest::keyClick(QApplication::focusWidget(), ch.toLatin1());
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
};
