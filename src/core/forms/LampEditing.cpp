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

// The Lamp dialog and the screen window: what its form is given and what it writes back.
namespace dispcraft::objectediting {

namespace {

std::string lampDir(const EditorSession& s) {
    return s.screen().programDirectory().file("lampdata");
}

} // namespace

LampForm lampForPlacement(EditorSession& session, const PlcContext& plc) {
    LampForm::Preset p;
    p.lampName = session.screen().templates().lamp.name;
    p.portCount = plc.portCount;
    p.ports = plc.ports;
    p.protocolNames = plc.protocolNames;
    return LampForm(p, lampDir(session));
}

LampForm lampForObject(const EditorSession& session, int index, const PlcContext& plc) {
    const LampObject& o = session.screen().objects().lamps.at(static_cast<size_t>(index));
    LampForm::Preset p;
    p.lampName = o.name;
    p.attr = o.attr;
    p.portCount = plc.portCount;
    p.ports = plc.ports;
    p.protocolNames = plc.protocolNames;
    p.lampSize = o.dotCount == 2048 ? 32 : o.dotCount == 512 ? 16 : 0;
    p.addressNumber = o.address;
    p.areaAndBit = o.areaAndBit;
    return LampForm(p, lampDir(session));
}

void placeLamp(EditorSession& session, const LampForm::Values& v) {
    LampObject& t = session.screen().templates().lamp;
    t.kindWord = kKindLamp;
    t.name = v.lampName;
    t.attr = v.attr;
    t.areaAndBit = v.areaAndBit;
    t.address = static_cast<int32_t>(v.addressNumber);
    const int side = (v.attr & LampRecord::kBig) ? 64 : 32;
    session.pointer().armPlacement(kKindLamp, side, side);
}

void applyLamp(EditorSession& session, int index, const LampForm::Values& v) {
    LampObject& o = session.screen().objects().lamps.at(static_cast<size_t>(index));
    o.name = v.lampName;
    o.attr = v.attr;
    o.address = static_cast<int32_t>(v.addressNumber);
    o.areaAndBit = v.areaAndBit;
    session.screen().templates().lamp.address = o.address;
    session.screen().setModified();
    // The dots follow the chosen file; they are replaced, never added to.
    session.screen().loadLampDots(o);
    // A lamp that became a 32-dot one stays on the LCD.
    const int side = o.big() ? 64 : 32;
    keepInside(session, o, side, side);
    session.screen().invalidateAll();
}

} // namespace dispcraft::objectediting
