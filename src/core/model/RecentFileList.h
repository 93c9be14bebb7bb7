#pragma once

#include "model/Capacity.h"

#include <array>
#include <string>

namespace dispcraft {

// The four most recent project paths, most recent first, kept in section "LastFile" (keys
// "file1".."file4") of the settings file. An entry that is not set holds the sentinel text
// (language string 63546), which the caller passes in.
class RecentFileList {
public:
    using Entries = std::array<std::string, capacity::kRecentFiles>;

    // Reads the four entries; a missing or empty one becomes the sentinel.
    static Entries read(const std::string& settingsPath, const std::string& sentinel);
    // Puts path first: an entry equal to it (exact comparison) moves up, else every entry moves
    // down one place and the fourth is dropped. An empty path changes nothing.
    static void update(Entries& entries, const std::string& path);
    // Writes all four entries; false when the settings file cannot be written.
    static bool write(const std::string& settingsPath, const Entries& entries);
    // update() and then write(), as closing a project and opening another do.
    static bool updateAndWrite(const std::string& settingsPath, Entries& entries,
                               const std::string& path);

    // Paths are read with a buffer that holds any real path (not the usual 100 bytes), so that a
    // long path comes back whole.
    static constexpr size_t kPathBuffer = 4096;
};

} // namespace dispcraft
