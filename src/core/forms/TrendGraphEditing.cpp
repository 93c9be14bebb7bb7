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

// The TrendGraph dialog and the screen window: what its form is given and what it writes back.
namespace dispcraft::objectediting {

namespace {

void toRecord(TrendGraphObject& o, const TrendGraphForm::Values& v) {
    o.attr = v.attr;
    o.address = static_cast<int32_t>(v.addressNumber);
    o.maximum = static_cast<int32_t>(v.maximum);
    o.minimum = static_cast<int32_t>(v.minimum);
    o.settingA = v.settingA;
    o.height = v.height;
    o.width = v.width;
    o.spacing = v.spacing;
    o.pointCount = v.count;
    o.areaAndBit = v.areaAndBit;
}

} // namespace

std::optional<Message> trendGraphRefused(const PlcContext& plc) {
    if (!PanelCpu(plc.cpuId).placesTrendGraphs()) {
        return Message::string(objectform::kTrendNeedsTwoPorts);
    }
    return std::nullopt;
}

TrendGraphForm trendGraphForPlacement(const PlcContext& plc) {
    TrendGraphForm::Preset p;
    p.portCount = plc.portCount;
    p.ports = plc.ports;
    return TrendGraphForm(p);
}

TrendGraphForm trendGraphForObject(const EditorSession& session, int index, const PlcContext& plc) {
    const TrendGraphObject& o =
        session.screen().objects().trendGraphs.at(static_cast<size_t>(index));
    TrendGraphForm::Preset p;
    p.height = o.height;
    p.areaAndBit = o.areaAndBit;
    p.addressNumber = o.address;
    p.attr = o.attr;
    p.portCount = plc.portCount;
    p.ports = plc.ports;
    p.spacing = o.spacing;
    p.maximum = o.maximum;
    p.minimum = o.minimum;
    p.settingA = o.settingA;
    p.count = o.pointCount;
    return TrendGraphForm(p);
}

void placeTrendGraph(EditorSession& session, const TrendGraphForm::Values& v) {
    TrendGraphObject& t = session.screen().templates().trendGraph;
    toRecord(t, v);
    session.pointer().armPlacement(kKindTrendGraph, 2 * t.width, 2 * t.height);
}

void applyTrendGraph(EditorSession& session, int index, const TrendGraphForm::Values& v) {
    TrendGraphObject& o = session.screen().objects().trendGraphs.at(static_cast<size_t>(index));
    toRecord(o, v);
    // The width follows spacing and count: a wider graph stays on the LCD.
    keepInside(session, o, 2 * o.width, 2 * o.height);
    session.screen().setModified();
    session.screen().invalidateAll();
}

} // namespace dispcraft::objectediting
