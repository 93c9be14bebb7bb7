// Every object dialog of the screen windows, registered with the dispatcher: the placement
// command of each kind and the double-click on an object, a panel key or a function key. A
// new dialog adds its two handlers here.
#include "app/DialogRunner.h"
#include "app/MainWindow.h"
#include "app/ObjectDialogs.h"
#include "app/ScreenWindow.h"
#include "app/UiText.h"
#include "app/dialogs/GraphicDialogRegistry.h"
#include "app/dialogs/KeyFunctionDialog.h"
#include "app/dialogs/MsgDispDialog.h"
#include "app/dialogs/ScreenManagerDialog.h"
#include "app/dialogs/TextStringDialog.h"
#include "forms/KeyFunctionForm.h"
#include "forms/ObjectEditing.h"
#include "forms/ObjectFormMessages.h"
#include "forms/ScreenNumberForm.h"
#include "model/ProjectStore.h"

namespace dispcraft {

namespace {

namespace oe = objectediting;

oe::PlcContext plcOf(ScreenWindow& w) {
    return oe::PlcContext::of(w.session().screen().store(), w.session().screen().programDirectory());
}

// What a MsgDisp row shows for a text left empty: nothing. A placeholder word would be stored
// and shown by the panel for every value the user did not mean to use.
std::string emptyMsgDispText() {
    return {};
}

void editPanelKey(ScreenWindow& w, const EditRequest& r) {
    EditorSession& session = w.session();
    const ScreenContents::PanelKeyEdit begin = session.screen().beginPanelKeyEdit(r.index);
    KeyFunctionForm form(KeyFunctionForm::presetFrom(begin.record, session.screen().store()));
    KeyFunctionDialog dialog(form, begin.perScreen, ui::text(r.title), w.prompts(), &w);
    if (auto result = dialog.run()) {
        session.screen().applyPanelKeyEdit(r.index, result->values.applyTo(begin.record), result->perScreen);
        // The project-wide keys and every screen's copies may have changed.
        w.mainWindow().refreshWorkspace();
    }
}

void editFunctionKey(ScreenWindow& w, const EditRequest& r) {
    EditorSession& session = w.session();
    ScreenNumberForm form(session.screen().fnKeyFlags().at(static_cast<size_t>(r.index)));
    ScreenNumberDialog dialog(form, w.prompts(), &w);
    if (auto v = dialog.run()) {
        session.screen().setFunctionKeyFlag(r.index, static_cast<uint8_t>(v->number));
    }
}

} // namespace

void registerObjectDialogs(ObjectDialogs& dialogs) {
    // The graphic object dialogs (lamp, numeric displays, bar and trend graphs, pictures) go
    // first: the trend graph's model rule below wraps whatever they register.
    registerGraphicDialogs(dialogs);

    // TextString: the command opens the dialog empty-handed; a double-click on the object.
    dialogs.setPlacement(command::kPlaceTextString, [](ScreenWindow& w) {
        oe::beginPlacement(w.session(), command::kPlaceTextString);
        TextStringForm form;
        TextStringDialog dialog(form, w.prompts(), &w);
        if (auto v = dialog.run()) {
            oe::placeTextString(w.session(), *v);
        }
    });
    dialogs.setObjectEditor(kKindTextString, [](ScreenWindow& w, const EditRequest& r) {
        TextStringForm form = oe::textStringForObject(w.session(), r.index);
        TextStringDialog dialog(form, w.prompts(), &w);
        if (auto v = dialog.run()) {
            oe::applyTextString(w.session(), r.index, *v);
        }
    });

    dialogs.setPlacement(command::kPlaceMsgDisp, [](ScreenWindow& w) {
        oe::beginPlacement(w.session(), command::kPlaceMsgDisp);
        MsgDispForm form = oe::msgDispForPlacement(plcOf(w), emptyMsgDispText());
        MsgDispDialog dialog(form, w.prompts(), &w);
        if (auto v = dialog.run()) {
            oe::placeMsgDisp(w.session(), *v);
        }
    });
    dialogs.setObjectEditor(kKindMsgDisp, [](ScreenWindow& w, const EditRequest& r) {
        MsgDispForm form = oe::msgDispForObject(w.session(), r.index, plcOf(w), emptyMsgDispText());
        MsgDispDialog dialog(form, w.prompts(), &w);
        if (auto v = dialog.run()) {
            oe::applyMsgDisp(w.session(), r.index, *v);
        }
    });

    dialogs.setPanelKeyEditor(editPanelKey);
    dialogs.setFunctionKeyEditor(editFunctionKey);

    // Trend graphs need the two-port panel: elsewhere the command says so and arms nothing.
    ObjectDialogs::PlaceHandler trend = dialogs.placement(command::kPlaceTrendGraph);
    dialogs.setPlacement(command::kPlaceTrendGraph, [trend](ScreenWindow& w) {
        if (auto refused = oe::trendGraphRefused(plcOf(w))) {
            oe::beginPlacement(w.session(), command::kPlaceTrendGraph);
            w.prompts().show(*refused, Icon::Warning);
            return;
        }
        if (trend) {
            trend(w);
        }
    });
}

} // namespace dispcraft
