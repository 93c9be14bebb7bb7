#include "forms/ObjectEditing.h"
#include "forms/ObjectEditingSupport.h"

#include "base/ProgramDirectory.h"
#include "config/ProtocolFile.h"
#include "editor/EditorSession.h"
#include "forms/GraphCoding.h"
#include "forms/ObjectFormMessages.h"
#include "model/ProjectStore.h"
#include "objects/AttrBits.h"

#include <algorithm>
#include <cstring>

// The Picture dialog and the screen window: what its form is given and what it writes back.
namespace dispcraft::objectediting {

namespace {

// Writes the edited picture table back; a change counts as an edit of the screen window, so the
// project is not closed without asking.
void writePictures(EditorSession& s, const PictureForm::Table& edited) {
    if (PictureForm::writeBack(edited, s.screen().store().pictures)) {
        s.screen().setModified();
    }
}

} // namespace

PictureForm pictureForPlacement(const EditorSession& session) {
    return PictureForm(PictureForm::presetFrom(session.screen().store().pictures), 1, 0);
}

PictureForm pictureForObject(const EditorSession& session, int index) {
    const PictureObject& o = session.screen().objects().pictures.at(static_cast<size_t>(index));
    return PictureForm(PictureForm::presetFrom(session.screen().store().pictures), 1, o.pictureNo);
}

void placePicture(EditorSession& session, const PictureForm::Values& v) {
    writePictures(session, v.table);
    session.screen().templates().picture.pictureNo = static_cast<uint8_t>(v.current);
    const PictureTableEntry& e = session.screen().store().pictures[static_cast<size_t>(v.current)];
    session.pointer().armPlacement(kKindPicture, 2 * e.width, 2 * e.height);
}

void applyPicture(EditorSession& session, int index, const PictureForm::Values& v) {
    PictureObject& o = session.screen().objects().pictures.at(static_cast<size_t>(index));
    o.pictureNo = static_cast<uint8_t>(v.current);
    writePictures(session, v.table);
    const PictureTableEntry& e = session.screen().store().pictures[static_cast<size_t>(v.current)];
    keepInside(session, o, 2 * e.width, 2 * e.height);
    session.screen().setModified();
    session.screen().invalidateAll();
}

} // namespace dispcraft::objectediting
