#pragma once

#include "application.h"
#include "channel_codec.h"
#include "channel_document.h"
#include "channel_form.h"
#include "channel_grid.h"
#include "channel_table.h"
#include "main_window.h"
#include "memory_image.h"
#include "scripted_messenger.h"
#include "transfer_dialog.h"
#include "window_transfer.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

// The whole program as it starts, its boxes answered by a script and its settings and log kept out
// of the user's own store, and the user's hands on its channel grid.
struct WindowFixture {
    std::unique_ptr<ScriptedMessenger> messenger;
    std::unique_ptr<Application> app;
    QTemporaryDir dir;

    bool start(const QStringList& arguments = {}) {
        QStandardPaths::setTestModeEnabled(true);
        // The programming log too: other builds on the machine may keep theirs in the user's.
        qputenv("XDG_DATA_HOME", dir.path().toLocal8Bit());
        messenger = std::make_unique<ScriptedMessenger>();
        app = std::make_unique<Application>();
        if (!app->initialize(arguments)) {
            return false;
        }
        transfer()->setBackupFolder(backupFolder());
        frame()->activateWindow();
        return QTest::qWaitForWindowActive(frame());
    }
    void stop() {
        app.reset();
        messenger.reset();
    }

    MainWindow* frame() const { return app->mainWindow(); }
    ChannelForm* view() const { return app->form(); }
    ChannelDocument* doc() const { return app->document(); }
    WindowTransfer* transfer() const { return app->transfer(); }
    TransferDialog* dialog() const { return transfer()->dialog(); }
    ChannelGrid* grid() const { return view()->grid(); }
    // The model and band selectors above the grid.
    QComboBox* modelSelector() const { return view()->findChild<QComboBox*>("comboModel"); }
    QComboBox* bandSelector() const { return view()->findChild<QComboBox*>("comboBand"); }
    // The editor open over the current cell, as the kind of widget it is; null when none is.
    QLineEdit* lineEditor() const { return qobject_cast<QLineEdit*>(view()->cellEditor()); }
    QComboBox* comboEditor() const { return qobject_cast<QComboBox*>(view()->cellEditor()); }
    ChannelTableModel& table() const { return doc()->channels(); }
    const ChannelTable& channels() const { return doc()->table(); }
    // A cell written as a file or a paste would, outside the editing rules.
    void setCell(int row, int col, const QString& text) const {
        table().edit([&](ChannelTable& t) { t.setCellText(row, col, text); });
    }
    MemoryImage& image() const { return doc()->image(); }
    QString path(const QString& name) const { return dir.filePath(name); }
    // What the status bar says of the last command.
    QString status() const { return frame()->statusBar()->currentMessage(); }
    bool writeFile(const QString& name, const QByteArray& bytes) const {
        QFile file(path(name));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }
    QString backupFolder() const { return path(QStringLiteral("backups")); }
    // Row 0 holds the headers, rows 1 to 16 the channels.
    QString cell(int row, int col) const { return table().cellText(row, col); }
    // The cells of the columns a radio holds, which these tests read, write and compare.
    QStringList row(int r) const { return radioCells(channels(), r); }
    static QStringList radioCells(const ChannelTable& table, int row) {
        QStringList texts;
        for (int col = 1; col < ChannelColumns::kCount; ++col) {
            if (ChannelColumns::InImage(col)) {
                texts.append(table.cellText(row, col));
            }
        }
        return texts;
    }
    static QStringList tableTexts(const ChannelTable& table) {
        QStringList texts;
        for (int row = 1; row <= 16; ++row) {
            texts += radioCells(table, row);
        }
        return texts;
    }
    static ChannelTable decoded(const MemoryImage& image) {
        ChannelTable table;
        DecodeChannels(image, table);
        return table;
    }
    // The current cell as (channel, table column).
    QPoint current() const {
        return {grid()->currentIndex().row() + 1, grid()->currentIndex().column() + 1};
    }
    bool editorOpen() const { return view()->cellEditor() != nullptr; }
    // The grid's cell of a channel (1 to 16) and a table column (1 to 11).
    QModelIndex index(int row, int col) const { return table().cellIndex(row, col); }
    // A command by its action's name, as menus, toolbar and keys reach it.
    QAction* action(const char* name) const {
        return frame()->findChild<QAction*>(QLatin1String(name), Qt::FindDirectChildrenOnly);
    }

    // Presses Start and waits until the transfer has closed the dialog.
    bool startAndWait() const {
        if (!dialog()->isWindowOpen()) {
            return false;
        }
        QTest::mouseClick(dialog()->startButton(), Qt::LeftButton);
        return waitUntilDone();
    }
    bool waitUntilDone() const {
        return QTest::qWaitFor(
            [this] { return !dialog()->isWindowOpen() && !transfer()->isBusy(); }, 30000);
    }
    // A command key to the main window.
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) const {
        QTest::keyClick(frame(), key, modifiers);
    }
    void click(int row, int col, Qt::MouseButton button = Qt::LeftButton) const {
        QTest::mouseClick(grid()->viewport(), button, {},
                          grid()->visualRect(index(row, col)).center());
    }
    // A press on a channel's number, the rows' header.
    void clickNumber(int channel, Qt::KeyboardModifiers modifiers = {}) const {
        QHeaderView* numbers = grid()->verticalHeader();
        const int y = numbers->sectionViewportPosition(channel - 1) + numbers->sectionSize(0) / 2;
        QTest::mouseClick(numbers->viewport(), Qt::LeftButton, modifiers,
                          QPoint(numbers->width() / 2, y));
    }
    // Types into whatever has the focus, as a user's keyboard would.
    static void type(const QString& text) {
        for (QChar ch : text) {
            QTest::keyClick(QApplication::focusWidget(), ch.toLatin1());
        }
    }
    static void press(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }
    // Puts the current cell at (row, col) without opening an editor, as the program does.
    void moveTo(int row, int col) const {
        grid()->setCurrentIndex(index(row, col));
        grid()->setFocus();
    }
    // A new channel typed the way users do: key on the grid, rest in the editor, Enter.
    void typeChannel(int row, const QString& frequency) const {
        moveTo(row, 1);
        type(frequency);
        press(Qt::Key_Return);
    }
};

// The options a new channel gets, columns 3 to 11.
inline const QStringList kNewChannelTail = {
    QStringLiteral("关"), QStringLiteral("关"), QStringLiteral("否"),
    QStringLiteral("高"), QStringLiteral("是"), QStringLiteral("宽"),
    QStringLiteral("否"), QStringLiteral("否"), QStringLiteral("是")};
