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
