#pragma once

#include "channel_edits.h"
#include "channel_table_model.h"
#include "image_diff.h"
#include "memory_image.h"
#include "transfer_engine.h"

#include <QString>
#include <QWidget>

class ChannelGrid;
struct StrayFrequency;
class TransferDialog;
class WindowTransfer;
class QComboBox;

// The channel table form: the model and band selectors and the 16-channel grid with its in-place
// editors, showing the document's channel table model and editing it by the model's rules. The
// view also handles the commands the main window routes to it, on the document's memory image.
class ChannelForm : public QWidget {
    Q_OBJECT
public:
    // image and channels belong to the document and outlive the view.
    ChannelForm(MemoryImage& image, ChannelTableModel& channels, QWidget* parent = nullptr);
    ~ChannelForm() override;

    // Runs each time a document is attached: editors closed, the grid focused.
    void initialUpdate();

    // Commits the editor open over the current cell, if any, as leaving the cell does; false when
    // its value was refused and it stays open. Read, Write and Save call it first so a value
    // being typed is part of what they use.
    bool commitOpenEditor();
    // Closes the open editor without committing it, as Esc does: undo and redo replace what the
    // editor was loaded from.
    void abandonCellEdit();

    // Tells the document its data changed (cell edits, band, model, options, tuning); step names
    // the change for the undo history.
    void markModified(const QString& step = QString());

    // The form's natural size; the frame shrinks to fit it.
    QSize formSize() const { return sizeHint(); }

    ChannelGrid* grid() const { return m_grid; }
    // The editor open over the current cell, or null when none is.
    QWidget* cellEditor() const;
    WindowTransfer* transfer() const { return m_transfer; }
    TransferDirection direction() const;
    const QString& portName() const;
    TransferDialog* transferDialog() const;

    // True from Start until the transfer has closed its port and its dialog. Meanwhile nothing
    // may replace the image, and the window must not close.
    bool isTransferBusy() const;
    // Whether channels of band, the band's name, that it or the raster refuse go to a radio all
    // the same: the user is asked, No being the answer unless they choose otherwise.
    static bool strayChannelsAllowed(QWidget* parent, const QList<StrayFrequency>& strays,
                                     const QString& band);
    // Asks a transfer under way to stop at its next progress step; nothing if none is.
    void cancelTransfer();

public slots:
    void readData();
    void writeData();
    // Reads the radio and reports how it differs from the table, changing nothing here.
    void compareWithRadio();
    // "COM1" to "COM4": the port the next transfer opens.
    void setPortName(const QString& port);
    void openOptionalFeatures();
    void openTuning();

signals:
    // A change the document must remember until it is saved; step names it, or is empty when the
    // document has been told what it was already.
    void documentModified(const QString& step);
    // A document has been attached.
    void documentShown();
    // A read from the radio completed; the document takes the image.
    void radioImageRead(const MemoryImage& image);
    // A compare's read completed: what a write of the table would change, the radio's value on
    // the left.
    void comparedWithRadio(const QList<ImageDiff::Difference>& differences);
    // The frame should shrink to the form's size.
    void resizeParentToFit();
    // A transfer began or ended (its port and dialog are closed by then).
    void transferRunningChanged(bool running);
    // What a completed command did, for the status bar.
    void statusMessage(const QString& text);

private:
    void layoutForm();
    void installDelegates();
    void setColumnWidths();
    void changeBand(int band);
    bool strayChannelsAllowed();
    void showSelection(ChannelTable::Selector selector);
    // The image a Start hands to the radio link: for a write, the table folded in first.
    MemoryImage imageAtStart(TransferDirection direction);

    ChannelGrid* m_grid = nullptr;
    QComboBox* m_modelSelector = nullptr;
    QComboBox* m_bandSelector = nullptr;

    // Transfer direction, the chosen serial port (neither is saved) and the progress dialog.
    WindowTransfer* m_transfer = nullptr;

    MemoryImage& m_image;
    ChannelTableModel& m_channels;

    bool m_decoding = false;
    // The document as a read found it at Start, and whether the user changed it before the read
    // replaced it.
    ChannelEdits::Snapshot m_atReadStart;
    bool m_readReplacedEdits = false;
};
