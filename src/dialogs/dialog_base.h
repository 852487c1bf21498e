#pragma once

#include <QDialog>

// The standard dialog the window's dialogs build on: OnInitDialog runs every time the window
// goes from hidden to shown, before it appears, so exec(), show() and a reopened modeless
// dialog all start from the image's current values.
class CDialog : public QDialog {
    Q_OBJECT
public:
    using QDialog::QDialog;

    void setVisible(bool visible) override;

protected:
    virtual bool OnInitDialog() = 0;
};
