#pragma once

#include "base/FileIo.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace dispcraft::test {

// A scratch program directory, removed with its files when the test ends.
class TempProgramDir {
public:
    TempProgramDir() {
        std::string pattern = ::testing::TempDir() + "/dispcraft_XXXXXX";
        char* made = ::mkdtemp(pattern.data());
        EXPECT_NE(made, nullptr);
        m_path = pattern;
    }
    ~TempProgramDir() { std::system(("rm -rf '" + m_path + "'").c_str()); }
    TempProgramDir(const TempProgramDir&) = delete;
    TempProgramDir& operator=(const TempProgramDir&) = delete;

    const std::string& path() const { return m_path; }
    // Writes a file given relative with "/" separators, making its directories.
    std::string write(const std::string& relative, const std::string& content) const {
        std::string full = m_path + "/" + relative;
        for (size_t i = m_path.size() + 1; i < full.size(); ++i) {
            if (full[i] == '/') {
                ::mkdir(full.substr(0, i).c_str(), 0755);
            }
        }
        EXPECT_TRUE(FileIo::writeAtomic(full, content));
        return full;
    }

private:
    std::string m_path;
};

} // namespace dispcraft::test
