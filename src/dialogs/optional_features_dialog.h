#pragma once

#include "memory_image.h"
#include "settings_codec.h"
#include <QDialog>

#include <map>

class QCheckBox;
class QComboBox;
class QPushButton;

// "可选功能": the radio-wide options (squelch, time-out, VOX, battery saver, priority channel,
// language, beep). Loads the option bytes when it opens and writes them back only on OK; Cancel,
// Esc and the close box leave the image alone.
class OptionalFeaturesDialog : public QDialog {
    Q_OBJECT
public:
    OptionalFeaturesDialog(QWidget* parent, MemoryImage& image);

    // Whether the last OK rewrote any byte of the image.
    bool imageChanged() const { return m_imageChanged; }

    QComboBox* list(OptionList which) const { return m_lists.at(which); }
    QCheckBox* beepBox() const { return m_beep; }
    QCheckBox* voxBox() const { return m_vox; }
    QPushButton* okButton() const { return m_ok; }
    QPushButton* cancelButton() const { return m_cancel; }

    void accept() override;

protected:
    // Every opening starts from the current values, whoever opens the window and however.
    void showEvent(QShowEvent* event) override;
    void loadValues();

private:
    void buildControls();
    QComboBox* addList(OptionList which);

    MemoryImage& m_image;
    std::map<OptionList, QComboBox*> m_lists;
    QCheckBox* m_beep = nullptr;
    QCheckBox* m_vox = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    bool m_imageChanged = false;
};
