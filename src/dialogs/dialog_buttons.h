#pragma once

class QBoxLayout;
class QDialog;
class QPushButton;

// The "确定" (default) and "取消" pair the option and password dialogs end with, side by side.
struct OkCancelButtons {
    QPushButton* ok = nullptr;
    QPushButton* cancel = nullptr;
    QBoxLayout* layout = nullptr;
};

OkCancelButtons CreateOkCancelButtons(QDialog* dialog);
