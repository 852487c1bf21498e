#include "option_commands.h"

#include "optional_features_dialog.h"
#include "password_dialog.h"
#include "tuning_dialog.h"

bool RunOptionalFeaturesCommand(QWidget* parent, MemoryImage& image) {
    COptionalFeaturesDlg dialog(parent, image);
    return dialog.exec() == QDialog::Accepted && dialog.imageChanged();
}

bool RunTuningCommand(QWidget* parent, MemoryImage& image) {
    CPasswordDlg password(parent);
    if (password.exec() != QDialog::Accepted) {
        return false;
    }
    CTuningDlg tuning(parent, image);
    tuning.exec();
    return tuning.imageChanged();
}
