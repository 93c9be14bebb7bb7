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

// The MsgDisp dialog and the screen window: what its form is given and what it writes back.
namespace dispcraft::objectediting {

namespace {

void toTemplate(MsgDispObject& o, const MsgDispForm::Values& v) {
    o.attr = v.attr;
    o.texts = v.texts;
    o.address = static_cast<int32_t>(v.addressNumber);
    o.areaAndBit = v.areaAndBit;
}

} // namespace

MsgDispForm msgDispForPlacement(const PlcContext& plc, const std::string& emptyText) {
    MsgDispForm::Preset p;
    p.portCount = plc.portCount;
    p.ports = plc.ports;
    p.emptyText = emptyText;
    return MsgDispForm(p);
}

MsgDispForm msgDispForObject(const EditorSession& session, int index, const PlcContext& plc,
                             const std::string& emptyText) {
    const MsgDispObject& o = session.screen().objects().msgDisps.at(static_cast<size_t>(index));
    MsgDispForm::Preset p;
    p.texts = o.texts;
    p.attr = o.attr;
    p.portCount = plc.portCount;
    p.ports = plc.ports;
    p.areaAndBit = o.areaAndBit;
    p.addressNumber = o.address;
    p.emptyText = emptyText;
    return MsgDispForm(p);
}

void placeMsgDisp(EditorSession& session, const MsgDispForm::Values& v) {
    toTemplate(session.screen().templates().msgDisp, v);
    session.pointer().armPlacement(kKindMsgDisp, static_cast<int>(v.texts[0].size()) * 16, 32);
}

void applyMsgDisp(EditorSession& session, int index, const MsgDispForm::Values& v) {
    MsgDispObject& o = session.screen().objects().msgDisps.at(static_cast<size_t>(index));
    toTemplate(o, v);
    const int w = static_cast<int>(v.texts[0].size()) * 16;
    session.pointer().setPlaceSize(w, 32);
    // A longer text 0 must not push the display past the LCD, as with the other texts.
    keepInside(session, o, w, 32);
    session.screen().setModified();
    session.screen().invalidateAll();
}

} // namespace dispcraft::objectediting
