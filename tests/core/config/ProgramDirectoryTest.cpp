#include "base/ProgramDirectory.h"
#include "base/FileIo.h"

#include "TempProgramDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/stat.h>

using namespace dispcraft;

TEST(ProgramDirectory, WindowsNamesResolveWithoutRegardToCase) {
    test::TempProgramDir dir;
    std::string lamp = dir.write("LampData/Lamp01_16x16.LMP", "x");
    ProgramDirectory pd(dir.path() + "/");
    EXPECT_EQ(pd.path(), dir.path());
    EXPECT_EQ(pd.file("\\lampdata\\lamp01_16x16.lmp"), lamp);
    EXPECT_EQ(pd.file("lampdata/lamp01_16x16.lmp"), lamp);
    EXPECT_EQ(pd.file("\\LampData\\"), dir.path() + "/LampData");
    // A name that does not exist stays as asked, joined with "/".
    EXPECT_EQ(pd.file("\\Protocol120\\comport1\\X.ini"), dir.path() + "/Protocol120/comport1/X.ini");
    // An exact match wins over another spelling.
    dir.write("panel.bmp", "a");
    dir.write("PANEL.bmp", "b");
    EXPECT_EQ(pd.file("\\panel.bmp"), dir.path() + "/panel.bmp");
    EXPECT_EQ(pd.modelFile(), dir.path() + "/qelsys.ini");
}

TEST(ProgramDirectory, LocateOrder) {
    test::TempProgramDir dir;
    ::setenv("DISPCRAFT_HOME", dir.path().c_str(), 1);
    EXPECT_EQ(ProgramDirectory::locate("/opt/given", "x").path(), "/opt/given");
    EXPECT_EQ(ProgramDirectory::locate("", "x").path(), dir.path());
    ::unsetenv("DISPCRAFT_HOME");
    // The test program lies in the laid-out program directory, which holds qelsys.ini.
    EXPECT_EQ(ProgramDirectory::locate("", "x").path(), ProgramDirectory::executableDirectory("x"));
}

TEST(ProgramDirectory, SettingsFileBesideOrInTheUserConfiguration) {
    test::TempProgramDir dir;
    test::TempProgramDir config;
    ::setenv("XDG_CONFIG_HOME", config.path().c_str(), 1);
    EXPECT_EQ(ProgramDirectory(dir.path()).settingsFile(), dir.path() + "/qel.ini");
    // A program directory that cannot take the file: the user's configuration holds it.
    ProgramDirectory missing(dir.path() + "/not-there");
    EXPECT_EQ(missing.settingsFile(), config.path() + "/dispcraft/qel.ini");
    // A read-only shipped file cannot be replaced either; the user's copy starts from it.
    test::TempProgramDir shipped;
    std::string ini = shipped.write("qel.ini", "[OEM]\r\nname=NONE\r\n");
    ::chmod(ini.c_str(), 0444);
    test::TempProgramDir config2;
    ::setenv("XDG_CONFIG_HOME", config2.path().c_str(), 1);
    std::string own = ProgramDirectory(shipped.path()).settingsFile();
    EXPECT_EQ(own, config2.path() + "/dispcraft/qel.ini");
    EXPECT_EQ(FileIo::readText(own), "[OEM]\r\nname=NONE\r\n");
    ::unsetenv("XDG_CONFIG_HOME");
}
