// Every object dialog of the screen windows, registered with the dispatcher: the placement
// command of each kind and the double-click on an object, a panel key or a function key. A
// new dialog adds its two handlers here.
#include "app/DialogRunner.h"
#include "app/ObjectDialogs.h"
#include "app/ScreenWindow.h"
#include "app/dialogs/TextStringDialog.h"
#include "forms/ObjectEditing.h"

namespace dispcraft {

void registerObjectDialogs(ObjectDialogs& dialogs) {
    namespace oe = objectediting;

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
}

} // namespace dispcraft
