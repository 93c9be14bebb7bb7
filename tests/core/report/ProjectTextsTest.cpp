#include "ReportTestSupport.h"

#include "report/CsvTable.h"
#include "report/ProjectTexts.h"

#include <gtest/gtest.h>

using namespace dispcraft;
using namespace dispcraft::test;

namespace {

// Two screens with texts and messages, both alarm groups of a two-group model.
std::unique_ptr<ProjectStore> projectWithTexts() {
    auto st = reportProject();
    addEmptyScreen(*st, 4, "主画面");
    addText(*st, 4, 0, 0, "Flow");
    addText(*st, 4, 160, 16, "ab", 1); // wide font: 12 bytes at most, 32 dots a character
    addMessages(*st, 4, {"停止", "Run"});
    addEmptyScreen(*st, 2, "Set");
    addText(*st, 2, 8, 48, "Temp", 2);
    st->alarmGroupCount = 2;
    for (int g = 0; g < 2; ++g) {
        st->alarms[g].count = static_cast<uint8_t>(g + 1);
        for (int m = 0; m <= g; ++m) {
            st->alarms[g].offsets[m] = static_cast<uint32_t>(st->alarmPools[g].size());
            const std::string t = gb(g == 0 ? "泵过载" : (m == 0 ? "link" : "door"));
            st->alarms[g].lengths[m] = static_cast<uint8_t>(t.size());
            st->alarmPools[g] += t;
        }
    }
    return st;
}

std::string csvOf(std::initializer_list<const char*> rows) {
    std::string s = "key,text\r\n";
    for (const char* r : rows) {
        s += std::string(r) + "\r\n";
    }
    return s;
}

std::string text(const ProjectStore& st, const std::string& key) {
    for (const auto& [slot, t] : ProjectTexts::textSlots(st)) {
        if (slot.key == key) {
            return Gb2312::toUtf8Lossy(t);
        }
    }
    return "<none>";
}

} // namespace

TEST(CsvTable, QuotesAndReadsBackWhatSpreadsheetsWrite) {
    const std::vector<std::string> fields = {"a,b", "say \"hi\"", "two\r\nlines", "plain", ""};
    const std::string line = CsvTable::record(fields);
    EXPECT_EQ(line, "\"a,b\",\"say \"\"hi\"\"\",\"two\r\nlines\",plain,\r\n");
    CsvTable::Parsed p = CsvTable::parse("\xEF\xBB\xBF" + line + "\nx,y\n\r\nlast,");
    ASSERT_EQ(p.records.size(), 3u);
    EXPECT_EQ(p.records[0].fields, fields);
    EXPECT_EQ(p.records[1].line, 4); // the quoted line break counts
    EXPECT_EQ(p.records[1].fields, (std::vector<std::string>{"x", "y"}));
    EXPECT_EQ(p.records[2].line, 6);
    EXPECT_EQ(p.records[2].fields, (std::vector<std::string>{"last", ""}));
    EXPECT_EQ(CsvTable::parse("k,t\nkey,\"open\nstill open").unclosedLine, 2);
}

TEST(ProjectTexts, ExportsEveryTextInTableOrder) {
    auto st = projectWithTexts();
    const std::string csv = ProjectTexts::exportCsv(*st);
    std::string expected = "key,text\r\n"
                           "screen/2/name,Set\r\nscreen/4/name,主画面\r\n"
                           "screen/2/TextString/1,Temp\r\n"
                           "screen/4/TextString/1,Flow\r\nscreen/4/TextString/2,ab\r\n"
                           "screen/4/MsgDisp/1/1,停止\r\nscreen/4/MsgDisp/1/2,Run\r\n";
    for (int m = 3; m <= 16; ++m) {
        expected += "screen/4/MsgDisp/1/" + std::to_string(m) + ",\r\n";
    }
    expected += "alarm/1/1,泵过载\r\nalarm/2/1,link\r\nalarm/2/2,door\r\n";
    EXPECT_EQ(csv, expected);
    // Read back unchanged, it changes nothing.
    ProjectTexts::Checked same = ProjectTexts::check(*st, csv);
    ASSERT_TRUE(same.ok());
    EXPECT_EQ(same.rows, 24u);
    EXPECT_TRUE(same.changes.empty());
    // A model with one alarm group has no rows for the second.
    st->alarmGroupCount = 1;
    EXPECT_EQ(ProjectTexts::exportCsv(*st).find("alarm/2/"), std::string::npos);
}

