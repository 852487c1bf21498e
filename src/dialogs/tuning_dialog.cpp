#include "tuning_dialog.h"

#include "access_key.h"
#include "messenger.h"
#include "value_texts.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QShowEvent>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int kMaxNumber = 255;
constexpr int kNumberLength = 3;

// Where each field's control sits: the receive group above the transmit group, two columns of
// label and control in each. Listed in tab order.
// Each field's access key is a letter of its English name.
struct FieldPlace {
    int controlId;
    int group; // 0 receive, 1 transmit
    int row;
    int column; // 0 left, 1 right
    char key;
};
constexpr FieldPlace kFieldPlaces[] = {
    {1090, 0, 0, 0, 'I'}, {1091, 0, 1, 0, 'O'}, {1098, 0, 1, 1, 'F'}, {1092, 0, 2, 0, 'R'},
    {1093, 0, 2, 1, 'E'}, {1094, 1, 0, 0, 'M'}, {1095, 1, 1, 0, 'U'}, {1099, 1, 1, 1, 'N'},
    {1096, 1, 2, 0, 'T'}, {1097, 1, 2, 1, 'P'}, {1100, 1, 3, 0, 'S'}, {1101, 1, 3, 1, 'W'},
    {1102, 1, 4, 0, 'D'}, {1103, 1, 4, 1, 'C'}, {1104, 1, 5, 0, 'V'}, {1105, 1, 5, 1, 'A'},
};
// This one label is centred over its row rather than set against its list.
constexpr int kCentredLabelId = 1092;

const TuningField* FieldWithId(int controlId) {
    for (const TuningField& field : TuningFields()) {
        if (field.controlId == controlId) {
            return &field;
        }
    }
    return nullptr;
}

} // namespace

TuningDialog::TuningDialog(QWidget* parent, MemoryImage& image)
    : QDialog(parent), m_blockAddress(TuningModes().front().address), m_image(image) {
    setWindowTitle(tr("参数调节"));
    buildControls();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

TuningDialog::~TuningDialog() {
    // The boxes lose focus while the window is torn down; nothing is left to do by then.
    for (const FieldControl& control : m_controls) {
        if (control.edit) {
            control.edit->removeEventFilter(this);
        }
    }
}

void TuningDialog::buildControls() {
    auto* top = new QVBoxLayout(this);
    addModeButtons(top);
    addFieldGroups(top);
}

void TuningDialog::addModeButtons(QVBoxLayout* top) {
    auto* modes = new QHBoxLayout;
    m_modeGroup = new QButtonGroup(this);
    modes->addStretch();
    for (const TuningMode& mode : TuningModes()) {
        auto* button = new QRadioButton(ValueTexts::Shown(QString::fromUtf8(mode.label)), this);
        button->setFocusPolicy(Qt::ClickFocus);
        m_modeGroup->addButton(button);
        m_modeButtons.append(button);
        modes->addWidget(button);
        modes->addStretch();
    }
    top->addLayout(modes);
    connect(m_modeButtons[0], &QRadioButton::clicked, this, &TuningDialog::chooseNoBlock);
    connect(m_modeButtons[1], &QRadioButton::clicked, this, &TuningDialog::chooseEmphasisBlock);
    connect(m_modeButtons[2], &QRadioButton::clicked, this, &TuningDialog::chooseCompanderBlock);
    connect(m_modeButtons[3], &QRadioButton::clicked, this, &TuningDialog::chooseScramblerBlock);
}

void TuningDialog::addFieldGroups(QVBoxLayout* top) {
    QGridLayout* grids[2];
    const QString titles[2] = {tr("接收参数"), tr("发射参数")};
    for (int group = 0; group < 2; ++group) {
        auto* box = new QGroupBox(titles[group], this);
        grids[group] = new QGridLayout(box);
        grids[group]->setColumnStretch(4, 1);
        top->addWidget(box);
    }
    top->setStretch(2, 1);

    // Label columns as wide as their longest label and controls as wide as the widest one, the
    // same in both groups, so the controls line up from one group to the other.
    int labelWidths[2] = {0, 0};
    int controlWidth = 0;
    QList<QLabel*> labels[2];
    QList<QWidget*> controls;
    for (const FieldPlace& place : kFieldPlaces) {
        const TuningField* field = FieldWithId(place.controlId);
        if (!field) {
            continue;
        }
        auto* label =
            new QLabel(WithAccessKey(QCoreApplication::translate("SettingsCodec", field->label),
                                     QLatin1Char(place.key)),
                       this);
        label->setAlignment(place.controlId == kCentredLabelId ? Qt::AlignCenter
                                                               : Qt::AlignRight | Qt::AlignVCenter);
        QWidget* control = addControl(*field);
        controls.append(control);
        controlWidth = std::max(controlWidth, control->sizeHint().width());
        labels[place.column].append(label);
        labelWidths[place.column] = std::max(labelWidths[place.column], label->sizeHint().width());
        label->setBuddy(control);
        grids[place.group]->addWidget(label, place.row, place.column * 2);
        grids[place.group]->addWidget(control, place.row, place.column * 2 + 1);
    }
    for (QWidget* control : controls) {
        control->setFixedWidth(controlWidth);
    }
    for (int column = 0; column < 2; ++column) {
        for (QLabel* label : labels[column]) {
            label->setMinimumWidth(labelWidths[column]);
        }
    }
}

QWidget* TuningDialog::addControl(const TuningField& field) {
    FieldControl control{&field};
    if (field.isList()) {
        control.list = new QComboBox(this);
        control.list->setObjectName(QStringLiteral("tuningField%1").arg(field.offset));
        control.list->addItems(ValueTexts::Shown(field.entries));
    } else {
        control.edit = new QLineEdit(this);
        control.edit->setObjectName(QStringLiteral("tuningField%1").arg(field.offset));
        control.edit->setMaxLength(kNumberLength);
        control.edit->setValidator(new QRegularExpressionValidator(
            QRegularExpression(QStringLiteral("[0-9]*")), control.edit));
        control.edit->installEventFilter(this);
    }
    m_controls.append(control);
    return control.list ? static_cast<QWidget*>(control.list) : control.edit;
}

TuningDialog::FieldControl* TuningDialog::controlFor(int controlId) {
    for (FieldControl& control : m_controls) {
        if (control.field->controlId == controlId) {
            return &control;
        }
    }
    return nullptr;
}

const TuningDialog::FieldControl* TuningDialog::controlFor(int controlId) const {
    return const_cast<TuningDialog*>(this)->controlFor(controlId);
}

QComboBox* TuningDialog::list(int controlId) const {
    const FieldControl* control = controlFor(controlId);
    return control ? control->list : nullptr;
}

QLineEdit* TuningDialog::edit(int controlId) const {
    const FieldControl* control = controlFor(controlId);
    return control ? control->edit : nullptr;
}

QRadioButton* TuningDialog::modeButton(int mode) const {
    return m_modeButtons.value(mode);
}

bool TuningDialog::imageChanged() const {
    return m_image != m_imageAtOpen;
}

void TuningDialog::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        loadValues();
    }
    QDialog::showEvent(event);
}

