#include "SettingsFormSupport.h"
#include "forms/BitScreenTableForm.h"
#include "forms/NumberForm.h"
#include "forms/PanelModelForm.h"
#include "forms/ScreenNumberForm.h"
#include "forms/ScreenNumberNameForm.h"
#include "base/RecordingSink.h"

#include <gtest/gtest.h>

using namespace dispcraft;

TEST(NumberForms, RangesAreChecked) {
    NumberForm n(65535);
    ASSERT_TRUE(n.ok().ok());
    EXPECT_EQ(n.ok().values->value, 65535);
    n.fields().value = 65536;
    EXPECT_FALSE(n.ok().ok());
    EXPECT_EQ(n.ok().focus, NumberForm::kEdit);
    n.fields().value = -1;
    EXPECT_FALSE(n.ok().ok());

    ScreenNumberForm s(5);
    EXPECT_EQ(s.caption(), Message::string(61532));
    EXPECT_EQ(ScreenNumberForm(5, 61550).caption(), Message::string(61550));
    s.fields().number = 200;
    auto r = s.ok();
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.message.args, (std::vector<std::string>{"0", "199"}));
    s.fields().number = 0;
    EXPECT_TRUE(s.ok().ok());
}

TEST(NumberForms, ScreenNameIsLimitedToTenBytes) {
    ScreenNumberNameForm f(7, "Main");
    EXPECT_EQ(f.caption(), Message::string(61496, {"7"}));
    EXPECT_TRUE(f.nameEnabled());
    EXPECT_EQ(f.fields().name, "Main");
    f.fields().name = "0123456789";
    auto r = f.ok();
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.values->name, "0123456789");
    f.fields().name = "01234567890";
    r = f.ok();
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.message.id, 61498);
    EXPECT_EQ(r.focus, ScreenNumberNameForm::kName);
    // Five Chinese characters are ten GB2312 bytes; six are too many.
    f.fields().name = "主画面设置";
    EXPECT_TRUE(f.ok().ok());
    f.fields().name = "主画面设置一";
    EXPECT_EQ(f.ok().message.id, 61498);
    // A character the panel cannot hold is named.
    f.fields().name = "A€";
    r = f.ok();
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.message.args.at(0), "€");

    ScreenNumberNameForm fixed(3, "x", true);
    EXPECT_EQ(fixed.caption().id, 61497);
    EXPECT_FALSE(fixed.nameEnabled());
}

TEST(BitScreenTable, CountIsClampedAndRowsFollowIt) {
    std::array<uint8_t, 32> screens{};
    screens[0] = 4;
    screens[31] = 9;
    BitScreenTableForm f(0, screens);
    RecordingSink sink;
    f.refresh(sink);
    EXPECT_TRUE(f.rows().empty());
    EXPECT_TRUE(sink.shown().empty());
    f.fields().count = 40;
    f.refresh(sink);
    ASSERT_EQ(sink.shown().size(), 1u);
    EXPECT_EQ(sink.shown()[0].id, 61548);
    EXPECT_EQ(f.fields().count, 32);
    ASSERT_EQ(f.rows().size(), 32u);
    EXPECT_EQ(f.rows()[0].label, "BIT0=ON");
    EXPECT_EQ(f.rows()[0].screen, Message::string(61549, {"4"}));
    EXPECT_EQ(f.rows()[31].label, "BIT31=ON");
    f.fields().count = -1;
    f.refresh(sink);
    EXPECT_EQ(f.fields().count, 0);
    // OK by the keyboard never hands back a count the table cannot hold.
    f.fields().count = 33;
    EXPECT_FALSE(f.ok().ok());
}

TEST(BitScreenTable, DoubleClickEditsTheRowsScreen) {
    std::array<uint8_t, 32> screens{};
    screens[1] = 12;
    BitScreenTableForm f(3, screens);
    RecordingSink sink;
    f.refresh(sink);
    int caption = 0;
    long long preset = -1;
    f.editRow(1, sink, [&](ScreenNumberForm& s) -> std::optional<ScreenNumberForm::Values> {
        caption = s.caption().id;
        preset = s.fields().number;
        s.fields().number = 77;
        return *s.ok().values;
    });
    EXPECT_EQ(caption, 61550);
    EXPECT_EQ(preset, 12);
    EXPECT_EQ(f.rows()[1].screen, Message::string(61549, {"77"}));
    f.editRow(2, sink, [](ScreenNumberForm&) { return std::nullopt; }); // cancelled
    auto r = f.ok();
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.values->count, 3);
    EXPECT_EQ(r.values->screens[1], 77);
    EXPECT_EQ(r.values->screens[2], 0);
}

TEST(PanelModel, ListStopsAtTheFirstMissingModel) {
    test::SettingsScratch dir("panelmodel");
    std::string ini = dir.write("qelsys.ini", ("[TYPE]\r\nT1=QEL100\r\nT2=QEL120\r\nT4=QEL200\r\n"));
    PanelModelForm f(0, ini, "TR - B");
    EXPECT_EQ(f.entries(), (std::vector<std::string>{"QEL100", "QEL120"}));
    EXPECT_EQ(f.fields().selected, 1);
    RecordingSink sink;
    f.fields().selected = 2;
    auto r = f.ok(sink);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.values->modelTitle, "TR - C");
    ASSERT_EQ(sink.shown().size(), 1u);
    EXPECT_EQ(sink.shown()[0].id, 61551);
    // A title beyond the list chooses the first model.
    EXPECT_EQ(PanelModelForm(0, ini, "TR - Z").fields().selected, 0);
}

TEST(PanelModel, OemInstallationOffersOneModel) {
    PanelModelForm f(1, "/nonexistent/qelsys.ini", "TR - D");
    EXPECT_EQ(f.entries(), (std::vector<std::string>{"QEL110"}));
    RecordingSink sink;
    EXPECT_EQ(f.ok(sink).values->modelTitle, "TR - A");
}

TEST(PanelModel, TwentyModelsAtMost) {
    test::SettingsScratch dir("panelmodel20");
    std::string text = "[TYPE]\r\n";
    for (int i = 1; i <= 25; ++i) {
        text += "T" + std::to_string(i) + "=M" + std::to_string(i) + "\r\n";
    }
    std::string ini = dir.write("qelsys.ini", (text));
    EXPECT_EQ(PanelModelForm::readModelList(ini, true).size(), 20u);
}
