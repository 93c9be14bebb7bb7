#pragma once

#include "base/ProgramDirectory.h"
#include "forms/AlarmGroupForm.h"
#include "forms/ChangeTableForm.h"
#include "forms/FormRunner.h"
#include "forms/PanelModelForm.h"
#include "forms/PanelSettingsForm.h"
#include "forms/PortParamForm.h"
#include "forms/ScreenManagerForm.h"
#include "base/MessageSink.h"

#include <optional>

namespace dispcraft {

struct ProjectStore;

// What the workspace tree hands to the settings dialogs it opens and what it writes back into
// the project when they are confirmed. Each apply marks the project changed through the tree.
// Ports are numbered 1 (COM1) and 2 (COM2); alarm groups 0 and 1.
class WorkspaceExchange {
public:
    // The port parameter dialog of a link item, preset from the project's line settings.
    static PortParamForm portParamForm(const ProjectStore& store, const ProgramDirectory& dir,
                                       int port);
    // Station, line settings and protocol back into the project; the protocol files are read
    // again and the port's link name follows its protocol.
    static void applyPortParams(ProjectStore& store, const ProgramDirectory& dir, int port,
                                const PortParamForm::Values& values);

    // The group an alarm item names: the first when the model has fewer than two groups or the
    // item's caption ends in '1', else the second.
    static int alarmGroupOf(const ProjectStore& store, char lastCaptionCharacter);
    static AlarmGroupForm alarmGroupForm(const ProjectStore& store, int group);
    // The group's block back, its text pool rebuilt from the messages in order.
    static void applyAlarmGroup(ProjectStore& store, int group, const AlarmGroupForm::Values& values);

    static PanelSettingsForm panelSettingsForm(const ProjectStore& store, const ProgramDirectory& dir);
    static void applyPanelSettings(ProjectStore& store, const PanelSettingsForm::Values& values);

    static ChangeTableForm changeTableForm(const ProjectStore& store);
    static void applyChangeTable(ProjectStore& store, const ChangeTableForm::Values& values);

    // The screen manager works on the store itself; its OK names the screen to open (0 none).
    static int applyScreenManager(ProjectStore& store,
                                  const std::optional<ScreenManagerForm::Values>& values);

    static PanelModelForm panelModelForm(const ProjectStore& store, const ProgramDirectory& dir);
    // The new model: objects move with the LCD, model and protocol files are read again. The
    // caller has closed the editor windows.
    static void applyPanelModel(ProjectStore& store, const ProgramDirectory& dir,
                                const PanelModelForm::Values& values);

    // The tree's delete command on a screen item: offered only while no window shows it.
    static bool canDeleteScreen(const ProjectStore& store, int screen);
    // Asks 63574 (Yes / No); Yes clears the directory entry and the open flag.
    static bool deleteScreen(ProjectStore& store, int screen, MessageSink& sink);

    // Whole exchanges of the tree's items: the preset, the dialog (run shows it and gives its
    // OK's values or nothing), and on OK the write-back. True when the dialog was confirmed.
    // Link items: message 63545 first, then the port parameter dialog.
    static bool editPortParams(ProjectStore& store, const ProgramDirectory& dir, int port,
                               MessageSink& sink, const FormRunner<PortParamForm>& run);
    static bool editAlarmGroup(ProjectStore& store, int group, MessageSink& sink,
                               const FormRunner<AlarmGroupForm>& run);
    static bool editPanelSettings(ProjectStore& store, const ProgramDirectory& dir,
                                  MessageSink& sink, const FormRunner<PanelSettingsForm>& run);
    static bool editChangeTable(ProjectStore& store, const FormRunner<ChangeTableForm>& run);
    // The model item: while an editor window is the active frame only message 63544 is shown.
    // The caller closes the editor windows before calling this.
    static bool editPanelModel(ProjectStore& store, const ProgramDirectory& dir, bool editorActive,
                               MessageSink& sink, const FormRunner<PanelModelForm>& run);

    // The areas of both ports as the dialogs take them.
    static std::array<PlcPortAreas, 2> portAreas(const ProjectStore& store);
};

} // namespace dispcraft