void TuningDialog::loadValues() {
    m_imageAtOpen = m_image;
    for (int mode = 0; mode < m_modeButtons.size(); ++mode) {
        if (TuningModes()[mode].address == m_blockAddress) {
            m_modeButtons[mode]->setChecked(true);
        }
    }
    loadBlock();
}

void TuningDialog::loadBlock() {
    for (FieldControl& control : m_controls) {
        const int value = ReadTuningValue(m_image, m_blockAddress, *control.field);
        if (control.list) {
            control.list->setCurrentIndex(value);
        } else {
            control.value = value;
            control.edit->setText(QString::number(value));
        }
    }
}

void TuningDialog::storeBlock() {
    for (const FieldControl& control : m_controls) {
        // An unselected list stores entry 0, as the codec does for any position outside the list.
        const int value =
            control.list ? control.list->currentIndex() : std::min(control.value, kMaxNumber);
        StoreTuningValue(m_image, m_blockAddress, *control.field, value);
    }
}

void TuningDialog::chooseBlock(int mode) {
    commitEdits();
    storeBlock();
    m_blockAddress = TuningModes()[mode].address;
    loadBlock();
}

void TuningDialog::storeEditedValue(int box) {
    FieldControl& control = m_controls[box];
    bool isNumber = false;
    const int typed = control.edit->text().toInt(&isNumber);
    if (!isNumber) {
        // Put the previous number back before the box appears, so the box never holds text
        // that is not a number while the message is up.
        control.edit->setText(QString::number(control.value));
        ShowWarning(this, tr("请输入一个整数。"));
        return;
    }
    control.value = std::min(typed, kMaxNumber);
    control.edit->setText(QString::number(control.value));
}

// The edit box with the focus has not been left yet when the set changes or the window closes;
// its text counts as if it had been.
void TuningDialog::commitEdits() {
    for (int box = 0; box < m_controls.size(); ++box) {
        const FieldControl& control = m_controls[box];
        if (control.edit && control.edit->text() != QString::number(control.value)) {
            storeEditedValue(box);
        }
    }
}

void TuningDialog::storeOpenBlock() {
    commitEdits();
    storeBlock();
}

void TuningDialog::done(int result) {
    storeOpenBlock();
    QDialog::done(result);
}

bool TuningDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        for (int box = 0; box < m_controls.size(); ++box) {
            if (m_controls[box].edit == watched) {
                storeEditedValue(box);
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

// Without OK or Cancel buttons, Enter still closes the dialog, keeping what is on show.
void TuningDialog::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
