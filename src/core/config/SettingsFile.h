#pragma once

#include "model/Capacity.h"

#include <array>
#include <string>

namespace dispcraft {

class ProgramDirectory;
struct ProjectStore;

// The settings file "qel.ini". Values the user has not set read as the sentinel text (language
// string 63546, passed in by the caller since it comes from the loaded language). Every call
// reads or writes the file anew, as the profile calls do; a missing file reads as empty.
class SettingsFile {
public:
    static constexpr const char* kFileName = "qel.ini";
    static constexpr const char* kChinese = "ZIDUZADERU.dll";
    static constexpr const char* kEnglish = "ZOZUDEDevo.dll";
    static constexpr const char* kOemName = "varnoke"; // case-sensitive
    using RecentFiles = std::array<std::string, capacity::kRecentFiles>;

    explicit SettingsFile(std::string path) : m_path(std::move(path)) {}
    // The settings file of a program directory (see ProgramDirectory::settingsFile()).
    static SettingsFile of(const ProgramDirectory& dir);

    const std::string& path() const { return m_path; }

    // "lan" of "language" as read at program start: 260-byte buffer, default the Chinese
    // library.
    std::string startLanguage() const;
    // "lan" as the main window reads it: 100-byte buffer, default the sentinel.
    std::string language(const std::string& sentinel) const;
    // "file1".."file4" of "LastFile", most recent first; a missing or empty entry, and any
    // that is not an absolute path (the sentinel of any language), is the sentinel.
    RecentFiles recentFiles(const std::string& sentinel) const;
    // "name" of "OEM" (default "NONE") and whether it is exactly "varnoke".
    std::string oemName() const;
    bool oem() const { return oemName() == kOemName; }

    struct Logo {
        std::string copyright; // 200-byte buffer
        std::string http;
        std::string soft;
    };
    // Section "logo" of the about window; missing keys are empty.
    Logo logo() const;

    // The main window's reading: recent list and OEM flag into the store.
    void applyTo(ProjectStore& store, const std::string& sentinel) const;

    // "port" of "Download": the device the last download went to, empty before the first.
    std::string downloadPort() const;

    // What the program writes; false when the file cannot be written.
    bool writeLanguage(const std::string& library) const;
    bool writeDownloadPort(const std::string& device) const;
    // Entries equal to the sentinel are written empty: the sentinel is a text of the current
    // language, and written out it would read as a project path once the language changes.
    bool writeRecentFiles(const RecentFiles& files, const std::string& sentinel = {}) const;
    // The recent-file list update on closing and before opening a project: the path moves to
    // the front of the list (pushRecent), then the list is written.
    bool updateRecentFiles(RecentFiles& files, const std::string& path,
                           const std::string& sentinel) const;

    // Moves a project path to the front of a recent list: an entry equal to it (exact,
    // case-sensitive) leaves its place, else the last entry drops out. An empty path leaves
    // the list as it is.
    static void pushRecent(RecentFiles& files, const std::string& path);

private:
    std::string m_path;
};

} // namespace dispcraft
