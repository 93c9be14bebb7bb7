#include "app/workspace/TreeDialogs.h"

#include "app/AppContext.h"
#include "app/MainWindow.h"
#include "app/Prompts.h"
#include "app/UiText.h"
#include "app/dialogs/AlarmGroupDialog.h"
#include "app/dialogs/ChangeRecordDialog.h"
#include "app/dialogs/PanelModelDialog.h"
#include "app/dialogs/PanelSettingsDialog.h"
#include "app/dialogs/PictureDialog.h"

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

std::optional<PictureForm::Values> pictures(PictureForm& form, Prompts& prompts, QWidget* parent) {
    QString dir;
    if (auto* main = qobject_cast<MainWindow*>(parent)) {
        dir = ui::qs(main->app().dir().file("picture"));
    }
    PictureDialog dialog(form, prompts, dir, parent);
    return dialog.run();
}

std::optional<ChangeTableForm::Values> changeTable(ChangeTableForm& form, Prompts& prompts, QWidget* parent) {
    ChangeTableDialog dialog(form, prompts, parent);
    return dialog.run();
}

} // namespace dispcraft::treedialogs