TEST(ProjectTexts, ImportChangesOnlyTheRowsGivenAndUndoesAsOneStep) {
    auto st = projectWithTexts();
    const std::string before = ProjectTexts::exportCsv(*st);
    const uint16_t wideX = st->screens[4].textStrings[1].x;
    // Rows out of order, most missing; the wide text grows past the LCD's right edge.
    ProjectTexts::Checked c = ProjectTexts::check(
        *st, csvOf({"alarm/2/2,\"door, open\"", "screen/4/MsgDisp/1/3,故障", "screen/4/TextString/2,abcdef",
                    "screen/4/name,Main 1", "screen/4/TextString/1,Flow"}));
    ASSERT_TRUE(c.ok()) << c.error.id;
    EXPECT_EQ(c.rows, 5u);
    EXPECT_EQ(c.changes.size(), 4u);
    EXPECT_EQ(text(*st, "screen/4/name"), "主画面"); // checking changes nothing

    st->treeChanged = false;
    const std::vector<TextChange> undo = ProjectTexts::apply(*st, c.changes);
    EXPECT_TRUE(st->treeChanged);
    EXPECT_EQ(text(*st, "screen/4/name"), "Main 1");
    EXPECT_EQ(text(*st, "screen/4/MsgDisp/1/3"), "故障");
    EXPECT_EQ(text(*st, "screen/4/MsgDisp/1/1"), "停止");
    EXPECT_EQ(text(*st, "screen/4/TextString/1"), "Flow");
    EXPECT_EQ(text(*st, "alarm/2/2"), "door, open");
    EXPECT_EQ(text(*st, "alarm/2/1"), "link");
    // Six wide characters take 96 of the LCD's 192 dots: it now ends at the right edge.
    EXPECT_EQ(st->screens[4].textStrings[1].x, storedX(*st, 192 - 96));
    EXPECT_EQ(st->screens[4].textStrings[1].y, storedY(*st, 16));
    const ScreenEntry& e = st->entries[4];
    EXPECT_EQ(e.poolLength(), st->screens[4].textPool.size());

    ProjectTexts::apply(*st, undo);
    EXPECT_EQ(ProjectTexts::exportCsv(*st), before);
    EXPECT_EQ(st->screens[4].textStrings[1].x, wideX);
}

TEST(ProjectTexts, RefusesTheWholeTableNamingTheLine) {
    auto st = projectWithTexts();
    auto refusal = [&](const std::string& csv) { return ProjectTexts::check(*st, csv).error; };
    using P = ProjectTexts;
    EXPECT_EQ(refusal("text,key\r\n"), Message::string(P::kNoHeader, {"1"}));
    EXPECT_EQ(refusal(""), Message::string(P::kNoHeader, {"1"}));
    EXPECT_EQ(refusal(csvOf({"screen/4/name,a", "screen/9/name,b"})),
              Message::string(P::kUnknownKey, {"3", "screen/9/name"}));
    EXPECT_EQ(refusal(csvOf({"screen/4/MsgDisp/1/17,x"})),
              Message::string(P::kUnknownKey, {"2", "screen/4/MsgDisp/1/17"}));
    EXPECT_EQ(refusal(csvOf({"screen/2/name,a", "screen/2/name,b"})),
              Message::string(P::kTwice, {"3", "screen/2/name", "2"}));
    EXPECT_EQ(refusal(csvOf({"screen/2/name,a,b"})), Message::string(P::kFieldCount, {"2", "3"}));
    // The limits of the dialogs, Chinese characters counting two bytes.
    EXPECT_EQ(refusal(csvOf({"screen/2/name,设定设定设"})), Message());
    EXPECT_EQ(refusal(csvOf({"screen/2/name,设定设定设x"})),
              Message::string(P::kTooLong, {"2", "screen/2/name", "11", "10"}));
    EXPECT_EQ(refusal(csvOf({"screen/4/TextString/2,abcdefghijklm"})),
              Message::string(P::kTooLong, {"2", "screen/4/TextString/2", "13", "12"}));
    EXPECT_EQ(refusal(csvOf({"screen/4/TextString/1,123456789012345678901234"})), Message());
    EXPECT_EQ(refusal(csvOf({"alarm/1/1,一二三四五六七八九十一二三"})),
              Message::string(P::kTooLong, {"2", "alarm/1/1", "26", "24"}));
    EXPECT_EQ(refusal(csvOf({"screen/4/MsgDisp/1/1,5 €"})),
              Message::string(P::kNotGb2312, {"2", "screen/4/MsgDisp/1/1", "€"}));
    EXPECT_EQ(refusal(csvOf({"screen/4/TextString/1,"})),
              Message::string(P::kEmptyText, {"2", "screen/4/TextString/1"}));
    EXPECT_EQ(refusal(csvOf({"screen/4/MsgDisp/1/2,"})), Message()); // a message may be empty
    EXPECT_EQ(refusal("key,text\r\nscreen/2/name,\"Set"), Message::string(P::kUnclosed, {"2"}));
}
