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

// The TextString dialog and the screen window: what its form is given and what it writes back.
namespace dispcraft::objectediting {

std::pair<int, int> textStringSize(size_t bytes, int font) {
    const int perByte = font == 0 || font == 2 ? 384 / 24 : 384 / 12;
    return {static_cast<int>(bytes) * perByte, font <= 1 ? 32 : 64};
}

TextStringForm textStringForObject(const EditorSession& session, int index) {
    const TextStringObject& o =
        session.screen().objects().textStrings.at(static_cast<size_t>(index));
    return TextStringForm(o.text, attrbits::fontOf(o.attr), (o.attr & attrbits::kReverse) ? 1 : 0);
}

void placeTextString(EditorSession& session, const TextStringForm::Values& v) {
    if (v.text.empty()) {
        return;
    }
    session.screen().templates().textString.text = v.text;
    session.screen().templates().textString.attr = v.attr();
    auto [w, h] = textStringSize(v.text.size(), v.fontIndex);
    session.pointer().armPlacement(kKindTextString, w, h);
}

void applyTextString(EditorSession& session, int index, const TextStringForm::Values& v) {
    TextStringObject& o = session.screen().objects().textStrings.at(static_cast<size_t>(index));
    // An emptied text would leave nothing to click on.
    std::string text = v.text.empty() ? std::string(2, ' ') : v.text;
    session.screen().templates().textString.text = text;
    session.screen().templates().textString.attr = v.attr();
    o.attr = v.attr();
    o.text = text;
    auto [w, h] = textStringSize(text.size(), v.fontIndex);
    session.pointer().setPlaceSize(w, h);
    keepInside(session, o, w, h);
    session.screen().setModified();
    session.screen().invalidateAll();
}

} // namespace dispcraft::objectediting
