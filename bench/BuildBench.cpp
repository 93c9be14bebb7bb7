// The build of the download image: the largest project the panel accepts (an image just below
// 47104 bytes), and the glyph stage alone for texts that use all 7445 GB2312 characters, whose
// full build must stop because its image passes the 16-bit offsets. Glyphs come from the program
// directory's "asc16" and the system's Unifont (or a system CJK font through FreeType).
#include "image/BuildMessages.h"
#include "image/GlyphTable.h"
#include "image/HexGlyphSource.h"
#include "image/ImageBuilder.h"
#include "image/PanelGlyphs.h"
#include "base/ProgramDirectory.h"
#include "base/FileIo.h"
#include "model/ProjectStore.h"
#include "text/Gb2312.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>

using namespace dispcraft;

namespace {

const char* kCjkFont = "/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc";

ProgramDirectory programDir() { return ProgramDirectory(DISPCRAFT_BENCH_PROGRAM_DIR); }

// Every GB2312 two-byte character, in code order; from 0xB0 on only the hanzi.
std::vector<std::string> gb2312Characters(unsigned firstLead = 0xA1) {
    std::vector<std::string> out;
    for (unsigned lead = firstLead; lead <= 0xF7; ++lead) {
        for (unsigned trail = 0xA1; trail <= 0xFE; ++trail) {
            if (Gb2312::codePoint(static_cast<unsigned char>(lead), static_cast<unsigned char>(trail))) {
                out.push_back(std::string{static_cast<char>(lead), static_cast<char>(trail)});
            }
        }
    }
    return out;
}

// A glyph source shared by the iterations, so that each one renders anew without reopening.
class Borrowed : public GlyphSource {
public:
    explicit Borrowed(GlyphSource& s) : m_s(s) {}
    std::optional<GlyphBitmap> glyph(char32_t cp) override { return m_s.glyph(cp); }
    const std::string& path() const override { return m_s.path(); }

private:
    GlyphSource& m_s;
};

std::unique_ptr<ProjectStore> baseStore() {
    auto st = std::make_unique<ProjectStore>();
    std::memcpy(st->header.magic, "DAVO", 4);
    st->header.format = 51;
    st->cpuId = 2;
    st->lcdX = 100;
    st->lcdY = 60;
    st->maxChangeLength = 16;
    st->maxChangeCount = 10;
    ProjectBlock& pb = st->projectBlock;
    pb.baud[0] = 9600;
    pb.baud[1] = 9600;
    pb.dataBits[0] = pb.dataBits[1] = 8;
    pb.stopBits[0] = pb.stopBits[1] = 1;
    pb.parity[0] = pb.parity[1] = 'n';
    pb.startScreen = 1;
    return st;
}

void addText(ProjectStore& st, int s, uint16_t x, uint16_t y, const std::string& text) {
    ScreenEntry& e = st.entries[s];
    ScreenBlock& b = st.screens[s];
    TextStringRecord& r = b.textStrings[e.textCount++];
    r.kind = kKindTextString;
    r.x = x;
    r.y = y;
    r.textOffset = static_cast<uint32_t>(b.textPool.size());
    r.textLength = static_cast<uint8_t>(text.size());
    b.textPool += text;
}

void finish(ProjectStore& st) {
    st.globalPool.clear();
    for (int s = 1; s <= 199; ++s) {
        if (st.screenExists(s)) {
            st.entries[s].setPoolLength(st.screens[s].textPool.size());
            st.globalPool += st.screens[s].textPool;
        }
    }
    st.globalPool += st.alarmPools[0];
    st.globalPool += st.alarmPools[1];
}

// n screens of an ordinary operator panel: a title and three labels mixing Chinese and ASCII, a
// message display, four numeric displays, two lamps and a picture; new characters on every
// screen, as texts seldom repeat.
std::unique_ptr<ProjectStore> panelProject(int screens, int extraLabels = 0) {
    static const std::vector<std::string> hanzi = gb2312Characters(0xB0);
    auto st = baseStore();
    size_t next = 0;
    auto chars = [&](int n) {
        std::string t;
        for (int i = 0; i < n; ++i) {
            t += hanzi[next++ % hanzi.size()];
        }
        return t;
    };
    st->pictures[1] = PictureTableEntry{1, 32, 32, 0, std::string(32 * 32, '\1')};
    for (int s = 1; s <= screens; ++s) {
        st->entries[s].number = static_cast<uint8_t>(s);
        addText(*st, s, 50, 30, chars(6) + " " + std::to_string(s));
        for (int i = 0; i < 3; ++i) {
            addText(*st, s, 50, static_cast<uint16_t>(46 + 16 * i), chars(3) + ":");
        }
        ScreenEntry& e = st->entries[s];
        ScreenBlock& b = st->screens[s];
        MsgDispRecord& m = b.msgDisps[e.msgCount++];
        m.kind = kKindMsgDisp;
        m.x = 120;
        m.y = 78;
        for (int t = 0; t < 4; ++t) {
            std::string text = chars(2);
            m.textOffsets[t] = static_cast<uint32_t>(b.textPool.size());
            m.textLengths[t] = static_cast<uint8_t>(text.size());
            b.textPool += text;
        }
        for (int i = 0; i < 4; ++i) {
            NumDispRecord& n = b.numDisps[e.numCount];
            b.numDispSides[e.numCount++] = {0, 9999};
            n.kind = kKindNumDisp;
            n.x = static_cast<uint16_t>(90 + 8 * (i % 2));
            n.y = static_cast<uint16_t>(46 + 16 * (i / 2));
            n.digits = 5;
            n.setScale(1.0f);
        }
        for (int i = 0; i < 2; ++i) {
            LampRecord& l = b.lamps[e.lampCount++];
            l.kind = kKindLamp;
            l.x = static_cast<uint16_t>(200 + 20 * i);
            l.y = 30;
            l.setName(i == 0 ? "lamp01_16x16" : "lamp02_32x32");
            l.attr = i == 0 ? 0 : 0x40;
        }
        PictureObjectRecord& p = b.pictures[e.pictureCount++];
        p.kind = kKindPicture;
        p.x = 210;
        p.y = 62;
        p.width = 32;
        p.height = 32;
        p.pictureNo = 1;
    }
    // Labels on one more screen bring the image closer to the limit than whole screens can.
    if (extraLabels > 0) {
        const int s = screens + 1;
        st->entries[s].number = static_cast<uint8_t>(s);
        for (int i = 0; i < extraLabels && i < capacity::kTextStrings; ++i) {
            addText(*st, s, 50, static_cast<uint16_t>(30 + 8 * (i % 8)), chars(1));
        }
    }
    finish(*st);
    return st;
}

// The largest such project whose image the panel accepts.
std::unique_ptr<ProjectStore> largestAccepted(size_t* size) {
    ProgramDirectory dir = programDir();
    std::vector<Message> notes;
    PanelGlyphs glyphs = PanelGlyphs::open(dir, {}, &notes);
    BuildOptions options;
    options.glyphs = &glyphs;
    auto accepted = [&](int screens, int labels) {
        BuildResult r = ImageBuilder::build(*panelProject(screens, labels), dir, options);
        return !r.stopped() && r.image.size() <= ImageBuilder::kMaxFile;
    };
    auto largest = [](int lo, int hi, auto fits) {
        while (lo < hi) {
            int mid = (lo + hi + 1) / 2;
            if (fits(mid)) {
                lo = mid;
            } else {
                hi = mid - 1;
            }
        }
        return lo;
    };
    const int screens = largest(1, 198, [&](int n) { return accepted(n, 0); });
    const int labels = largest(0, capacity::kTextStrings, [&](int n) { return accepted(screens, n); });
    auto st = panelProject(screens, labels);
    *size = ImageBuilder::build(*st, dir, options).image.size();
    return st;
}

// Texts holding every GB2312 character once (and the printable ASCII), 24 bytes per TextString.
std::unique_ptr<ProjectStore> allCharacters() {
    auto st = baseStore();
    std::vector<std::string> texts;
    std::string t;
    for (const std::string& c : gb2312Characters()) {
        if (t.size() + 2 > 24) {
            texts.push_back(t);
            t.clear();
        }
        t += c;
    }
    texts.push_back(t);
    t.clear();
    for (char c = ' '; c < 127; ++c) {
        t += c;
        if (t.size() == 24) {
            texts.push_back(t);
            t.clear();
        }
    }
    texts.push_back(t);
    int s = 0;
    for (const std::string& text : texts) {
        if (s == 0 || st->entries[s].textCount == capacity::kTextStrings) {
            ++s;
            st->entries[s].number = static_cast<uint8_t>(s);
        }
        addText(*st, s, 50, 30, text);
    }
    finish(*st);
    return st;
}

void BM_BuildLargestProject(benchmark::State& state) {
    size_t size = 0;
    auto st = largestAccepted(&size);
    ProgramDirectory dir = programDir();
    for (auto _ : state) {
        BuildResult r = ImageBuilder::build(*st, dir);
        if (r.stopped()) {
            state.SkipWithError("build stopped");
            break;
        }
        benchmark::DoNotOptimize(r.image.data());
    }
    state.counters["image_bytes"] = static_cast<double>(size);
    state.counters["screens"] = 0;
    for (int s = 1; s <= 199; ++s) {
        state.counters["screens"] += st->screenExists(s) ? 1 : 0;
    }
}
BENCHMARK(BM_BuildLargestProject)->Unit(benchmark::kMillisecond);

// The same with the glyphs the screen editor already has open (the GUI's case).
void BM_BuildLargestProjectSharedGlyphs(benchmark::State& state) {
    size_t size = 0;
    auto st = largestAccepted(&size);
    ProgramDirectory dir = programDir();
    PanelGlyphs glyphs = PanelGlyphs::open(dir);
    BuildOptions options;
    options.glyphs = &glyphs;
    for (auto _ : state) {
        BuildResult r = ImageBuilder::build(*st, dir, options);
        benchmark::DoNotOptimize(r.image.data());
    }
    state.counters["image_bytes"] = static_cast<double>(size);
}
BENCHMARK(BM_BuildLargestProjectSharedGlyphs)->Unit(benchmark::kMillisecond);

void BM_OpenSystemUnifont(benchmark::State& state) {
    for (auto _ : state) {
        auto src = HexGlyphSource::open(kSystemUnifontHex);
        if (!src) {
            state.SkipWithError("no system Unifont");
            break;
        }
        benchmark::DoNotOptimize(src->size());
    }
}
BENCHMARK(BM_OpenSystemUnifont)->Unit(benchmark::kMillisecond);

// Collection, rendering and encoding of every GB2312 character; the font is open already.
void glyphStage(benchmark::State& state, GlyphSource& font) {
    auto st = allCharacters();
    ProgramDirectory dir = programDir();
    auto ascii = Asc16Glyphs::load(Asc16Glyphs::pathIn(dir));
    if (!ascii) {
        state.SkipWithError("no asc16");
        return;
    }
    size_t indices = 0;
    int pairs = 0;
    for (auto _ : state) {
        TwoByteGlyphs twoByte(std::make_unique<Borrowed>(font));
        GlyphTable table;
        table.collect(st->globalPool, &*ascii, twoByte);
        std::vector<uint16_t> list;
        for (int s = 1; s <= 199; ++s) {
            if (!st->screenExists(s)) {
                continue;
            }
            const ScreenBlock& b = st->screens[s];
            for (int i = 0; i < st->entries[s].textCount; ++i) {
                const TextStringRecord& r = b.textStrings[i];
                table.encode(std::string_view(b.textPool).substr(r.textOffset, r.textLength), list);
                list.push_back(0);
            }
        }
        indices = list.size();
        pairs = table.pairCount();
        benchmark::DoNotOptimize(table.bitmaps().data());
    }
    state.counters["pairs"] = pairs;
    state.counters["indices"] = static_cast<double>(indices);
}

void BM_GlyphStageAllGb2312Unifont(benchmark::State& state) {
    auto font = HexGlyphSource::open(kSystemUnifontHex);
    if (!font) {
        state.SkipWithError("no system Unifont");
        return;
    }
    glyphStage(state, *font);
}
BENCHMARK(BM_GlyphStageAllGb2312Unifont)->Unit(benchmark::kMillisecond);

void BM_GlyphStageAllGb2312FreeType(benchmark::State& state) {
    auto font = GlyphSource::openFile(kCjkFont);
    if (!font) {
        state.SkipWithError("no FreeType or no system CJK font");
        return;
    }
    glyphStage(state, *font);
}
BENCHMARK(BM_GlyphStageAllGb2312FreeType)->Unit(benchmark::kMillisecond);

// The whole build of that project, which must stop: its image cannot be addressed.
void BM_BuildAllGb2312Stops(benchmark::State& state) {
    auto st = allCharacters();
    ProgramDirectory dir = programDir();
    PanelGlyphs glyphs = PanelGlyphs::open(dir);
    BuildOptions options;
    options.glyphs = &glyphs;
    for (auto _ : state) {
        BuildResult r = ImageBuilder::build(*st, dir, options);
        if (!r.stopped() || r.failure.id != buildmsg::kImageNotAddressable) {
            state.SkipWithError("the build did not stop at the 16-bit offsets");
            break;
        }
        benchmark::DoNotOptimize(r.failure.args.data());
    }
}
BENCHMARK(BM_BuildAllGb2312Stops)->Unit(benchmark::kMillisecond);

} // namespace
