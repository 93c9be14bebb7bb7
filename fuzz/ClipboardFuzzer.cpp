// The clipboard block can come from another program instance: pasting any bytes must stay
// inside the lists, and what was pasted must draw, copy and store without harm.
#include "editor/ClipboardBlock.h"
#include "editor/EditorSession.h"
#include "editor/ScreenRenderer.h"
#include "model/ProjectStore.h"
#include "base/RecordingSink.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

using namespace dispcraft;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static std::unique_ptr<ProjectStore> store = [] {
        auto s = std::make_unique<ProjectStore>();
        s->lcdX = 200;
        s->lcdY = 60;
        s->pictures[3] = {3, 8, 8, 0, std::string(64, '\0')};
        s->pictures[4] = {4, 40, 30, 0, std::string(5, '\0')}; // dots cut short
        return s;
    }();
    // Short inputs are spread over the areas of a whole block so that every kind is reached:
    // the input is laid at the start of each area in turn.
    // Buffers and pictures are made once: the per-input work is the code under test.
    static std::vector<uint8_t> block(ClipboardBlock::kSize);
    std::memset(block.data(), 0, block.size());
    const size_t areas[] = {ClipboardBlock::kPathOffset,       ClipboardBlock::kTextStringOffset,
                            ClipboardBlock::kMsgDispOffset,    ClipboardBlock::kNumDispOffset,
                            ClipboardBlock::kSidePairOffset,   ClipboardBlock::kBarGraphOffset,
                            ClipboardBlock::kTrendGraphOffset, ClipboardBlock::kLampOffset,
                            ClipboardBlock::kPictureOffset};
    if (size >= ClipboardBlock::kSize) {
        std::memcpy(block.data(), data, ClipboardBlock::kSize);
    } else {
        for (size_t at : areas) {
            std::memcpy(block.data() + at, data, std::min(size, ClipboardBlock::kSize - at));
        }
    }
    // A fresh session for each input, kept off the stack (it is large).
    RecordingSink sink;
    static std::optional<EditorSession> fresh;
    fresh.emplace(*store, ProgramDirectory("/nonexistent"), sink);
    EditorSession& session = *fresh;
    session.clipboard().paste(block.data(), block.size());
    session.clipboard().paste(block.data(), block.size());
    // A second paste of the wrong size must do nothing.
    session.clipboard().paste(data, size);
    for (int kind : ScreenObjects::kKinds) {
        if (session.screen().objects().count(kind) > ScreenObjects::capacityOf(kind)) {
            __builtin_trap();
        }
    }
    static RgbImage panel(800, 500);
    static RgbImage img;
    ScreenRenderer renderer(&panel, nullptr);
    renderer.render(session.readyToPaint(), img);
    for (int y = 60; y < 200; y += 31) {
        session.pointer().press({200 + y, y});
        session.pointer().move({300 + y, y + 20}, true);
        session.pointer().release({300 + y, y + 20});
    }
    std::vector<uint8_t> copy = session.clipboard().copyBlock();
    session.clipboard().paste(copy.data(), copy.size());
    session.screen().bindScreenNumber(5, "fuzz", false);
    session.screen().storeScreen();
    store->screenOpen[5] = 0;
    store->globalPool.clear();
    fresh.reset();
    return 0;
}
