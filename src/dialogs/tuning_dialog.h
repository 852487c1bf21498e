#pragma once

#include "memory_image.h"
#include "settings_codec.h"
#include <QDialog>

#include <QList>

class QButtonGroup;
class QComboBox;
class QLineEdit;
class QRadioButton;
class QVBoxLayout;

// "参数调节": the four sets of factory audio tuning values, one set on show at a time. There is no
// way to discard edits: the set on show is written back when the user picks another set and
// whenever the dialog closes (Enter, Esc or the close box).
class TuningDialog : public QDialog {
    Q_OBJECT
public:
    TuningDialog(QWidget* parent, MemoryImage& image);
    ~TuningDialog() override;

    // Image address of the set on show.
    int m_blockAddress;

    // Whether any byte of the image differs from when the dialog opened.
    bool imageChanged() const;

    // The list or edit box that shows the field with this control id (1090-1105), else nullptr.
    QComboBox* list(int controlId) const;
    QLineEdit* edit(int controlId) const;
    // The set buttons in TuningModes() order: "无", "加重", "压扩", "扰频".
    QRadioButton* modeButton(int mode) const;

    void done(int result) override;

protected:
    // Every opening starts from the current values, whoever opens the window and however.
    void showEvent(QShowEvent* event) override;
    void loadValues();
    void chooseNoBlock() { chooseBlock(0); }
    void chooseEmphasisBlock() { chooseBlock(1); }
    void chooseCompanderBlock() { chooseBlock(2); }
    void chooseScramblerBlock() { chooseBlock(3); }
    void storeEditedValue(int box);
    void storeOpenBlock();
    void loadBlock();
    void storeBlock();

    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct FieldControl {
        const TuningField* field;
        QComboBox* list = nullptr;
        QLineEdit* edit = nullptr;
        int value = 0; // the number an edit box last held successfully
    };

    void buildControls();
    void addModeButtons(QVBoxLayout* top);
    void addFieldGroups(QVBoxLayout* top);
    QWidget* addControl(const TuningField& field);
    void chooseBlock(int mode);
    void commitEdits();
    FieldControl* controlFor(int controlId);
    const FieldControl* controlFor(int controlId) const;

    MemoryImage& m_image;
    MemoryImage m_imageAtOpen;
    QList<FieldControl> m_controls;
    QList<QRadioButton*> m_modeButtons;
    QButtonGroup* m_modeGroup = nullptr;
};
