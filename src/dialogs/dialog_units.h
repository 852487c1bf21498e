#pragma once

#include <QSize>

class QWidget;

// The window's dialogs were laid out in dialog units: a quarter of the font's average character
// width across, an eighth of its height down. Converting with the dialog's own font keeps their
// proportions whatever font and screen the user has.
QSize DialogUnitsToPixels(const QWidget* dialog, int width, int height);

// Fixes the dialog at its layout's natural size, but never smaller than its size in dialog units.
void FixDialogSize(QWidget* dialog, int widthUnits, int heightUnits);
