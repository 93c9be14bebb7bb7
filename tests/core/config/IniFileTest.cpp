#include "config/IniFile.h"
#include "config/PrivateProfile.h"
#include "base/FileIo.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <unistd.h>

using namespace dispcraft;

namespace {

std::string tempPath(const char* name) {
    std::string dir = ::testing::TempDir();
    return dir + "/" + std::to_string(::getpid()) + "_" + name;
}

} // namespace

TEST(IniFile, LookupRules) {
    IniFile ini("[Sec One]\r\n KEY = value with spaces \r\nq=\"quoted\"\r\n"
                "dup=first\r\ndup=second\r\n[other]\r\nkey=x\r\n");
    EXPECT_EQ(ini.value("sec one", "key"), "value with spaces");
    EXPECT_EQ(ini.value("SEC ONE", "Key"), "value with spaces");
    EXPECT_EQ(ini.value("Sec One", "q"), "quoted");
    EXPECT_EQ(ini.value("Sec One", "dup"), "first");
    EXPECT_EQ(ini.value("other", "key"), "x");
    EXPECT_FALSE(ini.value("other", "missing"));
    EXPECT_FALSE(ini.value("nosection", "key"));
}

TEST(IniFile, UpdateKeepsTheRestOfTheFile) {
    std::string text = "; comment\r\n[language]\r\nlan=ZIDUZADERU.dll\r\n\r\n[LastFile]\r\nfile1=a\r\n";
    IniFile ini(text);
    ini.setValue("LANGUAGE", "lan", "ZOZUDEDevo.dll");
    EXPECT_EQ(ini.text(), "; comment\r\n[language]\r\nlan=ZOZUDEDevo.dll\r\n\r\n[LastFile]\r\nfile1=a\r\n");
    ini.setValue("language", "extra", "1");
    EXPECT_EQ(ini.text(), "; comment\r\n[language]\r\nlan=ZOZUDEDevo.dll\r\nextra=1\r\n\r\n"
                          "[LastFile]\r\nfile1=a\r\n");
    ini.setValue("New", "k", "v");
    EXPECT_EQ(ini.value("new", "K"), "v");
    EXPECT_NE(ini.text().find("[New]\r\nk=v\r\n"), std::string::npos);
}

TEST(IniFile, LfFilesStayLfAndGb2312PassesThrough) {
    std::string gb = "\xC4\xE3\xBA\xC3"; // two GB2312 characters
    IniFile ini("[TYPE]\nT1=" + gb + "\nT2=b");
    EXPECT_EQ(ini.value("type", "t1"), gb);
    EXPECT_EQ(ini.value("type", "t2"), "b");
    ini.setValue("TYPE", "T3", gb);
    EXPECT_EQ(ini.text(), "[TYPE]\nT1=" + gb + "\nT2=b\nT3=" + gb + "\n");
}

TEST(PrivateProfile, DefaultsTruncationAndWrites) {
    std::string path = tempPath("profile.ini");
    ::unlink(path.c_str());
    EXPECT_EQ(PrivateProfile::getString(path, "a", "b", "dflt"), "dflt");
    EXPECT_EQ(PrivateProfile::getInt(path, "a", "b", 37), 37);
    ASSERT_TRUE(PrivateProfile::writeString(path, "a", "b", std::string(150, 'x')));
    EXPECT_EQ(PrivateProfile::getString(path, "A", "B", "dflt").size(), 99u);
    EXPECT_EQ(PrivateProfile::getString(path, "A", "B", "dflt", 260).size(), 150u);
    ASSERT_TRUE(PrivateProfile::writeString(path, "a", "n", " -42x"));
    EXPECT_EQ(PrivateProfile::getInt(path, "a", "n", 0), -42);
    ASSERT_TRUE(PrivateProfile::writeString(path, "a", "h", "0x1F"));
    EXPECT_EQ(PrivateProfile::getInt(path, "a", "h", 0), 31);
    ASSERT_TRUE(PrivateProfile::writeString(path, "a", "e", ""));
    EXPECT_EQ(PrivateProfile::getString(path, "a", "e", "dflt"), "");
    EXPECT_EQ(PrivateProfile::getInt(path, "a", "e", 5), 5); // empty counts as missing
    ::unlink(path.c_str());
}

TEST(PrivateProfile, LeadingInt) {
    EXPECT_EQ(PrivateProfile::leadingInt("37"), 37);
    EXPECT_EQ(PrivateProfile::leadingInt("-12abc"), -12);
    EXPECT_EQ(PrivateProfile::leadingInt("abc"), 0);
    EXPECT_EQ(PrivateProfile::leadingInt(""), 0);
    EXPECT_EQ(PrivateProfile::leadingInt("+5"), 5);
}

TEST(FileIo, AtomicWriteReplacesWholeFile) {
    std::string path = tempPath("atomic.bin");
    ASSERT_TRUE(FileIo::writeAtomic(path, std::string("first version")));
    ASSERT_TRUE(FileIo::writeAtomic(path, std::string("2nd")));
    EXPECT_EQ(FileIo::readText(path), "2nd");
    std::string error;
    EXPECT_FALSE(FileIo::writeAtomic("/nonexistent-dir/x.bin", std::string("x"), &error));
    EXPECT_FALSE(error.empty());
    ::unlink(path.c_str());
}

TEST(IniFile, SameSectionInOtherCaseAndByteOrderMark) {
    IniFile ini("\xEF\xBB\xBF[station]\r\nstation=0-31\r\n[Station]\r\nDefaultstation=3\r\n"
                "station=second\r\n");
    EXPECT_EQ(ini.value("station", "station"), "0-31");
    EXPECT_EQ(ini.value("Station", "Defaultstation"), "3");
    EXPECT_EQ(ini.keys("STATION"), (std::vector<std::string>{"station", "Defaultstation", "station"}));
    ini.setValue("Station", "Defaultstation", "4");
    ini.setValue("Station", "Maxstation", "9");
    EXPECT_EQ(ini.text(), "\xEF\xBB\xBF[station]\r\nstation=0-31\r\nMaxstation=9\r\n[Station]\r\n"
                          "Defaultstation=4\r\nstation=second\r\n");
    ini.removeKey("station", "defaultstation");
    EXPECT_FALSE(ini.value("Station", "Defaultstation"));
}

TEST(PrivateProfile, BufferCutKeepsTwoByteCharactersWhole) {
    std::string gb = "\xC4\xE3\xBA\xC3"; // two GB2312 characters
    EXPECT_EQ(PrivateProfile::fitBuffer("a" + gb, 4), "a\xC4\xE3");
    EXPECT_EQ(PrivateProfile::fitBuffer("a" + gb, 5), "a\xC4\xE3");
    EXPECT_EQ(PrivateProfile::fitBuffer("a" + gb, 6), "a" + gb);
    EXPECT_EQ(PrivateProfile::fitBuffer(gb, 2), "");
    EXPECT_EQ(PrivateProfile::fitBuffer("abc", 0), "");
    IniFile ini("[s]\nk = \" padded \" \nn=0x10\nm=-7\n");
    EXPECT_EQ(PrivateProfile::getString(ini, "S", "K", "d"), " padded ");
    EXPECT_EQ(PrivateProfile::getString(ini, "s", "none", "dflt   "), "dflt");
    EXPECT_EQ(PrivateProfile::getInt(ini, "s", "n", 0), 16);
    EXPECT_EQ(PrivateProfile::getInt(ini, "s", "m", 0), -7);
}
