#include "ReportTestSupport.h"

#include "base/ScratchDirectory.h"
#include "editor/PngFile.h"
#include "report/ProjectReport.h"
#include "report/ReportPictures.h"
#include "text/LanguageStrings.h"

#include <gtest/gtest.h>

using namespace dispcraft;
using namespace dispcraft::test;

namespace {

// The page with its unbreakable spaces (within addresses) as plain ones.
std::string plain(std::string html) {
    for (size_t at = html.find("\xc2\xa0"); at != std::string::npos; at = html.find("\xc2\xa0", at)) {
        html.replace(at, 2, " ");
    }
    return html;
}

// The part of the page from the heading of a section to the next section's heading.
std::string section(const std::string& html, const std::string& id) {
    const size_t from = html.find("id=\"" + id + "\"");
    if (from == std::string::npos) {
        return {};
    }
    return html.substr(from, html.find("<h2", from) - from);
}

std::vector<uint8_t> unbase64(const std::string& text) {
    const std::string digits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::vector<uint8_t> out;
    uint32_t v = 0;
    int bits = 0;
    for (char c : text) {
        const size_t d = digits.find(c);
        if (d == std::string::npos) {
            break;
        }
        v = (v << 6) | static_cast<uint32_t>(d);
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            out.push_back(static_cast<uint8_t>(v >> bits));
        }
    }
    return out;
}

} // namespace

TEST(ProjectReport, ListsScreensKeysAlarmsExchangeAndSettingsInProtocolNotation) {
    auto st = reportProject();
    ScreenBlock& b1 = addEmptyScreen(*st, 1, "主<main>&");
    addText(*st, 1, 8, 16, "Flow <m3/h>");
    addEmptyScreen(*st, 2, "next");
    addEmptyScreen(*st, 5, "alone");
    // Key 3 is each screen's own; key 1 every screen's.
    st->globalKeys[2].flags = KeyRecord::kScreenOption;
    st->globalKeys[0].screen = 5;
    b1.keys[2].flags = KeyRecord::kBitAction | 1; // reset X 0012 (octal)
    b1.keys[2].areaAndBit = 0x00;
    b1.keys[2].address = 10;
    st->screens[2].keys[2].flags = KeyRecord::kWord16 | KeyRecord::kSigned | KeyRecord::kCom2;
    st->screens[2].keys[2].address = 3;
    st->screens[2].keys[2].operand = 0xFFFE; // -2 into PW 0003
    st->screens[2].fnKeys = {5, 0, 0, 0};    // F3 and F4 take the neighbours 1 and (none)
    st->alarms[0].startAddress = 7;
    st->alarms[0].count = 2;
    st->alarms[0].options = AlarmBlock::kNewestOnLcd;
    st->alarmPools[0] = gb("Pump泵");
    st->alarms[0].lengths[0] = 4;
    st->alarms[0].offsets[1] = 4;
    st->alarms[0].lengths[1] = 2;
    st->changeCount = 1;
    st->changes[0] = ChangeRecord{ChangeRecord::kFromCom2, 3, 0x01, 0x00, 0x20, 9};
    st->projectBlock.panelOptions = ProjectBlock::kUseAddress1 | 0x50; // options A and C
    st->projectBlock.controlAddress1 = 0x30;
    st->projectBlock.controlAreaAndBit1 = 0x10;

    LanguageStrings strings;
    const std::string html = plain(ProjectReport::html(*st, strings, "a<b>.trn", nullptr));

    EXPECT_NE(html.find("<title>Project report: a&lt;b&gt;.trn</title>"), std::string::npos);
    EXPECT_EQ(html.find("<main>"), std::string::npos) << "texts reach the page unescaped";
    const std::string s1 = section(html, "screen-1");
    EXPECT_NE(s1.find("Screen 1: 主&lt;main&gt;&amp;"), std::string::npos) << s1;
    EXPECT_NE(s1.find("<td>TextString</td><td>1</td><td>8, 16</td><td>Flow &lt;m3/h&gt;</td>"),
              std::string::npos)
        << s1;
    EXPECT_NE(s1.find("<td>K3</td><td>reset COM1 X 0012.0</td>"), std::string::npos) << s1;
    EXPECT_EQ(s1.find("F3"), std::string::npos) << "screen 1 has no screen before it";
    EXPECT_NE(s1.find("<td>F4</td><td>screen 2 (next)</td>"), std::string::npos) << s1;
    const std::string s2 = section(html, "screen-2");
    EXPECT_NE(s2.find("<td>K3</td><td>write -2 into COM2 PW 0003</td>"), std::string::npos) << s2;
    EXPECT_NE(s2.find("<td>F1</td><td>screen 5</td>"), std::string::npos) << s2;
    EXPECT_NE(s2.find("<td>F3</td><td>screen 1 (previous)</td>"), std::string::npos) << s2;
    EXPECT_EQ(s2.find("F4"), std::string::npos) << "screen 3 is not stored";
    // The key every screen shares is listed once, before the screens.
    EXPECT_LT(html.find("<td>K1</td><td>show screen 5</td>"), html.find("id=\"screen-1\""));
    EXPECT_EQ(s1.find("show screen 5"), std::string::npos);

    const std::string alarms = section(html, "alarms");
    EXPECT_NE(alarms.find("Alarm group 1: 2 messages from COM1 X 0007.0"), std::string::npos) << alarms;
    EXPECT_NE(alarms.find("<td>2</td><td>COM1 X 0010.0</td><td>泵</td>"), std::string::npos) << alarms;
    EXPECT_NE(alarms.find("the newest alarm shows on the LCD"), std::string::npos);
    EXPECT_NE(section(html, "exchange").find("<td>COM1 W 0020</td><td>COM2 PW 0009</td><td>3</td><td>COM2 -&gt; COM1</td>"),
              std::string::npos)
        << section(html, "exchange");
    const std::string settings = section(html, "settings");
    EXPECT_NE(settings.find("<td>COM1 W 0030</td>"), std::string::npos) << settings;
    EXPECT_NE(settings.find("<td>A C</td>"), std::string::npos) << settings;
    EXPECT_NE(section(html, "xref").find("<td>COM1 X 0012.0</td><td>1</td><td>Key 3</td><td>write</td>"),
              std::string::npos)
        << section(html, "xref");
}

TEST(ProjectReport, PicturesAreDataUrisThatDecodeToTheDrawnPicture) {
    RgbImage image(37, 5, {1, 2, 3}); // odd sizes: every base64 padding and a partial row
    image.setPixel(36, 4, {250, 0, 128});
    image.setPixel(0, 0, {0, 255, 0});
    const std::string uri = ReportPictures::encode(image);
    const std::string prefix = "data:image/png;base64,";
    ASSERT_EQ(uri.rfind(prefix, 0), 0u) << uri.substr(0, 40);
    const std::vector<uint8_t> bytes = unbase64(uri.substr(prefix.size()));
    ScratchDirectory dir;
    const std::string path = dir.write("p.png", std::string(bytes.begin(), bytes.end()));
    const std::optional<RgbImage> back = PngFile::read(path);
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, image);
}
