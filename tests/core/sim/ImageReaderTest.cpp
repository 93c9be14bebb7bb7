// The image reader against real images: the golden images of the build tests and the images of
// the example projects, each decoded and written back record by record to the very same bytes;
// and damaged images refused.

#include "base/FileIo.h"
#include "base/ProgramDirectory.h"
#include "config/ProjectSetup.h"
#include "image/ImageBuilder.h"
#include "model/ProjectStore.h"
#include "model/TrnReader.h"
#include "model/TrnWriter.h"
#include "sim/ImageReader.h"
#include "sim/SimMessages.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

using namespace dispcraft;

namespace {

// The whole file again from what the reader made of it, in the build's order.
std::vector<uint8_t> reassemble(const PanelImage& img) {
    ByteWriter w;
    img.header.write(w);
    for (uint16_t o : img.offsets) {
        w.u16(o);
    }
    w.bytes(img.systemBlock.data(), img.systemBlock.size());
    img.alarmGroups[0].write(w);
    if (!img.driverInFront) {
        w.u8(static_cast<unsigned>(img.changes.size()));
        for (const ChangeImageRecord& c : img.changes) {
            c.write(w);
        }
    }
    if (img.alarmGroups.size() > 1) {
        img.alarmGroups[1].write(w);
    }
    for (const auto& [number, screen] : img.screens) {
        EXPECT_EQ(img.offsets[static_cast<size_t>(number)], w.size()) << "screen " << number;
        screen.write(w);
    }
    for (uint16_t g : img.screenTexts) {
        w.u16(g);
    }
    for (uint16_t g : img.alarmTexts) {
        w.u16(g);
    }
    w.append(img.glyphBitmaps);
    w.append(img.pictureBlock);
    w.append(img.lampBlock);
    std::vector<uint8_t> file = img.driver;
    file.insert(file.end(), w.data().begin(), w.data().end());
    return file;
}

std::vector<uint8_t> exampleImage(const std::string& name) {
    ProgramDirectory dir(DISPCRAFT_TEST_PROGRAM_DIR);
    const std::string path = std::string(DISPCRAFT_TEST_BIN_DIR) + "/../examples/" + name;
    auto store = std::make_unique<ProjectStore>();
    TrnReader::Result loaded = TrnReader::load(*store, path);
    EXPECT_TRUE(loaded.ok) << path;
    ProjectSetup::afterLoad(*store, dir);
    EXPECT_TRUE(TrnWriter::prepare(*store).ok);
    BuildResult built = ImageBuilder::build(*store, dir);
    EXPECT_FALSE(built.stopped()) << path;
    return built.image;
}

TEST(ImageReader, RoundTripsEveryRecordOfTheGoldenAndExampleImages) {
    std::vector<std::pair<std::string, std::vector<uint8_t>>> images;
    for (const char* golden : {"one_port.qel", "two_port.qel"}) {
        auto bytes = FileIo::readBytes(std::string(DISPCRAFT_TEST_DATA_DIR) + "/image/" + golden);
        ASSERT_TRUE(bytes) << golden;
        images.emplace_back(golden, *bytes);
    }
    for (const char* example : {"one-port-demo.trn", "two-port-demo.trn"}) {
        images.emplace_back(example, exampleImage(example));
    }
    std::array<size_t, ScreenObjectKinds::kCount> kinds{};
    size_t keyed = 0, changes = 0, secondGroups = 0, onePort = 0;
    for (const auto& [name, bytes] : images) {
        ImageReader::Result r = ImageReader::read(bytes);
        ASSERT_TRUE(r.ok()) << name << ": " << (r.error.args.empty() ? "" : r.error.args[0]);
        const PanelImage& img = *r.image;
        EXPECT_EQ(reassemble(img), bytes) << name;
        for (const auto& [number, screen] : img.screens) {
            ScreenObjectKinds::forEach([&]<typename K, size_t I>() { kinds[I] += screen.template records<K>().size(); });
            keyed += screen.hasKeys ? 1 : 0;
        }
        changes += img.changes.size();
        secondGroups += img.alarmGroups.size() - 1;
        onePort += img.onePort() ? 1 : 0;
    }
    for (size_t k = 0; k < kinds.size(); ++k) {
        EXPECT_GT(kinds[k], 0u) << "object kind " << k + 1 << " was never read";
    }
    EXPECT_GT(keyed, 0u);
    EXPECT_GT(changes, 0u);
    EXPECT_GT(secondGroups, 0u);
    EXPECT_EQ(onePort, 2u);
}

TEST(ImageReader, RefusesDamagedImagesWithTheirReason) {
    auto bytes = FileIo::readBytes(std::string(DISPCRAFT_TEST_DATA_DIR) + "/image/two_port.qel");
    ASSERT_TRUE(bytes);
    ASSERT_TRUE(ImageReader::read(*bytes).ok());
    // Cut anywhere before its last block (the lamp pictures, whose end nothing records), every
    // shorter file is refused: a screen or a block would lie past its end.
    const size_t lamps = bytes->at(12) | (bytes->at(13) << 8);
    for (size_t n = 0; n < lamps; n += 7) {
        std::vector<uint8_t> cut(bytes->begin(), bytes->begin() + static_cast<std::ptrdiff_t>(n));
        EXPECT_FALSE(ImageReader::read(cut).ok()) << n;
    }
    EXPECT_EQ(ImageReader::read(std::vector<uint8_t>(10, 0)).error.id, simmsg::kNotAnImage);

    std::vector<uint8_t> far = *bytes;
    far[40 + 2] = 0xF0; // screen 1 starts beyond the screen records
    far[40 + 3] = 0xFF;
    const ImageReader::Result r = ImageReader::read(far);
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.error.id, simmsg::kImageDamaged);
    EXPECT_EQ(r.error.args, std::vector<std::string>{"screen 1 starts outside the screen records"});

    std::vector<uint8_t> crowded = *bytes;
    crowded[bytes->at(40 + 2) | (bytes->at(40 + 3) << 8)] = 97; // 97 texts on screen 1
    EXPECT_EQ(ImageReader::read(crowded).error.args,
              std::vector<std::string>{"screen 1 has more objects than a screen holds"});
}

} // namespace
