#pragma once

// A small two-port project made record by record, with protocol areas of every notation: a
// decimal word area, a hexadecimal one, an octal bit area and a decimal bit area on COM1, one
// word and one bit area on COM2.

#include "model/ProjectStore.h"
#include "text/Gb2312.h"

#include <memory>
#include <string>

namespace dispcraft::test {

inline std::string gb(const std::string& utf8) {
    return Gb2312::fromUtf8(utf8).text;
}

inline std::unique_ptr<ProjectStore> reportProject() {
    auto st = std::make_unique<ProjectStore>();
    st->modelTitle = "TR - C";
    st->cpuId = 2;
    st->lcdX = 208;
    st->lcdY = 100;
    st->com1ProtocolName = "ONE";
    st->com2ProtocolName = "TWO";
    st->com1Protocol.wordAreas[0] = {"D", "7999", "9999"};
    st->com1Protocol.wordAreas[1] = {"W", "FFFF", "FFFF"};
    st->com1Protocol.wordAreas[2] = {"end", "end", "end"};
    st->com1Protocol.bitAreas[0] = {"X", "0377", "7777"};
    st->com1Protocol.bitAreas[1] = {"M", "3071", "9999"};
    st->com1Protocol.bitAreas[2] = {"end", "end", "end"};
    st->com1Protocol.stationText = "15";
    st->com2Protocol.wordAreas[0] = {"PW", "0255", "9999"};
    st->com2Protocol.wordAreas[1] = {"end", "end", "end"};
    st->com2Protocol.bitAreas[0] = {"PB", "0255", "9999"};
    st->com2Protocol.bitAreas[1] = {"end", "end", "end"};
    st->com2Protocol.stationText = "NO";
    st->projectOpen = true;
    st->projectBlock.startScreen = 1;
    return st;
}

// Screen s with a name and an empty text pool.
inline ScreenBlock& addEmptyScreen(ProjectStore& st, int s, const std::string& nameUtf8) {
    st.entries[s] = ScreenEntry{};
    st.entries[s].number = static_cast<uint8_t>(s);
    st.entries[s].setName(gb(nameUtf8));
    st.screens[s] = ScreenBlock{};
    return st.screens[s];
}

// LCD dot (x, y) as a record keeps it.
inline uint16_t storedX(const ProjectStore& st, int dot) {
    return static_cast<uint16_t>(st.lcdX / 2 + dot);
}
inline uint16_t storedY(const ProjectStore& st, int dot) {
    return static_cast<uint16_t>(st.lcdY / 2 + dot);
}

inline void addText(ProjectStore& st, int s, int x, int y, const std::string& utf8,
                    uint8_t attr = 0) {
    ScreenEntry& e = st.entries[s];
    ScreenBlock& b = st.screens[s];
    TextStringRecord& t = b.textStrings[e.textCount++];
    t = TextStringRecord{};
    t.kind = kKindTextString;
    t.x = storedX(st, x);
    t.y = storedY(st, y);
    t.attr = attr;
    TextStringKind::setText(t, 0, b.textPool, gb(utf8));
    e.setPoolLength(b.textPool.size());
}

inline MsgDispRecord& addMessages(ProjectStore& st, int s,
                                  std::initializer_list<const char*> texts) {
    ScreenEntry& e = st.entries[s];
    ScreenBlock& b = st.screens[s];
    MsgDispRecord& m = b.msgDisps[e.msgCount++];
    m = MsgDispRecord{};
    m.kind = kKindMsgDisp;
    m.x = storedX(st, 0);
    m.y = storedY(st, 16);
    int i = 0;
    for (const char* t : texts) {
        MsgDispKind::setText(m, i++, b.textPool, gb(t));
    }
    for (; i < MsgDispKind::kTexts; ++i) {
        MsgDispKind::setText(m, i, b.textPool, "");
    }
    e.setPoolLength(b.textPool.size());
    return m;
}

} // namespace dispcraft::test
