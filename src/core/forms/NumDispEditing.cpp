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

// The NumDisp dialog and the screen window: what its form is given and what it writes back.
namespace dispcraft::objectediting {

namespace {

// Bits of the single-precision scale factor as the record holds them.
uint32_t scaleBits(float f) {
    uint32_t u;
    std::memcpy(&u, &f, sizeof u);
    return u;
}
float scaleOf(uint32_t u) {
    float f;
    std::memcpy(&f, &u, sizeof f);
    return f;
}

void toRecord(NumDispObject& o, SidePair& side, const NumDispForm::Values& v) {
    o.attr = v.attr;
    o.options = v.flags2;
    o.address = static_cast<int32_t>(v.addressNumber);
    o.digits = v.digits;
    o.decimals = v.decimals;
    o.maximum = static_cast<int32_t>(v.maximum);
    o.minimum = static_cast<int32_t>(v.minimum);
    o.preview = v.preview;
    o.scaleBits = scaleBits(v.scale);
    o.areaAndBit = v.areaAndBit;
    side.high = static_cast<int32_t>(v.high);
    side.low = static_cast<int32_t>(v.low);
}

void toRecord(NumDispObject& o, SidePair& side, const ShortNumDispForm::Values& v) {
    // The clock form is told by its BCD bit (see NumDispObject::shortForm).
    o.attr = static_cast<uint8_t>(
        NumDispRecord::kBcd | (v.entryOption == 1 ? NumDispRecord::kEntry : 0) |
        (v.reverseOption == 1 ? attrbits::kReverse : 0) | (v.font & attrbits::kFont));
    o.options = v.flags2;
    o.address = v.fieldChoice;
    o.digits = v.digits;
    o.decimals = 0;
    o.maximum = v.maximum;
    o.minimum = v.minimum;
    o.scaleBits = 0;
    o.areaAndBit = 0;
    side.high = v.maximum;
    side.low = v.minimum;
}

} // namespace

NumDispForm numDispForPlacement(const PlcContext& plc) {
    NumDispForm::Preset p;
    p.modelMode = plc.portCount;
    p.plcIds = plc.plcIds;
    p.portCount = plc.portCount;
    p.ports = plc.ports;
    return NumDispForm(p);
}

NumDispForm numDispForObject(const EditorSession& session, int index, const PlcContext& plc) {
    const size_t k = static_cast<size_t>(index);
    const NumDispObject& o = session.screen().objects().numDisps.at(k);
    const SidePair& side = session.screen().objects().numDispSides.at(k);
    NumDispForm::Preset p;
    p.attr = o.attr;
    p.flags2 = o.options;
    p.modelMode = plc.portCount;
    p.plcIds = plc.plcIds;
    p.portCount = plc.portCount;
    p.ports = plc.ports;
    p.areaAndBit = o.areaAndBit;
    p.addressNumber = o.address;
    p.digits = o.digits;
    p.decimals = o.decimals;
    p.scale = scaleOf(o.scaleBits);
    p.maximum = o.maximum;
    p.minimum = o.minimum;
    p.high = side.high;
    p.low = side.low;
    return NumDispForm(p);
}

void placeNumDisp(EditorSession& session, const NumDispForm::Values& v) {
    ObjectTemplates& t = session.screen().templates();
    toRecord(t.numDisp, t.numDispSide, v);
    auto [w, h] = cellSize(v.preview.size(), attrbits::fontOf(v.attr));
    session.pointer().armPlacement(kKindNumDisp, w, h);
}

void applyNumDisp(EditorSession& session, int index, const NumDispForm::Values& v) {
    const size_t k = static_cast<size_t>(index);
    NumDispObject& o = session.screen().objects().numDisps.at(k);
    toRecord(o, session.screen().objects().numDispSides.at(k), v);
    auto [w, h] = cellSize(o.preview.size(), attrbits::fontOf(o.attr));
    session.pointer().setPlaceSize(w, h);
    keepInside(session, o, w, h);
    session.screen().setModified();
    session.screen().invalidateAll();
}

std::string shortPreviewOnPlacement(int setting1, int setting2) {
    if (setting2 == 1) {
        return "1";
    }
    return setting1 == ShortNumDispForm::kDayOfWeek ? "\xD2\xBB" : "12";
}

std::string shortPreviewOnEdit(int setting2, int setting4, int setting5) {
    if (setting2 == 1) {
        return "1";
    }
    return setting4 == 7 && setting5 == 1 ? "\xD2\xBB" : "12";
}

ShortNumDispForm shortNumDispForObject(const EditorSession& session, int index) {
    const NumDispObject& o = session.screen().objects().numDisps.at(static_cast<size_t>(index));
    ShortNumDispForm::Preset p;
    p.fieldChoice = o.address;
    p.entryOption = (o.attr & NumDispRecord::kEntry) ? 1 : 0;
    p.reverseOption = (o.attr & attrbits::kReverse) ? 1 : 0;
    p.fontChoice = attrbits::fontOf(o.attr);
    p.flags2 = o.options;
    return ShortNumDispForm(p);
}

void placeShortNumDisp(EditorSession& session, const ShortNumDispForm::Values& v) {
    ObjectTemplates& t = session.screen().templates();
    t.numDisp = NumDispObject{};
    toRecord(t.numDisp, t.numDispSide, v);
    t.numDisp.preview = shortPreviewOnPlacement(t.numDisp.address, t.numDisp.digits);
    auto [w, h] = cellSize(t.numDisp.preview.size(), v.font);
    session.pointer().armPlacement(kKindNumDisp, w, h);
}

void applyShortNumDisp(EditorSession& session, int index, const ShortNumDispForm::Values& v) {
    const size_t k = static_cast<size_t>(index);
    NumDispObject& o = session.screen().objects().numDisps.at(k);
    toRecord(o, session.screen().objects().numDispSides.at(k), v);
    o.preview = shortPreviewOnEdit(o.digits, o.maximum, o.minimum);
    auto [w, h] = cellSize(o.preview.size(), v.font);
    session.pointer().setPlaceSize(w, h);
    keepInside(session, o, w, h);
    session.screen().setModified();
    session.screen().invalidateAll();
}

} // namespace dispcraft::objectediting
