#include "about_dialog.h"
#include "window_fixture.h"

#include <QAction>
#include <QLabel>
#include <QToolBar>
#include <QToolButton>

// The pictures are image files built into the program: each toolbar button and the window show
// one, at the size they are drawn for.
class TestImages : public QObject {
    Q_OBJECT

private slots:
    void init() { QVERIFY(m_window.start()); }
    void cleanup() { m_window.stop(); }

    void toolbarButtonsShowTheirPictures() {
        auto* toolBar = m_window.frame()->findChild<QToolBar*>(QStringLiteral("mainToolBar"));
        QVERIFY(toolBar != nullptr);
        QStringList seen;
        QList<QImage> images;
        for (QAction* action : toolBar->actions()) {
            if (action->isSeparator()) {
                continue;
            }
            seen.append(action->toolTip());
            const QPixmap pixmap = action->icon().pixmap(QSize(18, 18));
            QVERIFY2(!pixmap.isNull(), qPrintable(action->toolTip()));
            QCOMPARE(pixmap.size(), QSize(18, 18));
            images.append(pixmap.toImage());
        }
        QCOMPARE(seen, QStringList({QStringLiteral("新建"), QStringLiteral("打开"),
                                    QStringLiteral("保存"), QStringLiteral("读频"),
                                    QStringLiteral("写频"), QStringLiteral("打印"),
                                    QStringLiteral("关于")}));
        for (int i = 0; i < images.size(); ++i) {
            for (int j = i + 1; j < images.size(); ++j) {
                QVERIFY2(images[i] != images[j], qPrintable(seen[i] + QLatin1Char('/') + seen[j]));
            }
        }
    }

    void windowAndAboutBoxShowTheProgramIcon() {
        const QIcon icon = m_window.frame()->windowIcon();
        for (int size : {16, 32, 48, 256}) {
            QCOMPARE(icon.pixmap(QSize(size, size)).size(), QSize(size, size));
        }
        CAboutDlg about(m_window.frame());
        QLabel* picture = nullptr;
        for (QLabel* label : about.findChildren<QLabel*>()) {
            if (!label->pixmap().isNull()) {
                picture = label;
            }
        }
        QVERIFY(picture != nullptr);
        QCOMPARE(picture->pixmap().toImage(), icon.pixmap(QSize(32, 32)).toImage());
    }

private:
    WindowFixture m_window;
};

QTEST_MAIN(TestImages)
#include "test_images.moc"
