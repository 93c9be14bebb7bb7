#pragma once

#include "base/ScratchDirectory.h"

#include <gtest/gtest.h>

#include <string>

namespace dispcraft::test {

// A scratch program directory, removed with its files when the test ends.
class TempProgramDir : public ScratchDirectory {
public:
    TempProgramDir() : ScratchDirectory("dispcraft-program") { EXPECT_TRUE(ok()) << error(); }

    // Writes a file given relative with "/" separators, making its directories.
    std::string write(const std::string& relative, const std::string& content) const {
        std::string full = ScratchDirectory::write(relative, content);
        EXPECT_FALSE(full.empty()) << relative;
        return file(relative);
    }
};

} // namespace dispcraft::test
