#include "about_dialog.h"

#include "toolbar_icons.h"

#include <QGridLayout>
#include <QLabel>
#include <QLayout>
#include <QPushButton>

// Version and maker on the left, the icon and OK on the right, at the size the texts need.
AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("aboutDialog"));
    setWindowTitle(tr("关于"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("iconLabel"));
    icon->setPixmap(ToolbarIcons::ApplicationIcon().pixmap(32, 32));

    auto* version = new QLabel(tr("版本 1.0.6"), this);
    version->setObjectName(QStringLiteral("versionLabel"));

    auto* maker = new QLabel(tr("澜星电子有限公司\n版权所有"), this);
    maker->setObjectName(QStringLiteral("makerLabel"));
    maker->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(grid->spacing() * 3);
    grid->addWidget(version, 0, 0);
    grid->addWidget(icon, 0, 1, Qt::AlignHCenter | Qt::AlignTop);
    grid->addWidget(maker, 1, 0, 2, 1);
    grid->addWidget(ok, 2, 1, Qt::AlignBottom);
    grid->setSizeConstraint(QLayout::SetFixedSize);
}
