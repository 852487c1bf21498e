#include "optional_features_dialog.h"

#include "access_key.h"
#include "dialog_buttons.h"
#include "value_texts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

namespace {

// Where each list sits: the left column holds four rows, the right column three, and the bottom
// row the two switches (left) and the buttons (right). Listed in tab order.
// Each list's access key is a letter of its English name.
struct ListPlace {
    OptionList list;
    int row;
    int column; // 0 left, 1 right
    char key;
};
constexpr ListPlace kListPlaces[] = {
    {OptionList::Squelch, 0, 0, 'Q'},  {OptionList::TimeOut, 1, 0, 'T'},
    {OptionList::VoxGain, 2, 0, 'G'},  {OptionList::BatterySaver, 3, 0, 'S'},
    {OptionList::Priority, 0, 1, 'P'}, {OptionList::Language, 1, 1, 'L'},
    {OptionList::VoxDelay, 2, 1, 'D'},
};
constexpr int kSwitchRow = 4;

} // namespace

OptionalFeaturesDialog::OptionalFeaturesDialog(QWidget* parent, MemoryImage& image)
    : QDialog(parent), m_image(image) {
    setWindowTitle(tr("可选功能"));
    buildControls();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void OptionalFeaturesDialog::buildControls() {
    auto* grid = new QGridLayout(this);
    // A gap of a few digits between the two columns of lists.
    grid->setColumnMinimumWidth(2, fontMetrics().horizontalAdvance(QStringLiteral("000")));
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(4, 1);
    for (const ListPlace& place : kListPlaces) {
        QString name =
            QCoreApplication::translate("SettingsCodec", OptionListFor(place.list).label);
        if (place.list == OptionList::TimeOut) {
            name = tr("%1(秒)").arg(name); // its entries are bare numbers of seconds
        }
        auto* label = new QLabel(WithAccessKey(name, QLatin1Char(place.key)), this);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        QComboBox* box = addList(place.list);
        label->setBuddy(box);
        grid->addWidget(label, place.row, place.column * 3);
        grid->addWidget(box, place.row, place.column * 3 + 1);
    }

    auto* switches = new QHBoxLayout;
    m_beep = new QCheckBox(WithAccessKey(tr("提示音"), QLatin1Char('B')), this);
    m_vox = new QCheckBox(WithAccessKey(tr("声控"), QLatin1Char('V')), this);
    switches->addStretch();
    switches->addWidget(m_beep);
    switches->addWidget(m_vox);
    grid->addLayout(switches, kSwitchRow, 0, 1, 2);

    const OkCancelButtons pair = CreateOkCancelButtons(this);
    m_ok = pair.ok;
    m_cancel = pair.cancel;
    auto* buttons = pair.layout;
    grid->addLayout(buttons, kSwitchRow, 3, 1, 2);

    connect(m_ok, &QPushButton::clicked, this, &OptionalFeaturesDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &OptionalFeaturesDialog::reject);
}

QComboBox* OptionalFeaturesDialog::addList(OptionList which) {
    auto* box = new QComboBox(this);
    box->setEditable(false);
    box->addItems(ValueTexts::Shown(OptionListFor(which).entries));
    m_lists[which] = box;
    return box;
}

void OptionalFeaturesDialog::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        loadValues();
    }
    QDialog::showEvent(event);
}

void OptionalFeaturesDialog::loadValues() {
    m_imageChanged = false;
    const RadioOptions options = ReadOptions(m_image);
    for (const auto& [which, box] : m_lists) {
        // A stored value past the list (an erased radio's 0xFF) shows an empty list.
        box->setCurrentIndex(options.position(which));
    }
    m_beep->setChecked(options.beep);
    m_vox->setChecked(options.vox);
}

void OptionalFeaturesDialog::accept() {
    RadioOptions options;
    for (const auto& [which, box] : m_lists) {
        options.setPosition(which, box->currentIndex());
    }
    options.beep = m_beep->isChecked();
    options.vox = m_vox->isChecked();

    const MemoryImage before = m_image;
    StoreOptions(m_image, options);
    m_imageChanged = m_image != before;
    QDialog::accept();
}
