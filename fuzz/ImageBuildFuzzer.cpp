// Builds the download image of arbitrary projects. The first four bytes choose the panel model
// (CPU_ID 1, 2 or 37, the LCD origin, one or two alarm groups); the rest is read as a project
// file. Nothing may read outside its data; a stopped build must say why and give no image; a
// complete one must fit the 16-bit offsets, with every offset inside the image.
#include "base/ScratchDirectory.h"
#include "image/ImageBuilder.h"
#include "image/PanelGlyphs.h"
#include "base/ProgramDirectory.h"
#include "model/ProjectStore.h"
#include "model/TrnReader.h"
#include "model/TrnWriter.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

using namespace dispcraft;
namespace fs = std::filesystem;

namespace {

void put(const fs::path& p, const std::string& bytes) {
    std::ofstream(p, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A program directory with made-up glyphs, a few lamps and a one-port driver, removed when the
// run ends.
const ProgramDirectory& programDir() {
    static ScratchDirectory scratch("image-build-fuzz");
    static ProgramDirectory* dir = [] {
        fs::path p = scratch.path();
        fs::create_directories(p / "lampdata");
        fs::create_directories(p / "Protocol");
        std::string asc(4096, '\0');
        for (int c = 0; c < 256; ++c) {
            asc[16 * c + 3] = static_cast<char>(c);
        }
        put(p / "asc16", asc);
        put(p / "unifont.hex", "4E00:" + std::string(64, '1') + "\n4E2D:" + std::string(64, '8') + "\n");
        put(p / "lampdata" / "lamp01_16x16.lmp", std::string(512, '\1'));
        put(p / "lampdata" / "lamp20_32x32.lmp", std::string(2048, '\0'));
        put(p / "Protocol" / ".bin", std::string(4096, 'd') + "X");
        return new ProgramDirectory(p.string());
    }();
    return *dir;
}

unsigned u16(const std::vector<uint8_t>& v, size_t at) { return v[at] | (v[at + 1] << 8); }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 4) {
        return 0;
    }
    static auto* store = new ProjectStore;
    if (!TrnReader::read(*store, data + 4, size - 4).ok) {
        return 0;
    }
    static const int cpus[] = {1, 2, 37};
    store->cpuId = cpus[data[0] % 3];
    store->lcdX = data[1] * 2;
    store->lcdY = data[2] * 2;
    store->alarmGroupCount = static_cast<uint8_t>(1 + data[3] % 2);
    store->maxChangeLength = 1 + data[3] % 100;
    store->maxChangeCount = 1 + data[3] % 100;
    if (!TrnWriter::prepare(*store).ok) {
        return 0;
    }
    // The glyphs are opened once, as the screen editor keeps them open for every build.
    static PanelGlyphs glyphs = PanelGlyphs::open(programDir());
    BuildOptions options;
    options.glyphs = &glyphs;
    BuildResult r = ImageBuilder::build(*store, programDir(), options);
    if (r.stopped()) {
        if (r.failure.empty() || !r.image.empty()) {
            std::abort();
        }
        return 0;
    }
    const size_t skip = store->cpuId == 1 ? ImageBuilder::kDriverBytes : 0;
    if (r.image.size() < skip + 560) {
        std::abort();
    }
    std::vector<uint8_t> img(r.image.begin() + static_cast<long>(skip), r.image.end());
    if (img.size() > ImageBuilder::kAddressable || u16(img, 0) != 51) {
        std::abort();
    }
    const unsigned blocks[] = {u16(img, 6), u16(img, 36), u16(img, 8), u16(img, 10), u16(img, 12)};
    for (size_t i = 0; i < 5; ++i) {
        if (blocks[i] >= img.size() || (i > 0 && blocks[i] < blocks[i - 1])) {
            std::abort();
        }
    }
    for (int s = 1; s <= 199; ++s) {
        const unsigned at = u16(img, 40 + 2 * static_cast<size_t>(s));
        if ((at != 0) != store->screenExists(s) || at >= blocks[0]) {
            std::abort();
        }
    }
    return 0;
}
