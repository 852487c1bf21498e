#pragma once

#include "band_limits.h"
#include "memory_image.h"
#include "ms_flex_grid.h"
#include "new_document.h"
#include "program_view.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <memory>

// A shown, active channel view holding a new document, and the user's hands on it.
struct ViewFixture {
    std::unique_ptr<CProgramView> view;
    int modifiedCount = 0;

    bool setUp() {
        modifiedCount = 0;
        FillNewDocument(TheImage());
        view = std::make_unique<CProgramView>();
        QObject::connect(view.get(), &CProgramView::documentModified, [this] { ++modifiedCount; });
        view->OnInitialUpdate();
        view->show();
        view->activateWindow();
        return QTest::qWaitForWindowActive(view.get());
    }

    CMSFlexGrid* grid() const { return view->m_grid; }

    QString cell(int row, int col) const { return grid()->GetTextMatrix(row, col); }

    QStringList row(int r) const {
        QStringList texts;
        for (int col = 1; col < grid()->GetCols(); ++col) {
            texts.append(cell(r, col));
        }
        return texts;
    }

    void click(int row, int col, Qt::MouseButton button = Qt::LeftButton) const {
        QTest::mouseClick(grid()->viewport(), button, {}, grid()->CellRect(row, col).center());
    }

    static QWidget* focus() { return QApplication::focusWidget(); }

    // Types into whatever has the focus, as a user's keyboard would.
    static void type(const QString& text) {
        for (QChar ch : text) {
            QTest::keyClick(focus(), ch.toLatin1());
        }
    }
    static void press(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(focus(), key, modifiers);
    }

    // Puts the grid's current cell at (row, col) from the keyboard side, without opening an
    // editor: the program moves it, as a Col put would.
    void moveTo(int row, int col) const {
        grid()->SetRow(row);
        grid()->SetCol(col);
        grid()->setFocus();
    }

    // A new channel typed the way users do: key on the grid, rest in the editor, Enter.
    void typeChannel(int row, const QString& frequency) const {
        moveTo(row, 1);
        type(frequency);
        press(Qt::Key_Return);
    }

    bool editorOpen() const { return view->IsCellEditorOpen(); }
};

inline const QStringList kNewChannelTail = {
    QStringLiteral("关"), QStringLiteral("关"), QStringLiteral("否"),
    QStringLiteral("高"), QStringLiteral("是"), QStringLiteral("宽"),
    QStringLiteral("否"), QStringLiteral("否"), QStringLiteral("是")};
