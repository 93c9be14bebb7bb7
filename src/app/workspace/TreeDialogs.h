#pragma once

#include "forms/AlarmGroupForm.h"
#include "forms/ChangeTableForm.h"
#include "forms/PanelModelForm.h"
#include "forms/PanelSettingsForm.h"
#include "forms/PictureForm.h"

#include <optional>

class QWidget;

namespace dispcraft {

class Prompts;

// The settings dialogs the project tree opens, each shown modal over parent with the form
// preset by the caller; the values of its OK, or nothing when it was cancelled.
namespace treedialogs {

std::optional<PanelModelForm::Values> panelModel(PanelModelForm& form, Prompts& prompts, QWidget* parent);
std::optional<AlarmGroupForm::Values> alarmGroup(AlarmGroupForm& form, Prompts& prompts, QWidget* parent);
std::optional<PanelSettingsForm::Values> panelSettings(PanelSettingsForm& form, Prompts& prompts,
                                                       QWidget* parent);
std::optional<PictureForm::Values> pictures(PictureForm& form, Prompts& prompts, QWidget* parent);
std::optional<ChangeTableForm::Values> changeTable(ChangeTableForm& form, Prompts& prompts,
                                                   QWidget* parent);

} // namespace treedialogs

} // namespace dispcraft
