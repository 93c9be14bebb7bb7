#pragma once

#include "editor/EditorSession.h"
#include "objects/AttrBits.h"
#include "model/ProjectStore.h"
#include "base/RecordingSink.h"
#include "base/ScratchDirectory.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <sys/stat.h>

namespace dispcraft::test {

// A scratch program directory with a "lampdata" folder, removed afterwards.
class ScratchDir : public ScratchDirectory {
public:
    ScratchDir() : ScratchDirectory("dispcraft-editor") { ::mkdir(file("lampdata").c_str(), 0755); }
    void write(const std::string& relative, const std::string& bytes) const {
        ScratchDirectory::write(relative, bytes);
    }
    // A lamp file of n bytes whose first picture is dark (0) in its left half columns.
    void lamp(const std::string& name, size_t n) const {
        std::string bytes(n, '\1');
        size_t size = n == 512 ? 16 : 32;
        for (size_t r = 0; r < size && n >= 2 * size * size; ++r) {
            for (size_t c = 0; c < size / 2; ++c) {
                bytes[r * 2 * size + c] = 0;
            }
        }
        write("lampdata/" + name + ".lmp", bytes);
    }
};

// A project store with an odd LCD origin (the halving of coordinates shows) and key rectangles.
inline std::unique_ptr<ProjectStore> makeStore(int lcdX = 141, int lcdY = 100) {
    auto store = std::make_unique<ProjectStore>();
    store->lcdX = lcdX;
    store->lcdY = lcdY;
    store->cpuId = 2;
    for (int i = 0; i < 4; ++i) {
        store->fnKeyRects[static_cast<size_t>(i)] = {40 + 60 * i, 300, 90 + 60 * i, 340};
    }
    for (int a = 0; a < 25; ++a) {
        store->panelKeyRects[static_cast<size_t>(a)] = {40 + 28 * a, 400, 64 + 28 * a, 430};
    }
    store->modelTitle = "TR - A";
    return store;
}

struct EditorFixture : ::testing::Test {
    ScratchDir dir;
    std::unique_ptr<ProjectStore> store = makeStore();
    RecordingSink sink;
    std::unique_ptr<EditorSession> session =
        std::make_unique<EditorSession>(*store, ProgramDirectory(dir.path()), sink);

    int lx() const { return store->lcdX; }
    int ly() const { return store->lcdY; }
    void click(int x, int y) {
        session->pointer().press({x, y});
        session->pointer().release({x, y});
    }
    void drag(Point from, Point to) {
        session->pointer().press(from);
        session->pointer().move(to, true);
        session->pointer().release(to);
    }
    TextStringObject& text(int i) { return session->screen().objects().textStrings[static_cast<size_t>(i)]; }
    // Arms TextString placement as the TextString dialog does for a confirmed text.
    void armText(const std::string& t, uint8_t attr = 0) {
        session->screen().templates().textString = {t, attr};
        int font = attr & 3;
        session->pointer().armPlacement(kKindTextString, static_cast<int>(t.size()) * cellWidth(font),
                         cellHeight(font));
    }
    void addText(int i, int x, int y, const std::string& t, bool selected = false) {
        TextStringObject& o = text(i);
        o.kindWord = kKindTextString + (selected ? kSelectedBit : 0);
        o.x = x;
        o.y = y;
        o.text = t;
    }
};

} // namespace dispcraft::test
