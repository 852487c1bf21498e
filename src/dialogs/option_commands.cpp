#include "option_commands.h"

#include "optional_features_dialog.h"
#include "password_dialog.h"
#include "tuning_dialog.h"

bool RunOptionalFeaturesCommand(QWidget* parent, MemoryImage& image) {
    OptionalFeaturesDialog dialog(parent, image);
    return dialog.exec() == QDialog::Accepted && dialog.imageChanged();
}

bool RunTuningCommand(QWidget* parent, MemoryImage& image) {
    PasswordDialog password(parent);
    if (password.exec() != QDialog::Accepted) {
        return false;
    }
    TuningDialog tuning(parent, image);
    tuning.exec();
    return tuning.imageChanged();
}
