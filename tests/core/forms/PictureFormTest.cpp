#include "forms/BmpPictureImport.h"
#include "forms/ObjectFormMessages.h"
#include "forms/PictureForm.h"

#include "ObjectFormTestSupport.h"
#include "base/RecordingSink.h"

#include <gtest/gtest.h>

namespace dispcraft {
namespace {

using test::makeMonoBmp;

TEST(BmpPictureImport, RoundsToWholeBytesAndRowsOfEight) {
    // Dark left column and dark top row of a 100 x 20 bitmap.
    auto bmp = makeMonoBmp(100, 20, [](int x, int y) { return x == 0 || y == 0; });
    auto r = BmpPictureImport::fromBytes(bmp);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.width, 104);
    EXPECT_EQ(r.height, 24);
    ASSERT_EQ(r.dots.size(), 104u * 24u);
    auto dot = [&](int x, int row) { return r.dots[static_cast<size_t>(row * 104 + x)]; };
    for (int row = 0; row < 24; ++row) {
        for (int x = 100; x < 104; ++x) {
            EXPECT_EQ(dot(x, row), 1) << x << "," << row;
        }
    }
    for (int row = 20; row < 24; ++row) {
        for (int x = 0; x < 104; ++x) {
            EXPECT_EQ(dot(x, row), 1);
        }
    }
    // Rows run bottom-up: the bitmap's top row is row 19.
    EXPECT_EQ(dot(50, 19), 0);
    EXPECT_EQ(dot(50, 0), 1);
    EXPECT_EQ(dot(0, 0), 0);
    EXPECT_EQ(dot(1, 5), 1);
}

TEST(BmpPictureImport, ChecksInOrderWithTheirMessages) {
    auto none = [](int, int) { return false; };
    EXPECT_EQ(BmpPictureImport::fromBytes(makeMonoBmp(193, 8, none)).message, Message::string(63510));
    EXPECT_EQ(BmpPictureImport::fromBytes(makeMonoBmp(8, 65, none)).message, Message::string(63509));
    EXPECT_TRUE(BmpPictureImport::fromBytes(makeMonoBmp(192, 64, none)).ok);

    auto bmp = makeMonoBmp(16, 8, none);
    auto notBm = bmp;
    notBm[0] = 'X';
    EXPECT_EQ(BmpPictureImport::fromBytes(notBm).message, Message::string(62000));
    auto grown = bmp;
    grown.push_back(0);
    EXPECT_EQ(BmpPictureImport::fromBytes(grown).message, Message::string(62001));
    EXPECT_EQ(BmpPictureImport::fromBytes(makeMonoBmp(16, 8, none, 62, 4)).message,
              Message::string(63508));
    EXPECT_EQ(BmpPictureImport::fromFile("/nonexistent/x.bmp").message, Message::string(63506));
    EXPECT_EQ(BmpPictureImport::fromBytes({'B'}).message, Message::string(62000));
    // Short files whose size field matches must not be read past their end.
    std::vector<uint8_t> tiny = {'B', 'M', 6, 0, 0, 0};
    EXPECT_EQ(BmpPictureImport::fromBytes(tiny).message, Message::string(62001));
}

TEST(BmpPictureImport, ReadsFromThePixelOffsetAndRefusesDamage) {
    auto dark = [](int x, int) { return x < 4; };
    auto shifted = makeMonoBmp(8, 8, dark, 70);
    auto r = BmpPictureImport::fromBytes(shifted);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.dots.substr(0, 8), std::string("\0\0\0\0\1\1\1\1", 8));

    // Pixel data cut short although the size field was fixed up to match.
    auto cut = makeMonoBmp(8, 8, dark);
    cut.resize(cut.size() - 8);
    cut[2] = static_cast<uint8_t>(cut.size());
    EXPECT_EQ(BmpPictureImport::fromBytes(cut).message, Message::string(62001));

    auto offBeyond = makeMonoBmp(8, 8, dark);
    offBeyond[10] = 0xFF;
    offBeyond[11] = 0xFF;
    EXPECT_EQ(BmpPictureImport::fromBytes(offBeyond).message, Message::string(62001));

    auto compressed = makeMonoBmp(8, 8, dark);
    compressed[30] = 1;
    EXPECT_EQ(BmpPictureImport::fromBytes(compressed).message.id, objectform::kBmpUnsupported);

    auto empty = makeMonoBmp(8, 8, dark);
    empty[18] = 0;
    EXPECT_EQ(BmpPictureImport::fromBytes(empty).message.id, objectform::kBmpEmpty);
}

