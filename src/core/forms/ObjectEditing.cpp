#include "forms/ObjectEditing.h"

#include "base/ProgramDirectory.h"
#include "config/ProtocolFile.h"
#include "editor/EditorSession.h"
#include "forms/GraphCoding.h"
#include "forms/ObjectFormMessages.h"
#include "objects/AttrBits.h"
#include "model/ProjectStore.h"

#include <algorithm>
#include <cstring>

namespace dispcraft::objectediting {

namespace {

// The placement size of a text or numeric display: one cell per byte.
std::pair<int, int> cellSize(size_t bytes, int font) {
    return {static_cast<int>(bytes) * cellWidth(font), cellHeight(font)};
}

void keepInside(EditorSession& s, EditorObject& o, int w, int h) {
    Point p = s.screen().keepInsideLcd({o.x, o.y}, w, h);
    // An object larger than the LCD keeps its left or top edge on it rather than going past.
    const Point lcd = s.screen().lcdOrigin();
    o.x = std::max(p.x, lcd.x);
    o.y = std::max(p.y, lcd.y);
}

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

std::string lampDir(const EditorSession& s) { return s.screen().programDirectory().file("lampdata"); }

void toTemplate(MsgDispObject& o, const MsgDispForm::Values& v) {
    o.attr = v.attr;
    o.texts = v.texts;
    o.address = static_cast<int32_t>(v.addressNumber);
    o.areaAndBit = v.areaAndBit;
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
    o.attr = static_cast<uint8_t>(NumDispRecord::kBcd | (v.entryOption == 1 ? NumDispRecord::kEntry : 0) |
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

// Writes the edited picture table back; a change counts as an edit of the screen window, so the
// project is not closed without asking.
void writePictures(EditorSession& s, const PictureForm::Table& edited) {
    if (PictureForm::writeBack(edited, s.screen().store().pictures)) {
        s.screen().setModified();
    }
}

} // namespace

PlcContext PlcContext::of(const ProjectStore& store, const ProgramDirectory& dir) {
    PlcContext c;
    c.cpuId = store.cpuId;
    c.portCount = store.cpu().hasCom2() ? 2 : 1;
    c.ports = {PlcPortAreas::fromProtocol(store.protocol(1)),
               PlcPortAreas::fromProtocol(store.protocol(2))};
    c.protocolNames = {store.com1ProtocolName, store.com2ProtocolName};
    for (int port = 1; port <= 2; ++port) {
        const std::string& name = c.protocolNames[static_cast<size_t>(port - 1)];
        if (!name.empty()) {
            ProtocolFile file(ProtocolFile::projectPath(dir, store.cpuId, port, name));
            c.plcIds[static_cast<size_t>(port - 1)] = file.plcId();
        }
    }
    return c;
}

void beginPlacement(EditorSession& session, int command) {
    session.screen().deselectAll();
    if (command == command::kPlaceTextString || command == command::kPlaceNumDisp ||
        command == command::kPlaceShortNumDisp) {
        session.pointer().selectTool();
    }
}

// ---- TextString ---------------------------------------------------------------------------

std::pair<int, int> textStringSize(size_t bytes, int font) {
    const int perByte = font == 0 || font == 2 ? 384 / 24 : 384 / 12;
    return {static_cast<int>(bytes) * perByte, font <= 1 ? 32 : 64};
}

TextStringForm textStringForObject(const EditorSession& session, int index) {
    const TextStringObject& o = session.screen().objects().textStrings.at(static_cast<size_t>(index));
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

// ---- MsgDisp ------------------------------------------------------------------------------

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

// ---- NumDisp ------------------------------------------------------------------------------

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

// ---- BarGraph -----------------------------------------------------------------------------

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

// ---- TrendGraph ---------------------------------------------------------------------------

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
    const TrendGraphObject& o = session.screen().objects().trendGraphs.at(static_cast<size_t>(index));
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

// ---- Lamp ---------------------------------------------------------------------------------

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

// ---- Picture ------------------------------------------------------------------------------

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
