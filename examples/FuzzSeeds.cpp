#include "FuzzSeeds.h"

#include "DemoScreens.h"

#include "base/FileIo.h"
#include "model/TrnWriter.h"

#include <memory>

namespace dispcraft::examples {

namespace {

std::unique_ptr<ProjectStore> seedStore(bool content) {
    auto st = std::make_unique<ProjectStore>();
    st->modelTitle = "TR - A";
    st->com1ProtocolName = "FX_CPU";
    st->com2ProtocolName = "FX_CPU";
    st->initialiseNewProject(SerialSettings{9600, 7, 1, 'e'}, SerialSettings{115200, 8, 1, 'n'});
    if (content) {
        addSeedContent(*st);
    }
    TrnWriter::prepare(*st);
    return st;
}

// The layout of an older format, from a prepared store.
std::string layout(const ProjectStore& st, int format) {
    std::string out;
    auto put = [&](const auto& v) { out.append(reinterpret_cast<const char*>(&v), sizeof v); };
    auto putN = [&](const auto& a, size_t n) {
        out.append(reinterpret_cast<const char*>(a.data()), sizeof(a[0]) * n);
    };
    FileHeader h = st.header;
    h.format = static_cast<uint16_t>(format);
    put(h);
    put(st.projectBlock);
    put(st.fileIndex);
    putN(st.entries, st.entries.size());
    putN(st.pictureDir, st.pictureDir.size());
    for (int s = 1; s <= capacity::kLastScreen; ++s) {
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
        putN(b.fnKeys, b.fnKeys.size());
        if (format >= 2) {
            putN(b.oldKeys, b.oldKeys.size());
        }
    }
    put(st.alarms[0]);
    out += st.globalPool;
    out += st.pictureDotPool;
    out += st.scratchPool;
    putN(st.globalOldKeys, st.globalOldKeys.size());
    if (format > 3) {
        put(st.systemBlock);
    }
    if (format > 4) {
        for (int s = 1; s <= capacity::kLastScreen; ++s) {
            if (st.screenExists(s)) {
                putN(st.screens[s].keys, st.screens[s].keys.size());
                putN(st.screens[s].numDispSides, st.entries[s].numCount);
            }
        }
        put(st.changeCount);
        putN(st.changes, st.changeCount);
        putN(st.globalKeys, st.globalKeys.size());
    }
    if (format >= 51) {
        put(st.alarms[1]);
    }
    return out;
}

} // namespace

bool writeFuzzSeeds(const std::string& dir) {
    auto empty = seedStore(false);
    auto full = seedStore(true);
    std::string f51 = TrnWriter::serialise(*full);
    struct Seed {
        const char* name;
        std::string bytes;
    };
    const Seed seeds[] = {
        {"empty.trn", TrnWriter::serialise(*empty)},
        {"format51.trn", f51},
        {"format50.trn", layout(*full, 50)},
        {"format6.trn", layout(*full, 6)},
        {"format4.trn", layout(*full, 4)},
        {"format3.trn", layout(*full, 3)},
        {"format1.trn", layout(*full, 1)},
        {"ends-early.trn", f51.substr(0, full->fileIndex.globalOldKeysOffset + 72 + 36 + 900)},
    };
    bool ok = true;
    for (const Seed& s : seeds) {
        ok = FileIo::writeAtomic(dir + "/" + s.name, s.bytes) && ok;
    }
    return ok;
}

} // namespace dispcraft::examples
