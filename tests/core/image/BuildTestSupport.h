#pragma once

// Crafted program directories and projects for the build tests. The glyph files are made up so
// that every image byte can be worked out by hand: "asc16" character c has the single row 0 = c
// (so its cell is c's bits, most significant first, one per byte), and the hex font holds two
// line glyphs.

#include "base/ScratchDirectory.h"
#include "image/ImageBuilder.h"
#include "base/ProgramDirectory.h"
#include "base/FileIo.h"
#include "model/ProjectStore.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace buildtest {

using namespace dispcraft;
namespace fs = std::filesystem;

// GB2312 characters of the crafted hex font.
inline const std::string kYi = "\xD2\xBB";   // 一 U+4E00: row 7 lit across
inline const std::string kGun = "\xD8\xAD";  // 丨 U+4E28: column 0 lit down
inline const std::string kZhong = "\xD6\xD0"; // 中: not in the crafted font

struct ProgramDir {
    ScratchDirectory scratch;
    fs::path path = scratch.path();

    explicit ProgramDir(const std::string& name) : scratch("build-" + name) {
        fs::create_directories(path / "lampdata");
        fs::create_directories(path / "Protocol");
        fs::create_directories(path / "Protocol120" / "comport1");
        fs::create_directories(path / "Protocol120" / "comport2");
        std::vector<uint8_t> asc(4096, 0);
        for (int c = 0; c < 256; ++c) {
            asc[16 * c] = static_cast<uint8_t>(c);
        }
        write("asc16", std::string(asc.begin(), asc.end()));
        std::string hex = "4E00:";
        for (int r = 0; r < 16; ++r) {
            hex += r == 7 ? "FFFF" : "0000";
        }
        hex += "\n4E28:";
        for (int r = 0; r < 16; ++r) {
            hex += "8000";
        }
        hex += "\n";
        write("unifont.hex", hex);
    }

