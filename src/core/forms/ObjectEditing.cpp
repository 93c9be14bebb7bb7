#include "forms/ObjectEditing.h"
#include "forms/ObjectEditingSupport.h"

#include "base/ProgramDirectory.h"
#include "config/ProtocolFile.h"
#include "editor/EditorSession.h"
#include "model/ProjectStore.h"

#include <algorithm>

namespace dispcraft::objectediting {

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

} // namespace dispcraft::objectediting
