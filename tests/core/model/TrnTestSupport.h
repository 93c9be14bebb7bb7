#pragma once

// Shared by the project file tests: a project with every record kind, a comparison of what a
// store holds, and a writer of the older file layouts (written here independently of the
// program's writer, so that the reader is checked against the layouts themselves).

#include "model/ProjectStore.h"
#include "model/TrnWriter.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

namespace dispcraft::test {

// Fills a record with a byte pattern, so that every byte (reserved ones included) is checked
// by a round trip.
template <typename T>
void pattern(T& record, uint8_t seed) {
    auto* p = reinterpret_cast<uint8_t*>(&record);
    for (size_t i = 0; i < sizeof(T); ++i) {
        p[i] = static_cast<uint8_t>(seed + i * 7);
    }
}

inline std::unique_ptr<ProjectStore> newProject(char modelCode = 'B') {
    auto st = std::make_unique<ProjectStore>();
    st->modelTitle = std::string("TR - ") + modelCode;
    st->com1ProtocolName = "FX_CPU";
    st->com2ProtocolName = "MODBUS_RTU";
    st->defaultStation = 1;
    st->initialiseNewProject(SerialSettings{115200, 7, 2, 'e'}, SerialSettings{9600, 8, 1, 'n'});
    return st;
}

// Screen s with n objects of every kind; texts "AB" + Chinese characters, valid references.
inline void addScreen(ProjectStore& st, int s, int n, const std::string& name) {
    ScreenEntry& e = st.entries[s];
    ScreenBlock& b = st.screens[s];
    e.number = static_cast<uint8_t>(s);
    e.setName(name);
    b.textPool.clear();
    auto addText = [&](const std::string& t, uint32_t& off, uint8_t& len) {
        off = static_cast<uint32_t>(b.textPool.size());
        b.textPool += t;
        len = static_cast<uint8_t>(t.size());
    };
    const std::string chinese = "\xC9\xE8\xB1\xB8"; // two GB2312 characters
    e.textCount = static_cast<uint8_t>(std::min(n, capacity::kTextStrings));
    for (int i = 0; i < e.textCount; ++i) {
        TextStringRecord& t = b.textStrings[i];
        pattern(t, static_cast<uint8_t>(s + i));
        t.kind = kKindTextString;
        addText("T" + std::to_string(i) + chinese, t.textOffset, t.textLength);
    }
    e.msgCount = static_cast<uint8_t>(std::min(n, capacity::kMsgDisps));
    for (int i = 0; i < e.msgCount; ++i) {
        MsgDispRecord& m = b.msgDisps[i];
        pattern(m, static_cast<uint8_t>(s + 2 * i));
        m.kind = kKindMsgDisp;
        for (int k = 0; k < 16; ++k) {
            addText(k < 3 ? "M" + std::to_string(k) : "", m.textOffsets[k], m.textLengths[k]);
        }
    }
    e.numCount = static_cast<uint8_t>(std::min(n, capacity::kNumDisps));
    for (int i = 0; i < e.numCount; ++i) {
        pattern(b.numDisps[i], static_cast<uint8_t>(s + 3 * i));
        b.numDisps[i].kind = kKindNumDisp;
        pattern(b.numDispSides[i], static_cast<uint8_t>(100 + i));
    }
    e.barCount = static_cast<uint8_t>(std::min(n, capacity::kBarGraphs));
    for (int i = 0; i < e.barCount; ++i) {
        pattern(b.barGraphs[i], static_cast<uint8_t>(s + 5 * i));
        b.barGraphs[i].kind = kKindBarGraph;
    }
    e.trendCount = static_cast<uint8_t>(std::min(n, capacity::kTrendGraphs));
    for (int i = 0; i < e.trendCount; ++i) {
        pattern(b.trendGraphs[i], static_cast<uint8_t>(s + 11 * i));
        b.trendGraphs[i].kind = kKindTrendGraph;
    }
    e.lampCount = static_cast<uint8_t>(std::min(n, capacity::kLamps));
    for (int i = 0; i < e.lampCount; ++i) {
        pattern(b.lamps[i], static_cast<uint8_t>(s + 13 * i));
        b.lamps[i].kind = kKindLamp;
        b.lamps[i].setName(i % 2 ? "lamp20_32x32" : "lamp01_16x16");
    }
    e.pictureCount = static_cast<uint8_t>(std::min(n, capacity::kPictureObjects));
    for (int i = 0; i < e.pictureCount; ++i) {
        pattern(b.pictures[i], static_cast<uint8_t>(s + 17 * i));
        b.pictures[i].kind = kKindPicture;
        b.pictures[i].pictureNo = static_cast<uint8_t>(i % 2 == 0 ? 1 : 29); // defined ones
    }
    b.fnKeys = {static_cast<uint8_t>(s), 0, 3, 4};
    for (int k = 0; k < capacity::kPanelKeys; ++k) {
        pattern(b.keys[k], static_cast<uint8_t>(s * 3 + k));
    }
}

inline void addPicture(ProjectStore& st, int i, int w, int h) {
    PictureTableEntry& p = st.pictures[i];
    p.id = static_cast<uint8_t>(i);
    p.width = static_cast<uint8_t>(w);
    p.height = static_cast<uint8_t>(h);
    p.dots.clear();
    for (int k = 0; k < w * h; ++k) {
        p.dots += static_cast<char>((k + i) % 3 == 0 ? 0 : 1);
    }
}

// A project using every block of the file.
inline std::unique_ptr<ProjectStore> sampleProject() {
    auto st = newProject();
    addScreen(*st, 1, 3, "Start");
    addScreen(*st, 7, 2, "\xB1\xA8\xBE\xAF"); // GB2312 name
    addScreen(*st, 199, 1, "Last one!!");
    addPicture(*st, 1, 8, 4);
    addPicture(*st, 29, 3, 2);
    st->com1PortNumber = 3;
    st->com2PortNumber = 2;
    for (int k = 0; k < capacity::kPanelKeys; ++k) {
        pattern(st->globalKeys[k], static_cast<uint8_t>(200 + k));
    }
    st->globalKeys[2].kind = 0; // a project-wide key: copied into the screens' old records
    pattern(st->systemBlock, 9);
    st->changeCount = 3;
    for (int i = 0; i < 3; ++i) {
        pattern(st->changes[i], static_cast<uint8_t>(40 + i));
    }
    st->alarmPools[0] = "Pump fault\xB9\xCA\xD5\xCF";
    st->alarms[0].startAddress = 100;
    st->alarms[0].count = 2;
    st->alarms[0].offsets[1] = 5;
    st->alarms[0].lengths[0] = 5;
    st->alarms[0].lengths[1] = 9;
    st->alarms[0].options = 3;
    st->alarmPools[1] = "Low";
    st->alarms[1].count = 1;
    st->alarms[1].lengths[0] = 3;
    st->alarms[1].options = 4;
    st->scratchPool = "scratch";
    return st;
}

// What a store holds that a file carries; records beyond their counts do not count.
inline void expectSameStore(const ProjectStore& a, const ProjectStore& b) {
    auto same = [](const auto& x, const auto& y) { return std::memcmp(&x, &y, sizeof x) == 0; };
    EXPECT_TRUE(same(a.header, b.header));
    EXPECT_TRUE(same(a.projectBlock, b.projectBlock));
    EXPECT_TRUE(same(a.fileIndex, b.fileIndex));
    EXPECT_TRUE(same(a.entries, b.entries));
    EXPECT_TRUE(same(a.systemBlock, b.systemBlock));
    EXPECT_TRUE(same(a.globalOldKeys, b.globalOldKeys));
    EXPECT_TRUE(same(a.globalKeys, b.globalKeys));
    EXPECT_TRUE(same(a.alarms, b.alarms));
    EXPECT_EQ(a.changeCount, b.changeCount);
    EXPECT_EQ(std::memcmp(a.changes.data(), b.changes.data(), sizeof(ChangeRecord) * a.changeCount), 0);
    EXPECT_EQ(a.globalPool, b.globalPool);
    EXPECT_EQ(a.scratchPool, b.scratchPool);
    EXPECT_EQ(a.pictureDotPool, b.pictureDotPool);
    EXPECT_EQ(a.alarmPools, b.alarmPools);
    EXPECT_EQ(a.com1ProtocolName, b.com1ProtocolName);
    EXPECT_EQ(a.com2ProtocolName, b.com2ProtocolName);
    EXPECT_EQ(a.com1PortNumber, b.com1PortNumber);
    EXPECT_EQ(a.com2PortNumber, b.com2PortNumber);
    EXPECT_EQ(a.modelTitle, b.modelTitle);
    for (int i = 1; i < capacity::kPictureSlots; ++i) {
        EXPECT_EQ(a.pictures[i].id, b.pictures[i].id) << "picture " << i;
        EXPECT_EQ(a.pictures[i].dots, b.pictures[i].dots) << "picture " << i;
    }
    for (int s = 1; s <= capacity::kLastScreen; ++s) {
        if (!a.screenExists(s)) {
            continue;
        }
        const ScreenEntry& e = a.entries[s];
        const ScreenBlock& x = a.screens[s];
        const ScreenBlock& y = b.screens[s];
        auto sameN = [](const auto& u, const auto& v, int n) {
            return std::memcmp(u.data(), v.data(), sizeof(u[0]) * n) == 0;
        };
        EXPECT_TRUE(sameN(x.textStrings, y.textStrings, e.textCount)) << "screen " << s;
        EXPECT_TRUE(sameN(x.msgDisps, y.msgDisps, e.msgCount)) << "screen " << s;
        EXPECT_TRUE(sameN(x.numDisps, y.numDisps, e.numCount)) << "screen " << s;
        EXPECT_TRUE(sameN(x.numDispSides, y.numDispSides, e.numCount)) << "screen " << s;
        EXPECT_TRUE(sameN(x.barGraphs, y.barGraphs, e.barCount)) << "screen " << s;
        EXPECT_TRUE(sameN(x.trendGraphs, y.trendGraphs, e.trendCount)) << "screen " << s;
        EXPECT_TRUE(sameN(x.lamps, y.lamps, e.lampCount)) << "screen " << s;
        EXPECT_TRUE(sameN(x.pictures, y.pictures, e.pictureCount)) << "screen " << s;
        EXPECT_TRUE(same(x.fnKeys, y.fnKeys)) << "screen " << s;
        EXPECT_TRUE(same(x.oldKeys, y.oldKeys)) << "screen " << s;
        EXPECT_TRUE(same(x.keys, y.keys)) << "screen " << s;
        EXPECT_EQ(x.textPool, y.textPool) << "screen " << s;
    }
}

// Writes a prepared store in the layout of an older format (or of format 51 itself). The
// header carries `format`; the index is written as the store has it.
inline std::string legacyFile(const ProjectStore& st, int format) {
    std::string out;
    auto put = [&](const auto& v) { out.append(reinterpret_cast<const char*>(&v), sizeof v); };
    auto putN = [&](const auto& arr, size_t n) {
        out.append(reinterpret_cast<const char*>(arr.data()), sizeof(arr[0]) * n);
    };
    FileHeader h = st.header;
    h.format = static_cast<uint16_t>(format);
    put(h);
    put(st.projectBlock);
    put(st.fileIndex);
    putN(st.entries, 200);
    putN(st.pictureDir, 30);
    for (int s = 1; s <= 199; ++s) {
        if (!st.screenExists(s)) {
            continue;
        }
        const ScreenEntry& e = st.entries[s];
        const ScreenBlock& b = st.screens[s];
        putN(b.textStrings, e.textCount);
        putN(b.msgDisps, e.msgCount);
        putN(b.numDisps, e.numCount);
        putN(b.barGraphs, e.barCount);
        putN(b.trendGraphs, e.trendCount);
        putN(b.lamps, e.lampCount);
        putN(b.pictures, e.pictureCount);
        putN(b.fnKeys, 4);
        if (format >= 2) {
            putN(b.oldKeys, 6);
        }
    }
    put(st.alarms[0]);
    out += st.globalPool;
    out += st.pictureDotPool;
    out += st.scratchPool;
    putN(st.globalOldKeys, 6);
    if (format > 3) {
        put(st.systemBlock);
    }
    if (format > 4) {
        for (int s = 1; s <= 199; ++s) {
            if (st.screenExists(s)) {
                putN(st.screens[s].keys, 25);
                putN(st.screens[s].numDispSides, st.entries[s].numCount);
            }
        }
        put(st.changeCount);
        putN(st.changes, st.changeCount);
        putN(st.globalKeys, 25);
    }
    if (format >= 51) {
        put(st.alarms[1]);
    }
    return out;
}

} // namespace dispcraft::test
