#pragma once

#include "channel_edits.h"
#include "image_diff.h"
#include "memory_image.h"
#include "transfer_engine.h"

#include <QList>
#include <QObject>
#include <QString>

class ChannelDocument;
class ChannelTableModel;
class ChannelForm;
class MainWindow;
class WindowTransfer;
struct StrayFrequency;
class QWidget;

// The window's transfer commands: Read, Write and Compare, the port the next transfer opens, and
// the question before a write sends channels the radio cannot use. They own the radio link's
// controller; a completed read goes into the document, a compare's read is reported, and the
// form is only asked to settle its editor.
class TransferCommands : public QObject {
    Q_OBJECT
public:
    // The commands go with frame's Read, Write and port actions; document gives and takes the
    // image.
    TransferCommands(MainWindow* frame, ChannelDocument* document);
    ~TransferCommands() override;

    WindowTransfer* transfer() const { return m_transfer; }

    void readData();
    void writeData();
    // Reads the radio and reports how it differs from the table, changing nothing here.
    void compareWithRadio();
    // COM1 to COM4 (n 1 to 4): the port the next transfer opens, named in the status bar.
    void choosePort(int n);

    // Whether channels of band, the band's name, that it or the raster refuse go to a radio all
    // the same: the user is asked, No being the answer unless they choose otherwise.
    static bool strayChannelsAllowed(QWidget* parent, const QList<StrayFrequency>& strays,
                                     const QString& band);

signals:
    // A compare's read completed: what a write of the table would change, the radio's value on
    // the left.
    void comparedWithRadio(const QList<ImageDiff::Difference>& differences);

private:
    void connectTransfer();
    bool strayChannelsAllowed();
    // The image a Start hands to the radio link, the table folded in; a read also notes the
    // document as it stood.
    MemoryImage imageAtStart(TransferDirection direction);
    ChannelEdits::Snapshot documentNow() const;

    MainWindow* m_frame;
    ChannelDocument* m_document;
    ChannelForm* m_view;
    WindowTransfer* m_transfer;

    // The document as a read found it at Start, and whether the user changed it before the read
    // replaced it.
    ChannelEdits::Snapshot m_atReadStart;
    bool m_readReplacedEdits = false;
};
