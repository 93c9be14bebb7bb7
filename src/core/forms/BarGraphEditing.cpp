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

// The BarGraph dialog and the screen window: what its form is given and what it writes back.
namespace dispcraft::objectediting {

namespace {

void toRecord(BarGraphObject& o, const BarGraphForm::Values& v) {
    o.attr = v.attr;
    o.address = static_cast<int32_t>(v.addressNumber);
    o.maximum = static_cast<int32_t>(v.maximum);
    o.minimum = static_cast<int32_t>(v.minimum);
    o.length = v.length;
    o.thickness = v.thickness;
    o.areaAndBit = v.areaAndBit;
}

std::pair<int, int> barSize(const BarGraphObject& o) {
    return o.horizontal() ? std::pair{2 * o.length, 2 * o.thickness}
                          : std::pair{2 * o.thickness, 2 * o.length};
}

} // namespace

BarGraphForm barGraphForPlacement(const PlcContext& plc) {
    BarGraphForm::Preset p;
    p.portCount = plc.portCount;
    p.ports = plc.ports;
    // A range the first OK accepts: the whole range of the preset coding, as a new trend graph
    // has it.
    const objectform::Range r = graphcoding::range(graphcoding::fromAttr(p.attr));
    p.maximum = r.high;
    p.minimum = r.low;
    return BarGraphForm(p);
}

BarGraphForm barGraphForObject(const EditorSession& session, int index, const PlcContext& plc) {
    const BarGraphObject& o = session.screen().objects().barGraphs.at(static_cast<size_t>(index));
    BarGraphForm::Preset p;
    p.length = o.length;
    p.thickness = o.thickness;
    p.areaAndBit = o.areaAndBit;
    p.addressNumber = o.address;
    p.attr = o.attr;
    p.portCount = plc.portCount;
    p.ports = plc.ports;
    p.maximum = o.maximum;
    p.minimum = o.minimum;
    return BarGraphForm(p);
}

void placeBarGraph(EditorSession& session, const BarGraphForm::Values& v) {
    BarGraphObject& t = session.screen().templates().barGraph;
    toRecord(t, v);
    auto [w, h] = barSize(t);
    session.pointer().armPlacement(kKindBarGraph, w, h);
}

void applyBarGraph(EditorSession& session, int index, const BarGraphForm::Values& v) {
    BarGraphObject& o = session.screen().objects().barGraphs.at(static_cast<size_t>(index));
    toRecord(o, v);
    if (o.horizontal() && o.thickness < 16) {
        o.thickness = 16;
    }
    auto [w, h] = barSize(o);
    session.pointer().setPlaceSize(w, h);
    keepInside(session, o, w, h);
    session.screen().setModified();
    session.screen().invalidateAll();
}

} // namespace dispcraft::objectediting
