#include "config/PrivateProfile.h"
#include "base/ProgramDirectory.h"
#include "config/SettingsFile.h"
#include "base/FileIo.h"
#include "model/ProjectStore.h"

#include "TempProgramDir.h"

#include <gtest/gtest.h>

#include <memory>

using namespace dispcraft;

TEST(SettingsFile, FirstStartWithoutSettingsFile) {
    test::TempProgramDir dir;
    SettingsFile s = SettingsFile::of(ProgramDirectory(dir.path()));
    EXPECT_EQ(s.path(), dir.path() + "/qel.ini");
    EXPECT_EQ(s.startLanguage(), "ZIDUZADERU.dll");
    EXPECT_EQ(s.language("(unset)"), "(unset)");
    auto recent = s.recentFiles("(unset)");
    for (const auto& r : recent) {
        EXPECT_EQ(r, "(unset)");
    }
    EXPECT_EQ(s.oemName(), "NONE");
    EXPECT_FALSE(s.oem());
    EXPECT_EQ(s.logo().copyright, "");
    auto store = std::make_unique<ProjectStore>();
    store->oemFlag = 1;
    s.applyTo(*store, "(unset)");
    EXPECT_EQ(store->oemFlag, 0);
    EXPECT_EQ(store->recentFiles[3], "(unset)");
    EXPECT_FALSE(FileIo::exists(s.path())); // reading never creates the file
}

TEST(SettingsFile, ValuesBuffersAndOem) {
    test::TempProgramDir dir;
    std::string longPath = "/" + std::string(150, 'p') + ".dll";
    std::string copyright(250, 'c');
    dir.write("qel.ini", "[language]\r\nlan=" + longPath + "\r\n[LastFile]\r\nfile1=/a.trn\r\nfile2=\r\n"
                         "[OEM]\r\nname=Varnoke\r\n[logo]\r\ncopyright=" + copyright +
                         "\r\nhttp=example.org\r\nsoft=Dispcraft\r\n");
    SettingsFile s(dir.path() + "/qel.ini");
    EXPECT_EQ(s.startLanguage(), longPath);       // 260-byte buffer
    EXPECT_EQ(s.language("x").size(), 99u);        // 100-byte buffer
    auto recent = s.recentFiles("S");
    EXPECT_EQ(recent[0], "/a.trn");
    EXPECT_EQ(recent[1], "S"); // empty entry becomes the sentinel
    EXPECT_EQ(recent[2], "S");
    EXPECT_FALSE(s.oem()); // case-sensitive
    EXPECT_EQ(s.logo().copyright, std::string(199, 'c'));
    EXPECT_EQ(s.logo().soft, "Dispcraft");
    ASSERT_TRUE(PrivateProfile::writeString(s.path(), "OEM", "name", "varnoke"));
    EXPECT_TRUE(s.oem());
}

TEST(SettingsFile, RecentListAndWritesKeepTheRest) {
    SettingsFile::RecentFiles r{"a", "b", "c", "d"};
    SettingsFile::pushRecent(r, "c");
    EXPECT_EQ(r, (SettingsFile::RecentFiles{"c", "a", "b", "d"}));
    SettingsFile::pushRecent(r, "e");
    EXPECT_EQ(r, (SettingsFile::RecentFiles{"e", "c", "a", "b"}));
    SettingsFile::pushRecent(r, "E"); // exact comparison
    EXPECT_EQ(r, (SettingsFile::RecentFiles{"E", "e", "c", "a"}));
    SettingsFile::pushRecent(r, "");
    EXPECT_EQ(r[0], "E");

    test::TempProgramDir dir;
    std::string before = "; kept\r\n[OEM]\r\nname=NONE\r\n\r\n[language]\r\nlan=ZIDUZADERU.dll\r\n";
    std::string path = dir.write("qel.ini", before);
    SettingsFile s(path);
    ASSERT_TRUE(s.writeLanguage(SettingsFile::kEnglish));
    ASSERT_TRUE(s.writeRecentFiles({"/x\n[OEM]\nname=varnoke", "/y", "S", "S"}));
    auto text = FileIo::readText(path);
    ASSERT_TRUE(text);
    EXPECT_EQ(text->rfind("; kept\r\n[OEM]\r\nname=NONE\r\n\r\n[language]\r\nlan=ZOZUDEDevo.dll\r\n", 0), 0u);
    EXPECT_EQ(s.recentFiles("S")[0], "/x"); // a line break cannot inject keys
    EXPECT_FALSE(s.oem());
    EXPECT_EQ(s.recentFiles("S")[1], "/y");

    // The sentinel of one language must not survive as a path into another.
    SettingsFile::RecentFiles list = s.recentFiles("(none)");
    ASSERT_TRUE(s.updateRecentFiles(list, "/z.trn", "(none)"));
    EXPECT_EQ(list, (SettingsFile::RecentFiles{"/z.trn", "/x", "/y", "(none)"}));
    auto other = s.recentFiles("（无）");
    EXPECT_EQ(other[2], "/y");
    // "S" was written out by the call above without a sentinel: still no path in any language.
    EXPECT_EQ(other[3], "（无）");
    ASSERT_TRUE(PrivateProfile::writeString(s.path(), "LastFile", "file2", "(none)"));
    EXPECT_EQ(s.recentFiles("（无）")[1], "（无）");
    SettingsFile::RecentFiles unset{"/a", "(none)", "(none)", "(none)"};
    ASSERT_TRUE(s.writeRecentFiles(unset, "(none)"));
    EXPECT_EQ(s.recentFiles("（无）")[1], "（无）");
}