// Bitmaps as ImageMagick and GIMP write them: a 124-byte information header, white first in
// the colour table.
TEST(BmpPictureImport, ReadsTheBitmapsOfTodaysTools) {
    const std::string dir = std::string(DISPCRAFT_TEST_DATA_DIR) + "/bmp/";
    auto classic = BmpPictureImport::fromFile(dir + "picture-40.bmp");
    auto larger = BmpPictureImport::fromFile(dir + "picture-124.bmp");
    ASSERT_TRUE(classic.ok);
    ASSERT_TRUE(larger.ok) << larger.message.id;
    EXPECT_EQ(larger.dots, classic.dots);
    EXPECT_EQ(larger.width, 104);
    EXPECT_EQ(larger.height, 24);
    // The black top row and left column are dark dots; the bitmap's top row is row 19.
    auto dot = [&](int x, int row) { return larger.dots[static_cast<size_t>(row * 104 + x)]; };
    EXPECT_EQ(dot(50, 19), 0);
    EXPECT_EQ(dot(0, 5), 0);
    EXPECT_EQ(dot(50, 5), 1);
    auto white = BmpPictureImport::fromFile(dir + "white-108.bmp");
    ASSERT_TRUE(white.ok);
    EXPECT_EQ(white.dots, std::string(32u * 16u, '\1'));
    EXPECT_EQ(BmpPictureImport::fromFile(dir + "colour-124.bmp").message, Message::string(63508));
}

TEST(BmpPictureImport, TopDownBitmapIsStoredUpright) {
    // Same picture stored top row first (negative height).
    auto bmp = makeMonoBmp(8, 8, [](int, int y) { return y == 7; });
    // Reverse the stored rows and negate the height.
    std::vector<uint8_t> td = bmp;
    for (int i = 0; i < 8; ++i) {
        td[62 + static_cast<size_t>(i) * 4] = bmp[62 + static_cast<size_t>(7 - i) * 4];
    }
    int32_t h = -8;
    for (int i = 0; i < 4; ++i) {
        td[22 + static_cast<size_t>(i)] = static_cast<uint8_t>(static_cast<uint32_t>(h) >> (8 * i));
    }
    auto a = BmpPictureImport::fromBytes(bmp);
    auto b = BmpPictureImport::fromBytes(td);
    ASSERT_TRUE(a.ok && b.ok);
    EXPECT_EQ(a.dots, b.dots);
    EXPECT_EQ(a.dots[0], 0); // bottom row dark
}

PictureForm::Table tableWith(std::initializer_list<int> slots) {
    PictureForm::Table t{};
    for (int s : slots) {
        auto& e = t[static_cast<size_t>(s)];
        e.id = static_cast<uint8_t>(s);
        e.width = 8;
        e.height = 8;
        e.dots.assign(64, '\1');
    }
    return t;
}

TEST(PictureForm, ListTimerAndSelection) {
    PictureForm f(tableWith({2, 5, 9}), 1, 9);
    ASSERT_EQ(f.rows().size(), 3u);
    EXPECT_EQ(f.rows()[1].id, "5");
    EXPECT_EQ(f.rows()[1].size, "8 x 8");
    // The current picture's row, not row (current - 1).
    EXPECT_EQ(f.timerFired(), 2);
    EXPECT_EQ(f.current(), 9);
    EXPECT_FALSE(f.selectRow(0));
    EXPECT_EQ(f.current(), 2);
    EXPECT_FALSE(f.shown(PictureForm::kDelete));
    EXPECT_FALSE(f.shown(PictureForm::kButton1023));
    EXPECT_TRUE(f.shown(PictureForm::kButton1024));

    PictureForm tree(tableWith({2}), 0, 0);
    EXPECT_TRUE(tree.shown(PictureForm::kDelete));
    EXPECT_EQ(tree.timerFired(), -1);
    auto o = tree.ok();
    ASSERT_FALSE(o.ok());
    EXPECT_EQ(o.message, Message::string(63512));
}

