#include "app/workspace/TreeDialogs.h"

#include "app/Prompts.h"

namespace dispcraft::treedialogs {

// Dialogs not built yet answer as a cancelled dialog: the project stays as it is.

std::optional<PanelModelForm::Values> panelModel(PanelModelForm&, Prompts&, QWidget*) {
    return std::nullopt;
}

std::optional<AlarmGroupForm::Values> alarmGroup(AlarmGroupForm&, Prompts&, QWidget*) {
    return std::nullopt;
}

std::optional<PanelSettingsForm::Values> panelSettings(PanelSettingsForm&, Prompts&, QWidget*) {
    return std::nullopt;
}

std::optional<PictureForm::Values> pictures(PictureForm&, Prompts&, QWidget*) { return std::nullopt; }

std::optional<ChangeTableForm::Values> changeTable(ChangeTableForm&, Prompts&, QWidget*) {
    return std::nullopt;
}

} // namespace dispcraft::treedialogs
