#pragma once

// Runs dispcraft-cli with arguments and collects its exit status and output.

#include "base/ScratchDirectory.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace dispcraft::test {

struct CliRun {
    int status = -1;     // exit status; -1 when the program did not exit normally
    bool crashed = false; // ended by a signal
    std::string out;
    std::string err;
};

inline std::string slurp(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

inline std::string quote(const std::string& s) {
    std::string q = "'";
    for (char c : s) {
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return q + "'";
}

// A scratch directory removed with its files when the test ends.
using TempDir = ScratchDirectory;

// With the shipped program directory of the build unless args name another.
inline CliRun runCli(const std::vector<std::string>& args, bool programDir = true) {
    static TempDir outputs;
    static int n = 0;
    std::string out = outputs.file("out" + std::to_string(n));
    std::string err = outputs.file("err" + std::to_string(n));
    ++n;
    std::string cmd = quote(DISPCRAFT_CLI);
    if (programDir) {
        cmd += " --program-dir " + quote(DISPCRAFT_TEST_PROGRAM_DIR);
    }
    for (const std::string& a : args) {
        cmd += " " + quote(a);
    }
    cmd += " >" + quote(out) + " 2>" + quote(err);
    int raw = std::system(cmd.c_str());
    CliRun r;
    if (WIFEXITED(raw)) {
        r.status = WEXITSTATUS(raw);
        // The shell reports a child killed by a signal as 128 + the signal.
        r.crashed = r.status > 128;
    } else {
        r.crashed = true;
    }
    r.out = slurp(out);
    r.err = slurp(err);
    return r;
}

// A failure as the tool must report it: non-zero status, no crash, one line on stderr.
inline void expectOneLineFailure(const CliRun& r) {
    EXPECT_FALSE(r.crashed);
    EXPECT_NE(r.status, 0);
    ASSERT_FALSE(r.err.empty());
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
}

} // namespace dispcraft::test
