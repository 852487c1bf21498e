#pragma once

#include <QDialog>

// "关于": version and maker, with the program's icon and an OK button.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);
};
