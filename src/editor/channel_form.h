#pragma once

#include "channel_table_model.h"
#include "memory_image.h"

#include <QString>
#include <QWidget>

class ChannelGrid;
class QComboBox;

// The channel table form: the model and band selectors and the 16-channel grid with its in-place
// editors, showing the document's channel table model and editing it by the model's rules. It
// only shows and edits the table; the commands around it belong to the window.
class ChannelForm : public QWidget {
    Q_OBJECT
public:
    // image and channels belong to the document and outlive the view.
    ChannelForm(MemoryImage& image, ChannelTableModel& channels, QWidget* parent = nullptr);

    // Runs each time a document is attached: editors closed, the grid focused.
    void initialUpdate();

    // Commits the editor open over the current cell, if any, as leaving the cell does; false when
    // its value was refused and it stays open. Read, Write and Save call it first so a value
    // being typed is part of what they use.
    bool commitOpenEditor();
    // Closes the open editor without committing it, as Esc does: undo and redo replace what the
    // editor was loaded from.
    void abandonCellEdit();

    // Tells the document its data changed (cell edits, band, model); step names the change for
    // the undo history.
    void markModified(const QString& step = QString());

    // The form's natural size; the frame shrinks to fit it.
    QSize formSize() const { return sizeHint(); }

    ChannelGrid* grid() const { return m_grid; }
    // The editor open over the current cell, or null when none is.
    QWidget* cellEditor() const;

signals:
    // A change the document must remember until it is saved; step names it, or is empty when the
    // document has been told what it was already.
    void documentModified(const QString& step);
    // A document has been attached.
    void documentShown();
    // The frame should shrink to the form's size.
    void resizeParentToFit();
    // What a completed command did, for the status bar.
    void statusMessage(const QString& text);

private:
    void layoutForm();
    void installDelegates();
    void setColumnWidths();
    void changeBand(int band);
    void showSelection(ChannelTable::Selector selector);

    ChannelGrid* m_grid = nullptr;
    QComboBox* m_modelSelector = nullptr;
    QComboBox* m_bandSelector = nullptr;

    MemoryImage& m_image;
    ChannelTableModel& m_channels;

    bool m_decoding = false;
};