    ProgramDirectory dir() const { return ProgramDirectory(path.string()); }
    std::string file(const std::string& relative) const { return (path / relative).string(); }
    // Plain writes: the tests need no crash safety, and syncing every file would be slow.
    void write(const std::string& relative, const std::string& bytes) const {
        std::ofstream out(file(relative), std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        ASSERT_TRUE(out.good()) << relative;
    }
    void remove(const std::string& relative) const { fs::remove(file(relative)); }
    void protocol(const std::string& relative, const std::string& plcId) const {
        write(relative, "[LinkProtocol]\r\nPLCID=" + plcId + "\r\nLinkName=Test\r\n");
    }
    // A lamp picture file: every dot background (1) but the listed (row, column) pairs.
    void lamp(const std::string& name, int size, std::vector<std::pair<int, int>> dark = {}) const {
        std::string dots(static_cast<size_t>(2 * size * size), '\1');
        for (auto [row, col] : dark) {
            dots[static_cast<size_t>(row * 2 * size + col)] = 0;
        }
        write("lampdata/" + name + ".lmp", dots);
    }
};

// A two-port project (CPU_ID 2) with the LCD at picture pixels (100, 60): stored (50, 30) is the
// LCD's top-left dot. Nothing on it yet.
inline std::unique_ptr<ProjectStore> newStore(int cpuId = 2) {
    auto store = std::make_unique<ProjectStore>();
    std::memcpy(store->header.magic, "DAVO", 4);
    store->header.format = 51;
    store->cpuId = cpuId;
    store->modelTitle = "TR - A";
    store->lcdX = 100;
    store->lcdY = 60;
    store->alarmGroupCount = 1;
    store->maxChangeLength = 16;
    store->maxChangeCount = 10;
    store->com1ProtocolName = "P1";
    store->com2ProtocolName = "P2";
    ProjectBlock& pb = store->projectBlock;
    ProjectBlock::setName(pb.com1Protocol, "P1");
    ProjectBlock::setName(pb.com2Protocol, "P2");
    pb.baud[0] = 9600;
    pb.baud[1] = 19200;
    pb.dataBits[0] = 8;
    pb.dataBits[1] = 7;
    pb.stopBits[0] = 1;
    pb.stopBits[1] = 2;
    pb.parity[0] = 'e';
    pb.parity[1] = 'o';
    pb.startScreen = 1;
    pb.panelSetting2 = 5;
    return store;
}

inline void addScreen(ProjectStore& store, int s) {
    store.entries[s].number = static_cast<uint8_t>(s);
    store.entries[s].setName("S" + std::to_string(s));
}

inline uint32_t addPoolText(ProjectStore& store, int s, const std::string& text) {
    auto at = static_cast<uint32_t>(store.screens[s].textPool.size());
    store.screens[s].textPool += text;
    store.entries[s].setPoolLength(store.screens[s].textPool.size());
    return at;
}

inline TextStringRecord& addText(ProjectStore& store, int s, uint16_t x, uint16_t y, const std::string& text) {
    TextStringRecord& r = store.screens[s].textStrings[store.entries[s].textCount++];
    r = TextStringRecord{};
    r.kind = kKindTextString;
    r.x = x;
    r.y = y;
    r.textOffset = addPoolText(store, s, text);
    r.textLength = static_cast<uint8_t>(text.size());
    return r;
}

inline MsgDispRecord& addMsgDisp(ProjectStore& store, int s, uint16_t x, uint16_t y,
                                 const std::vector<std::string>& texts) {
    MsgDispRecord& r = store.screens[s].msgDisps[store.entries[s].msgCount++];
    r = MsgDispRecord{};
    r.kind = kKindMsgDisp;
    r.x = x;
    r.y = y;
    for (size_t t = 0; t < 16; ++t) {
        const std::string text = t < texts.size() ? texts[t] : std::string();
        r.textOffsets[t] = addPoolText(store, s, text);
        r.textLengths[t] = static_cast<uint8_t>(text.size());
    }
    return r;
}

inline NumDispRecord& addNumDisp(ProjectStore& store, int s, uint16_t x, uint16_t y) {
    const int i = store.entries[s].numCount++;
    NumDispRecord& r = store.screens[s].numDisps[i];
    r = NumDispRecord{};
    r.kind = kKindNumDisp;
    r.x = x;
    r.y = y;
    store.screens[s].numDispSides[i] = {static_cast<int32_t>(1000 + i), static_cast<int32_t>(2000 + i)};
    return r;
}

inline LampRecord& addLamp(ProjectStore& store, int s, uint16_t x, uint16_t y, const std::string& name,
                           bool large = false) {
    LampRecord& r = store.screens[s].lamps[store.entries[s].lampCount++];
    r = LampRecord{};
    r.kind = kKindLamp;
    r.x = x;
    r.y = y;
    r.attr = large ? 0x40 : 0;
    r.setName(name);
    return r;
}

inline void setAlarm(ProjectStore& store, int group, int slot, const std::string& text) {
    AlarmBlock& a = store.alarms[group];
    a.offsets[slot] = static_cast<uint32_t>(store.alarmPools[group].size());
    a.lengths[slot] = static_cast<uint8_t>(text.size());
    store.alarmPools[group] += text;
}

// What saving leaves in the store for the build: the global pool from the screen and alarm
// pools, each screen's old key records from its first six key records.
inline void prepareLikeSave(ProjectStore& store) {
    store.globalPool.clear();
    for (int s = 1; s <= 199; ++s) {
        if (store.screenExists(s)) {
            store.globalPool += store.screens[s].textPool;
            for (int k = 0; k < 6; ++k) {
                panelkeys::copyKeyFields(store.screens[s].keys[k], store.screens[s].oldKeys[k]);
            }
        }
    }
    store.globalPool += store.alarmPools[0];
    store.globalPool += store.alarmPools[1];
}

inline unsigned u16(const std::vector<uint8_t>& img, size_t at) {
    return img.at(at) | (img.at(at + 1) << 8);
}
inline uint32_t u32(const std::vector<uint8_t>& img, size_t at) {
    return u16(img, at) | (static_cast<uint32_t>(u16(img, at + 2)) << 16);
}
inline std::vector<uint8_t> slice(const std::vector<uint8_t>& img, size_t at, size_t n) {
    return std::vector<uint8_t>(img.begin() + static_cast<long>(at), img.begin() + static_cast<long>(at + n));
}

} // namespace buildtest