TEST(PictureForm, ImportIntoFreeReplacedOrNoSlot) {
    test::FormScratchDir dir("picture-form");
    std::string path = dir.write("a.bmp", makeMonoBmp(100, 20, [](int, int) { return true; }));

    PictureForm f(tableWith({1, 2}), 0, 0);
    EXPECT_EQ(f.importPrompt(0).message, Message::string(61629));
    EXPECT_EQ(f.importPrompt(2).message, Message::string(61630, {"2"}));
    EXPECT_TRUE(f.importPrompt(2).question);
    EXPECT_TRUE(f.importPrompt(7).message.empty());

    RecordingSink sink;
    ASSERT_TRUE(f.importFile(path, 0, sink));
    EXPECT_EQ(sink.shown(), std::vector<Message>{Message::string(61629)});
    EXPECT_EQ(f.current(), 3);
    EXPECT_EQ(f.editMode(), 1);
    EXPECT_EQ(f.table()[3].width, 104);
    EXPECT_EQ(f.table()[3].height, 24);
    EXPECT_EQ(f.rows().size(), 3u);

    // No keeps the existing picture and takes the first free slot; Yes replaces.
    sink.script({Answer::No, Answer::Yes});
    ASSERT_TRUE(f.importFile(path, 1, sink));
    EXPECT_EQ(f.current(), 4);
    EXPECT_EQ(f.table()[1].width, 8);
    ASSERT_TRUE(f.importFile(path, 1, sink));
    EXPECT_EQ(f.current(), 1);
    EXPECT_EQ(f.table()[1].width, 104);
    EXPECT_EQ(f.importSlot(12, false), 12);

    // A failing read leaves the table as it was.
    auto before = f.table();
    EXPECT_EQ(f.importFile(dir.path() + "/missing.bmp", 0, false), Message::string(63506));
    EXPECT_EQ(f.table()[5].id, before[5].id);
}

TEST(PictureForm, ThirtiethPictureIsRefused) {
    test::FormScratchDir dir("picture-full");
    std::string path = dir.write("a.bmp", makeMonoBmp(8, 8, [](int, int) { return false; }));
    PictureForm::Table t{};
    for (int i = 1; i <= 29; ++i) {
        t[static_cast<size_t>(i)].id = static_cast<uint8_t>(i);
    }
    PictureForm f(t, 1, 0);
    EXPECT_EQ(f.importFile(path, 0, false), Message::string(63511));
    EXPECT_EQ(f.current(), 0);
    // Naming an existing picture and confirming replaces it even in a full table.
    EXPECT_EQ(f.importFile(path, 29, true), std::nullopt);
    EXPECT_EQ(f.table()[29].width, 8);
}

TEST(PictureForm, DeleteAsksAndUnchoosesThePicture) {
    RecordingSink sink;
    PictureForm tree(tableWith({1, 2}), 0, 0);
    tree.deleteSelected(sink); // nothing selected
    EXPECT_TRUE(sink.shown().empty());
    tree.selectRow(0);
    tree.deleteSelected(sink);
    EXPECT_EQ(sink.shown(), std::vector<Message>{Message::string(63512)});

    PictureForm f(tableWith({1, 2}), 1, 0);
    f.selectRow(1);
    sink.script({Answer::No});
    f.deleteSelected(sink);
    EXPECT_EQ(sink.asked().back(), Message::string(63515, {"2"}));
    EXPECT_EQ(f.rows().size(), 2u);
    f.selectRow(1);
    sink.script({Answer::Yes});
    f.deleteSelected(sink);
    EXPECT_EQ(f.rows().size(), 1u);
    EXPECT_EQ(f.table()[2].id, 0);
    EXPECT_TRUE(f.table()[2].dots.empty());
    EXPECT_EQ(f.current(), 0);
    EXPECT_FALSE(f.ok().ok());
}

TEST(PictureForm, PreviewIsUprightAndOkNeedsADefinedPicture) {
    PictureForm::Table t = tableWith({3});
    t[3].dots[0] = 0; // bottom-left dot
    PictureForm f(t, 1, 3);
    auto p = f.preview();
    ASSERT_EQ(p.width, 8);
    EXPECT_TRUE(p.at(0, 7));
    EXPECT_FALSE(p.at(0, 0));
    auto o = f.ok();
    ASSERT_TRUE(o.ok());
    EXPECT_EQ(o.values->current, 3);

    // A preset picture number without a picture behind it is not confirmed.
    PictureForm stale(tableWith({3}), 1, 4);
    EXPECT_FALSE(stale.ok().ok());
}

TEST(PictureForm, PresetAndWriteBackClearUndefinedEntries) {
    PictureForm::Table store = tableWith({1, 4});
    store[6].id = 9; // not its own number: not a picture
    store[6].dots = "xyz";
    PictureForm::Table copy = PictureForm::presetFrom(store);
    EXPECT_EQ(copy[1].id, 1);
    EXPECT_EQ(copy[6].id, 0);
    EXPECT_TRUE(copy[6].dots.empty());

    copy[4] = PictureTableEntry{};
    copy[7].id = 7;
    copy[7].width = 16;
    copy[7].height = 8;
    copy[7].dots.assign(128, '\0');
    PictureForm::writeBack(copy, store);
    EXPECT_EQ(store[1].id, 1);
    EXPECT_EQ(store[4].id, 0);
    EXPECT_TRUE(store[4].dots.empty());
    EXPECT_EQ(store[6].id, 0);
    EXPECT_EQ(store[7].width, 16);
    EXPECT_EQ(store[7].dots.size(), 128u);
}

} // namespace
} // namespace dispcraft
