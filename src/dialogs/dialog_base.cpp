#include "dialog_base.h"

void CDialog::setVisible(bool visible) {
    if (visible && !isVisible()) {
        OnInitDialog();
    }
    QDialog::setVisible(visible);
}
