// The shipped program directory must hang together: every model's preselected protocols exist
// where that model looks for them, every protocol has the link drivers its port needs, and the
// key rectangles lie on the panel picture.
#include "config/PanelModelFile.h"
#include "base/ProgramDirectory.h"
#include "config/ProjectSetup.h"
#include "config/ProtocolFile.h"
#include "config/SettingsFile.h"
#include "base/FileIo.h"
#include "model/ProjectStore.h"
#include "text/Gb2312.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>

using namespace dispcraft;

namespace {

const ProgramDirectory& shipped() {
    static const ProgramDirectory dir(DISPCRAFT_TEST_PROGRAM_DIR);
    return dir;
}

std::string header(const std::string& path, size_t n) {
    auto bytes = FileIo::readText(path);
    return bytes ? bytes->substr(0, n) : std::string();
}

// Width and height of a BMP, or 0 x 0 when the file is none.
std::pair<int, int> bmpSize(const std::string& path) {
    auto b = FileIo::readText(path);
    if (!b || b->size() < 26 || b->substr(0, 2) != "BM") {
        return {0, 0};
    }
    auto i32 = [&](size_t at) {
        return static_cast<int>(static_cast<uint8_t>((*b)[at]) | static_cast<uint8_t>((*b)[at + 1]) << 8 |
                                static_cast<uint8_t>((*b)[at + 2]) << 16 | static_cast<uint8_t>((*b)[at + 3]) << 24);
    };
    return {i32(18), i32(22)};
}

} // namespace

TEST(ShippedProgramDir, ModelsFitTheirPictures) {
    PanelModelFile models(shipped().modelFile());
    std::vector<ModelType> types = models.types();
    ASSERT_GE(types.size(), 4u);
    bool onePort = false, twoPorts = false, twoAlarmGroups = false;
    for (size_t i = 0; i < types.size(); ++i) {
        const ModelType& t = types[i];
        // The panel model dialog derives the title from the list position.
        EXPECT_EQ(t.idStr, std::string("TR - ") + static_cast<char>('A' + i));
        ModelSection m = models.section(t.idStr);
        EXPECT_EQ(m.scrX, 800);
        EXPECT_EQ(m.scrY, 500);
        EXPECT_TRUE(m.lcdX >= 0 && m.lcdX + 384 <= 800 && m.lcdY >= 0 && m.lcdY + 128 <= 500) << t.idStr;
        KeyRect lcd{m.lcdX, m.lcdY, m.lcdX + 384, m.lcdY + 128};
        auto onPicture = [&](const KeyRect& r) {
            return r.left >= 0 && r.top >= 0 && r.right <= 800 && r.bottom <= 500 && r.left <= r.right &&
                   r.top <= r.bottom;
        };
        auto overlapsLcd = [&](const KeyRect& r) {
            return r.left < lcd.right && lcd.left < r.right && r.top < lcd.bottom && lcd.top < r.bottom;
        };
        for (const KeyRect& r : m.fnKeyRects) {
            EXPECT_TRUE(onPicture(r) && r.right > r.left && !overlapsLcd(r)) << t.idStr;
        }
        for (const KeyRect& r : m.panelKeyRects) {
            EXPECT_TRUE(onPicture(r) && !overlapsLcd(r)) << t.idStr;
        }
        EXPECT_EQ(m.cpuId, t.twoPort ? 2 : 1) << t.idStr;
        onePort = onePort || m.cpuId == 1;
        twoPorts = twoPorts || m.cpuId == 2;
        twoAlarmGroups = twoAlarmGroups || (m.alarmGroupCount == 2 && m.alarmBackup);
        std::string bmp = models.pictureFile(t.idStr);
        EXPECT_EQ(bmpSize(shipped().file(bmp)), std::make_pair(800, 500)) << bmp;
        EXPECT_NE(models.treeName(t.idStr), "0");
    }
    EXPECT_TRUE(onePort && twoPorts && twoAlarmGroups);
    EXPECT_GT(bmpSize(shipped().file("logo.bmp")).first, 0);
}

TEST(ShippedProgramDir, ProtocolsAndDriversOfEveryPort) {
    const ProgramDirectory& dir = shipped();
    std::vector<std::string> one = ProtocolFile::list(dir.file("Protocol"));
    std::vector<std::string> com1 = ProtocolFile::list(dir.file("Protocol120\\comport1"));
    std::vector<std::string> com2 = ProtocolFile::list(dir.file("Protocol120\\comport2"));
    ASSERT_GE(one.size(), 5u);
    EXPECT_EQ(one, com1);
    EXPECT_EQ(one, com2);
    std::set<int> ids;
    for (const std::string& n : one) {
        std::string image = ProtocolFile::imageDriverPath(dir, n);
        auto bytes = FileIo::readText(image);
        ASSERT_TRUE(bytes) << image;
        ASSERT_GE(bytes->size(), 4098u);
        EXPECT_TRUE((*bytes)[4096] == 'X' || (*bytes)[4097] == 'Y');
        EXPECT_EQ(header(ProtocolFile::downloadDriverPath(dir, 1, n, false), 6), "QEL120") << n;
        EXPECT_EQ(header(ProtocolFile::downloadDriverPath(dir, 2, n, false), 6), "QEL120") << n;
        EXPECT_EQ(header(ProtocolFile::downloadDriverPath(dir, 1, n, true), 6), "QEL121") << n;
        EXPECT_EQ(header(ProtocolFile::downloadDriverPath(dir, 2, n, true), 6), "QEL121") << n;
        for (const std::string& path : {dir.file("Protocol\\" + n + ".ini"),
                                        dir.file("Protocol120\\comport1\\" + n + ".ini")}) {
            ProtocolFile f(path);
            ASSERT_TRUE(f.found()) << path;
            EXPECT_NE(f.baudText(), "end");
            EXPECT_NE(f.parityText(), "end");
            EXPECT_NE(f.wordAreas()[0].name, "end");
            EXPECT_NE(f.bitAreas()[0].name, "end");
            EXPECT_TRUE(Gb2312::toUtf8(f.linkName()).ok) << path;
            ids.insert(f.plcId());
            for (const AddressArea& a : f.wordAreas()) {
                EXPECT_TRUE(a.name == "end" || a.format.size() == 4 || a.format.size() == 6) << n;
            }
        }
    }
    EXPECT_TRUE(ids.count(2) && ids.count(250));
}

TEST(ShippedProgramDir, EveryModelStartsANewProject) {
    const ProgramDirectory& dir = shipped();
    size_t count = PanelModelFile(dir.modelFile()).modelNames().size();
    for (size_t n = 1; n <= count; ++n) {
        NewProjectChoice c;
        std::vector<Message> warnings;
        ASSERT_FALSE(ProjectSetup::defaultChoice(dir, static_cast<int>(n), "", "", c, &warnings)) << n;
        EXPECT_TRUE(warnings.empty()) << n;
        auto store = std::make_unique<ProjectStore>();
        ProjectSetup::newProject(*store, dir, c);
        EXPECT_EQ(store->modelTitle, c.modelTitle);
        EXPECT_GE(store->maxChangeLength, 1);
    }
    SettingsFile settings(dir.file("qel.ini"));
    EXPECT_EQ(settings.startLanguage(), SettingsFile::kEnglish);
    EXPECT_EQ(settings.recentFiles("S")[0], "S");
    EXPECT_FALSE(settings.oem());
}
