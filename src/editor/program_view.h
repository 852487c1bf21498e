#pragma once

#include "channel_table_model.h"
#include "memory_image.h"
#include "transfer_engine.h"

#include <QString>
#include <QWidget>

class CMSFlexGrid;
class CTransferDlg;
class QAction;
class QComboBox;
class QKeyEvent;
class QLineEdit;

// The channel table form: the model and band selectors and the 16-channel grid with its in-place
// editors, showing the document's channel table model and editing it by the model's rules. The
// view also handles the commands the main window routes to it, on the document's memory image.
class CProgramView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kRows = 17;
    static constexpr int kCols = 12;

    // image and channels belong to the document and outlive the view.
    CProgramView(MemoryImage& image, ChannelTableModel& channels, QWidget* parent = nullptr);
    ~CProgramView() override;

    // Runs each time a document is attached: fixed texts, editors hidden, image decoded.
    void OnInitialUpdate();
    // The document's memory image into the table, and back.
    void DecodeChannels();
    void EncodeChannels();

    void OnSelChangeBand();

    // ---- Cell editing ----
    // Commits the open editor of the current cell. Read, Write and Save call it first so a value
    // being typed is part of what they use.
    void OnLeaveCell();
    void OnKeyPressGrid(int keyAscii);
    void OnMouseDownGrid(short button, short shift, long x, long y);
    void ShowCellEditor(int keyAscii);
    // The Enter key while an editor is open; true when the key was used.
    bool PreTranslateMessage(QKeyEvent* event);
    // Whether the editor of the current column is on show.
    bool IsCellEditorOpen() const;
    // Closes the open editor without committing it, as Esc does: undo and redo replace what the
    // editor was loaded from.
    void AbandonCellEdit();

    // Tells the document its data changed (cell edits, band, model, options, tuning); step names
    // the change for the undo history.
    void MarkModified(const QString& step = QString());

    // The form's natural size; the frame shrinks to fit it.
    QSize FormSize() const { return sizeHint(); }

    CMSFlexGrid* grid() const { return m_grid; }
    // The editor open over the current cell, or null when none is.
    QWidget* cellEditor() const;
    TransferDirection direction() const { return m_direction; }
    const QString& portName() const { return m_portName; }
    CTransferDlg* transferDialog() const { return m_transferDialog; }

    // True from Start until the transfer has closed its port and its dialog. Meanwhile nothing
    // may replace the image, and the window must not close.
    bool IsTransferBusy() const;
    // Asks a transfer under way to stop at its next progress step; nothing if none is.
    void CancelTransfer();

public slots:
    void OnReadData();
    void OnWriteData();
    // "COM1" to "COM4": the port the next transfer opens.
    void setPortName(const QString& port) { m_portName = port; }
    void OnOptionalFeatures();
    void OnTuning();
    // Start was pressed: the whole transfer runs here, pumping events between blocks.
    void OnTransfer();

signals:
    // A change the document must remember until it is saved; step names it, or is empty when the
    // document has been told what it was already.
    void documentModified(const QString& step);
    // A document has been attached and decoded into the table.
    void documentShown();
    // A read from the radio completed; the document takes the image.
    void radioImageRead(const MemoryImage& image);
    // The frame should shrink to the form's size.
    void resizeParentToFit();
    // A transfer began or ended (its port and dialog are closed by then).
    void transferRunningChanged(bool running);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void LayoutForm();
    void InstallDelegates();
    void WatchEditor(QWidget* editor);
    void SetColumnWidths();
    // The transfer's progress dialog opens here once the link is plugged in.
    void OpenTransferDialog(const QString& title);
    // True when a read brought the radio's memory into received.
    bool RunTransfer(CTransferDlg& dialog, MemoryImage& received);
    void SetTransferRunning(bool running);

    void SetEditorText(QWidget* editor, const QString& text);
    bool AcceptOrRefuse(const FrequencyCheck& check, QWidget* editor);
    bool CommitChoiceOrRefuse(int row, int col, QWidget* editor, ChannelTableModel::Commit how);
    void AbandonEdit(QWidget* editor);
    void CommitEnterFrequency(int row, int col, const QString& text, QWidget* editor);
    void ShowSelection(ChannelTable::Selector selector);

    CMSFlexGrid* m_grid = nullptr;
    QComboBox* m_modelSelector = nullptr;
    QComboBox* m_bandSelector = nullptr;

    // Transfer direction and the chosen serial port; neither is saved.
    TransferDirection m_direction = TransferDirection::Read;
    QString m_portName = QStringLiteral("COM1");
    // The one progress dialog; its window opens for each transfer and closes at its end.
    CTransferDlg* m_transferDialog = nullptr;

    MemoryImage& m_image;
    ChannelTableModel& m_channels;

    bool m_decoding = false;
    // The frequency editor was emptied by a refusal and nothing has been typed since: leaving it
    // so abandons the edit instead of committing the empty text, which would clear the channel.
    bool m_emptiedByRefusal = false;
    bool m_transferRunning = false;
};
