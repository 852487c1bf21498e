#include "about_dialog.h"

#include "form_units.h"
#include "toolbar_icons.h"

#include <QLabel>
#include <QPushButton>

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("aboutDialog"));
    setWindowTitle(QStringLiteral("关于"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    QFont dialogFont(QStringLiteral("Arial"));
    dialogFont.setPointSize(8);
    setFont(dialogFont);
    const FormUnits du(font());

    auto* icon = new QLabel(this);
    icon->setPixmap(ToolbarIcons::ApplicationIcon().pixmap(32, 32));
    icon->setGeometry(du.x(163), du.y(14), 32, 32);

    auto* version = new QLabel(QStringLiteral("版本 1.0.6"), this);
    version->setObjectName(QStringLiteral("versionLabel"));
    version->setGeometry(du.rect(16, 12, 119, 8).adjusted(0, 0, 0, 4));

    auto* maker = new QLabel(QStringLiteral("澜星电子有限公司\n版权所有"), this);
    maker->setObjectName(QStringLiteral("makerLabel"));
    maker->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    maker->setGeometry(du.rect(16, 30, 119, 28).adjusted(0, 0, 0, 4));

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    ok->setGeometry(du.rect(153, 40, 41, 14));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    setFixedSize(du.x(209), qMax(du.y(70), ok->geometry().bottom() + du.y(8)));
}
