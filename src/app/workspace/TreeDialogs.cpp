#include "app/workspace/TreeDialogs.h"

#include "app/Prompts.h"
#include "app/dialogs/AlarmGroupDialog.h"
#include "app/dialogs/ChangeRecordDialog.h"
#include "app/dialogs/PanelModelDialog.h"
#include "app/dialogs/PanelSettingsDialog.h"

namespace dispcraft::treedialogs {

std::optional<PanelModelForm::Values> panelModel(PanelModelForm& form, Prompts& prompts, QWidget* parent) {
    PanelModelDialog dialog(form, prompts, parent);
    return dialog.run();
}

std::optional<AlarmGroupForm::Values> alarmGroup(AlarmGroupForm& form, Prompts& prompts, QWidget* parent) {
    AlarmGroupDialog dialog(form, prompts, parent);
    return dialog.run();
}

std::optional<PanelSettingsForm::Values> panelSettings(PanelSettingsForm& form, Prompts& prompts,
                                                       QWidget* parent) {
    PanelSettingsDialog dialog(form, prompts, parent);
    return dialog.run();
}

// The picture dialog is not in the program yet: it answers as a cancelled dialog, so the
// project stays as it is.

std::optional<PictureForm::Values> pictures(PictureForm&, Prompts&, QWidget*) { return std::nullopt; }

std::optional<ChangeTableForm::Values> changeTable(ChangeTableForm& form, Prompts& prompts, QWidget* parent) {
    ChangeTableDialog dialog(form, prompts, parent);
    return dialog.run();
}

} // namespace dispcraft::treedialogs
