#include "lamp/LampFile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

using namespace dispcraft;

// The lamp pictures laid into the program directory: the screen loader falls back on the two
// defaults, and every picture must show two distinct, drawn states.
TEST(ShippedLampData, TwentyPicturesInBothSizesWithTheDefaults) {
    const std::string dir = std::string(DISPCRAFT_TEST_PROGRAM_DIR) + "/lampdata/";
    for (int n = 1; n <= 20; ++n) {
        for (int size : {16, 32}) {
            char name[32];
            std::snprintf(name, sizeof name, "lamp%02d_%dx%d.lmp", n, size, size);
            auto r = LampFile::read(dir + name);
            ASSERT_TRUE(r.ok()) << name;
            EXPECT_EQ(r.picture.size, size) << name;
            int darkOff = 0;
            int darkOn = 0;
            int differ = 0;
            for (int y = 0; y < size; ++y) {
                for (int x = 0; x < size; ++x) {
                    darkOff += r.picture.isDark(0, x, y);
                    darkOn += r.picture.isDark(1, x, y);
                    differ += r.picture.isDark(0, x, y) != r.picture.isDark(1, x, y);
                }
            }
            EXPECT_GT(darkOff, 0) << name;
            EXPECT_GT(darkOn, 0) << name;
            EXPECT_LT(darkOn, size * size) << name;
            EXPECT_GT(differ, 0) << name;
            for (uint8_t dot : r.picture.dots) {
                ASSERT_LE(dot, 1) << name;
            }
        }
    }
    EXPECT_EQ(LampFile::read(dir + "lamp01_16x16.lmp").picture.size, 16);
    EXPECT_EQ(LampFile::read(dir + "lamp20_32x32.lmp").picture.size, 32);
}
