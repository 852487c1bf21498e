#include "dialog_units.h"

#include <QFontMetrics>
#include <QWidget>

QSize DialogUnitsToPixels(const QWidget* dialog, int width, int height) {
    const QFontMetrics metrics = dialog->fontMetrics();
    return {width * metrics.averageCharWidth() / 4, height * metrics.height() / 8};
}

void FixDialogSize(QWidget* dialog, int widthUnits, int heightUnits) {
    dialog->setFixedSize(
        dialog->sizeHint().expandedTo(DialogUnitsToPixels(dialog, widthUnits, heightUnits)));
}
