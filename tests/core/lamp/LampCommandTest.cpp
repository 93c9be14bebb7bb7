#include "core/lamp/TestBmp.h"

#include "base/ScratchDirectory.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;
using dispcraft::ScratchDirectory;
using dispcraft::testing::TestBmp;

namespace {

// Runs dispcraft-cli lamp as a user would and keeps its exit status and error output.
class LampCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        cli = fs::path(DISPCRAFT_TEST_BIN_DIR) / "dispcraft-cli";
        if (!fs::exists(cli)) {
            GTEST_SKIP() << "dispcraft-cli is not built in this configuration";
        }
    }

    std::string file(const std::string& name, const std::vector<uint8_t>& bytes) {
        auto p = dir / name;
        std::ofstream out(p, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        return p.string();
    }

    int run(const std::string& args) {
        std::string errPath = (dir / "stderr.txt").string();
        std::string cmd = "'" + cli.string() + "' lamp " + args + " 2>'" + errPath + "'";
        int status = std::system(cmd.c_str());
        std::ifstream in(errPath);
        std::stringstream ss;
        ss << in.rdbuf();
        err = ss.str();
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    fs::path cli;
    ScratchDirectory scratch{"lamp-cli"};
    fs::path dir = scratch.path();
    std::string err;
};

} // namespace

TEST_F(LampCommandTest, ConvertsOrSaysWhyInTheProgramsOwnWords) {
    std::string good = file("good.bmp", TestBmp{}.bytes());
    std::string target = (dir / "out.lmp").string();
    EXPECT_EQ(run(good + " " + target + " --size 32"), 0) << err;
    EXPECT_EQ(fs::file_size(target), 2048u);
    EXPECT_EQ(run("--size 16 " + good + " " + target), 0) << err;
    EXPECT_EQ(fs::file_size(target), 512u);
    EXPECT_TRUE(err.empty());

    std::string colour = file("colour.bmp", TestBmp{.bitCount = 24}.bytes());
    std::string fresh = (dir / "fresh.lmp").string();
    EXPECT_EQ(run(colour + " " + fresh + " --size 16"), 1);
    EXPECT_EQ(err, "单色液晶只能处理单色的BMP文件！\n请利用工具(画图板等)转化！\n");
    EXPECT_FALSE(fs::exists(fresh));

    EXPECT_EQ(run((dir / "missing.bmp").string() + " " + fresh + " --size 16"), 1);
    EXPECT_EQ(err, "无法打开的BMP文件！\n");
    EXPECT_FALSE(fs::exists(fresh));

    EXPECT_EQ(run(good + " " + (dir / "none/x.lmp").string() + " --size 16"), 1);
    EXPECT_EQ(err.rfind("无法创建或写入目标文件！", 0), 0u) << err;

    EXPECT_EQ(run(good + " " + fresh + " --size 24"), 2);
    EXPECT_EQ(run(good + " " + fresh), 2);
    EXPECT_EQ(run(good), 2);
    EXPECT_FALSE(fs::exists(fresh));
}
