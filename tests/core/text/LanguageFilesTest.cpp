// Checks of the shipped language files that catch translation slips: a text missing in one
// language, placeholders that do not match, tree captions that the workspace cannot tell apart.
#include "text/Gb2312.h"
#include "text/LanguageStrings.h"

#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <set>

using namespace dispcraft;

namespace {

// The conversions of a text by argument position, e.g. "%2$s %1$d" -> {1:'d', 2:'s'}.
std::map<int, char> conversions(const std::string& t) {
    std::map<int, char> out;
    int next = 1;
    for (size_t i = 0; i + 1 < t.size(); ++i) {
        if (t[i] != '%') {
            continue;
        }
        size_t j = i + 1;
        if (t[j] == '%') {
            i = j;
            continue;
        }
        int pos = 0;
        size_t k = j;
        while (k < t.size() && std::isdigit(static_cast<unsigned char>(t[k]))) {
            pos = pos * 10 + (t[k] - '0');
            ++k;
        }
        if (k < t.size() && t[k] == '$') {
            j = k + 1;
        } else {
            pos = 0;
        }
        while (j < t.size() && std::string("-0 +#.0123456789lh").find(t[j]) != std::string::npos) {
            ++j;
        }
        if (j < t.size() && std::string("diuxXcs").find(t[j]) != std::string::npos) {
            out[pos > 0 ? pos : next++] = t[j];
        }
        i = j;
    }
    return out;
}

struct Files {
    LanguageStrings en;
    LanguageStrings zh;
    Files() {
        EXPECT_TRUE(en.load(DISPCRAFT_TEST_PROGRAM_DIR, "ZOZUDEDevo.dll"));
        EXPECT_TRUE(zh.load(DISPCRAFT_TEST_PROGRAM_DIR, "ZIDUZADERU.dll"));
    }
};

} // namespace

TEST(LanguageFiles, BothLanguagesHaveTheSameTextsAndPlaceholders) {
    Files f;
    ASSERT_GT(f.en.texts().size(), 300u);
    for (const auto& [id, text] : f.en.texts()) {
        ASSERT_TRUE(f.zh.hasOwn(id)) << id << " has no Chinese text";
        EXPECT_EQ(conversions(text), conversions(f.zh.text(id))) << "placeholders of " << id;
        EXPECT_FALSE(text.empty()) << id;
    }
    for (const auto& entry : f.zh.texts()) {
        EXPECT_TRUE(f.en.hasOwn(entry.first)) << entry.first << " has no English text";
    }
    // Log lines of the download end in the CR LF the caller passes.
    for (int id : {61458, 61459, 61460, 61461, 61462, 61471, 61477, 61478, 61479, 61494, 63000,
                   63001, 63004, 63005}) {
        EXPECT_EQ(f.en.text(id).substr(f.en.text(id).size() - 4), "%c%c") << id;
    }
    EXPECT_EQ(f.en.caption(32796), "&New Project...");
    EXPECT_EQ(f.en.tip(32796), "Create a project for a panel model");
    EXPECT_EQ(f.en.tip(128), "");
}

TEST(LanguageFiles, TreeCaptionsCanBeToldApart) {
    Files f;
    for (const LanguageStrings* l : {&f.en, &f.zh}) {
        // Compared as the store's GB2312 bytes.
        auto gb = [&](int id) {
            Gb2312::Result r = Gb2312::fromUtf8(l->text(id));
            EXPECT_TRUE(r.ok) << id;
            return r.text;
        };
        std::set<std::string> prefixes;
        for (int k = 0; k <= 12; ++k) {
            std::string c = gb(63548 + k);
            EXPECT_GE(c.size(), 6u) << 63548 + k;
            EXPECT_NE(c.front(), 'B') << 63548 + k;
            if (k != 11) { // caption 11 is the item under caption 10 and opens the same dialog
                EXPECT_TRUE(prefixes.insert(c.substr(0, 6)).second) << 63548 + k;
            }
        }
        EXPECT_EQ(gb(63559).substr(0, 6), gb(63558).substr(0, 6));
        EXPECT_NE(gb(63554).substr(0, 4), gb(63555).substr(0, 4));
        // Texts that go into the store must be GB2312.
        gb(61453);
        gb(61594);
    }
}
