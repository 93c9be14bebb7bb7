// The object dialogs of the lamps, numeric displays, graphs and pictures, registered with the
// dispatcher: the placement command of each kind and the double-click on an object.
#include "app/dialogs/GraphicDialogRegistry.h"

#include "app/ObjectDialogs.h"
#include "app/Prompts.h"
#include "app/ScreenWindow.h"
#include "app/UiText.h"
#include "app/dialogs/BarGraphDialog.h"
#include "app/dialogs/LampDialog.h"
#include "app/dialogs/NumDispDialog.h"
#include "app/dialogs/PictureDialog.h"
#include "app/dialogs/ShortNumDispDialog.h"
#include "app/dialogs/TrendGraphDialog.h"
#include "base/ProgramDirectory.h"
#include "forms/ObjectEditing.h"

namespace dispcraft {

namespace {

namespace oe = objectediting;

oe::PlcContext plcOf(ScreenWindow& w) {
    return oe::PlcContext::of(w.session().screen().store(), w.session().screen().programDirectory());
}

QString pictureDirectory(ScreenWindow& w) {
    return ui::qs(w.session().screen().programDirectory().file("picture"));
}

// Opens a dialog of type D on a form and hands its confirmed values to apply.
template <typename D, typename Form, typename Apply>
void runDialog(ScreenWindow& w, Form& form, Apply apply) {
    D dialog(form, w.prompts(), &w);
    if (auto v = dialog.run()) {
        apply(*v);
    }
}

void editNumDisp(ScreenWindow& w, const EditRequest& r) {
    EditorSession& s = w.session();
    if (r.shortNumDisp) {
        ShortNumDispForm form = oe::shortNumDispForObject(s, r.index);
        runDialog<ShortNumDispDialog>(w, form, [&](const auto& v) { oe::applyShortNumDisp(s, r.index, v); });
        return;
    }
    NumDispForm form = oe::numDispForObject(s, r.index, plcOf(w));
    runDialog<NumDispDialog>(w, form, [&](const auto& v) { oe::applyNumDisp(s, r.index, v); });
}

} // namespace

void registerGraphicDialogs(ObjectDialogs& dialogs) {
    using namespace command;

    dialogs.setPlacement(kPlaceNumDisp, [](ScreenWindow& w) {
        EditorSession& s = w.session();
        oe::beginPlacement(s, kPlaceNumDisp);
        NumDispForm form = oe::numDispForPlacement(plcOf(w));
        runDialog<NumDispDialog>(w, form, [&](const auto& v) { oe::placeNumDisp(s, v); });
    });
    dialogs.setPlacement(kPlaceShortNumDisp, [](ScreenWindow& w) {
        EditorSession& s = w.session();
        oe::beginPlacement(s, kPlaceShortNumDisp);
        ShortNumDispForm form;
        runDialog<ShortNumDispDialog>(w, form, [&](const auto& v) { oe::placeShortNumDisp(s, v); });
    });
    dialogs.setObjectEditor(kKindNumDisp, editNumDisp);

    dialogs.setPlacement(kPlaceBarGraph, [](ScreenWindow& w) {
        EditorSession& s = w.session();
        oe::beginPlacement(s, kPlaceBarGraph);
        BarGraphForm form = oe::barGraphForPlacement(plcOf(w));
        runDialog<BarGraphDialog>(w, form, [&](const auto& v) { oe::placeBarGraph(s, v); });
    });
    dialogs.setObjectEditor(kKindBarGraph, [](ScreenWindow& w, const EditRequest& r) {
        EditorSession& s = w.session();
        BarGraphForm form = oe::barGraphForObject(s, r.index, plcOf(w));
        runDialog<BarGraphDialog>(w, form, [&](const auto& v) { oe::applyBarGraph(s, r.index, v); });
    });

    dialogs.setPlacement(kPlaceTrendGraph, [](ScreenWindow& w) {
        // The model rule (two-port models only) wraps this handler in registerObjectDialogs().
        EditorSession& s = w.session();
        oe::beginPlacement(s, kPlaceTrendGraph);
        TrendGraphForm form = oe::trendGraphForPlacement(plcOf(w));
        runDialog<TrendGraphDialog>(w, form, [&](const auto& v) { oe::placeTrendGraph(s, v); });
    });
    dialogs.setObjectEditor(kKindTrendGraph, [](ScreenWindow& w, const EditRequest& r) {
        EditorSession& s = w.session();
        TrendGraphForm form = oe::trendGraphForObject(s, r.index, plcOf(w));
        runDialog<TrendGraphDialog>(w, form, [&](const auto& v) { oe::applyTrendGraph(s, r.index, v); });
    });

    dialogs.setPlacement(kPlaceLamp, [](ScreenWindow& w) {
        EditorSession& s = w.session();
        oe::beginPlacement(s, kPlaceLamp);
        LampForm form = oe::lampForPlacement(s, plcOf(w));
        runDialog<LampDialog>(w, form, [&](const auto& v) { oe::placeLamp(s, v); });
    });
    dialogs.setObjectEditor(kKindLamp, [](ScreenWindow& w, const EditRequest& r) {
        EditorSession& s = w.session();
        LampForm form = oe::lampForObject(s, r.index, plcOf(w));
        runDialog<LampDialog>(w, form, [&](const auto& v) { oe::applyLamp(s, r.index, v); });
    });

    dialogs.setPlacement(kPlacePicture, [](ScreenWindow& w) {
        EditorSession& s = w.session();
        oe::beginPlacement(s, kPlacePicture);
        PictureForm form = oe::pictureForPlacement(s);
        PictureDialog dialog(form, w.prompts(), pictureDirectory(w), &w);
        if (auto v = dialog.run()) {
            oe::placePicture(s, *v);
        }
    });
    dialogs.setObjectEditor(kKindPicture, [](ScreenWindow& w, const EditRequest& r) {
        EditorSession& s = w.session();
        PictureForm form = oe::pictureForObject(s, r.index);
        PictureDialog dialog(form, w.prompts(), pictureDirectory(w), &w);
        if (auto v = dialog.run()) {
            oe::applyPicture(s, r.index, *v);
        }
    });
}

} // namespace dispcraft
