// dispcraft-cli xref, texts and report on the example projects, as scripts use them.

#include "CliRun.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using namespace dispcraft;
using namespace dispcraft::test;

namespace {

std::string example(const char* name) {
    return std::string(DISPCRAFT_TEST_EXAMPLES_DIR) + "/" + name;
}

} // namespace

TEST(XrefCommand, ListsTheExampleAddressesAsJson) {
    CliRun r = runCli({"xref", example("one-port-demo.trn"), "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto doc = nlohmann::json::parse(r.out);
    auto find = [&](const char* area, const char* address) {
        for (const auto& e : doc) {
            if (e["area"] == area && e["address"] == address) {
                return e;
            }
        }
        return nlohmann::json();
    };
    // The flow display on screen 1 and the level shown twice on screen 2.
    EXPECT_EQ(find("D", "0120")["uses"],
              nlohmann::json::parse(
                  R"([{"screen": 1, "kind": "NumDisp", "index": 1, "access": "read"}])"));
    EXPECT_EQ(find("D", "0122")["uses"].size(), 2u);
    // The alarm bits, in the octal notation of their area.
    EXPECT_EQ(find("X", "0313")["bit"], 0);
    EXPECT_EQ(find("X", "0313")["uses"][0]["kind"], "AlarmGroup");
    EXPECT_EQ(find("X", "0313")["uses"][0]["screen"], 0);

    CliRun text = runCli({"xref", example("one-port-demo.trn")});
    ASSERT_EQ(text.status, 0);
    EXPECT_NE(text.out.find("COM1 D 0120    screen 1   NumDisp 1       read\n"), std::string::npos)
        << text.out;

    expectOneLineFailure(runCli({"xref", example("no-such.trn")}));
}

TEST(TextsCommand, RoundTripsEditedRowsAndRefusesABadTableWithoutWriting) {
    ScratchDirectory dir;
    const std::string csv = dir.file("texts.csv");
    const std::string out = dir.file("out.trn");
    for (const char* name : {"one-port-demo.trn", "two-port-demo.trn"}) {
        ASSERT_EQ(runCli({"texts", "export", example(name), "-o", csv}).status, 0);
        EXPECT_EQ(slurp(csv).rfind("key,text\r\nscreen/1/name,", 0), 0u) << name;

        // Rows out of order, a quoted comma, Chinese text, bare LF line ends.
        dir.write("edit.csv", "key,text\nalarm/1/2,泵过载报警\nscreen/2/name,参数设定\n"
                              "screen/1/TextString/3,\"Flow, total\"\n");
        CliRun imported = runCli({"texts", "import", example(name), dir.file("edit.csv"), "-o", out});
        ASSERT_EQ(imported.status, 0) << imported.err;
        CliRun info = runCli({"info", out});
        EXPECT_NE(info.out.find("参数设定"), std::string::npos) << info.out;
        EXPECT_NE(info.out.find("泵过载报警"), std::string::npos) << info.out;
        ASSERT_EQ(runCli({"texts", "export", out, "-o", csv}).status, 0);
        EXPECT_NE(slurp(csv).find("screen/1/TextString/3,\"Flow, total\"\r\n"), std::string::npos);
    }

    std::filesystem::remove(out);
    dir.write("bad.csv", "key,text\nscreen/1/name,ok\nscreen/1/name,\xe2\x82\xac\n");
    CliRun bad = runCli({"texts", "import", example("one-port-demo.trn"), dir.file("bad.csv"), "-o", out});
    expectOneLineFailure(bad);
    EXPECT_NE(bad.err.find("Line 3"), std::string::npos) << bad.err;
    EXPECT_FALSE(std::filesystem::exists(out));
}

TEST(ReportCommand, WritesOneSelfContainedPageOfTheTwoPortExample) {
    ScratchDirectory dir;
    const std::string out = dir.file("report.html");
    CliRun r = runCli({"report", example("two-port-demo.trn"), "-o", out});
    ASSERT_EQ(r.status, 0) << r.err;
    std::string html = slurp(out);
    for (size_t at = html.find("\xc2\xa0"); at != std::string::npos; at = html.find("\xc2\xa0", at)) {
        html.replace(at, 2, " "); // the spaces inside addresses do not break
    }
    size_t pictures = 0;
    for (size_t at = html.find("src=\"data:image/png;base64,"); at != std::string::npos;
         at = html.find("src=\"data:image/png;base64,", at + 1)) {
        ++pictures;
    }
    EXPECT_EQ(pictures, 4u); // screens 1, 2, 3 and 10
    EXPECT_EQ(html.find("src=\"http"), std::string::npos);
    EXPECT_EQ(html.find("<link"), std::string::npos);
    EXPECT_NE(html.find("@media print"), std::string::npos);
    // Both ports' notations, and the second port's alarm group.
    EXPECT_NE(html.find("COM1 DM 0078"), std::string::npos);
    EXPECT_NE(html.find("Alarm group 2: 2 messages from COM2 PB 0300.0"), std::string::npos);

    expectOneLineFailure(runCli({"report", example("no-such.trn"), "-o", out}));
}
