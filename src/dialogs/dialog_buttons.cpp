#include "dialog_buttons.h"

#include <QCoreApplication>
#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

OkCancelButtons CreateOkCancelButtons(QDialog* dialog) {
    OkCancelButtons buttons;
    buttons.ok = new QPushButton(QCoreApplication::translate("DialogButtons", "确定"), dialog);
    buttons.cancel = new QPushButton(QCoreApplication::translate("DialogButtons", "取消"), dialog);
    buttons.ok->setDefault(true);
    buttons.layout = new QHBoxLayout;
    buttons.layout->addWidget(buttons.ok);
    buttons.layout->addWidget(buttons.cancel);
    return buttons;
}
