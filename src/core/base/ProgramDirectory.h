#pragma once

#include <string>

namespace dispcraft {

// The directory the programs read their files from. INI values and the program's own relative
// names are Windows-style ("\lampdata\lamp01_16x16.lmp", "Protocol120\comport1\"); file() joins
// them with "/" and, since these files are often made on Windows, finds each component
// case-insensitively when the exact name is missing.
class ProgramDirectory {
public:
    ProgramDirectory() = default;
    explicit ProgramDirectory(std::string dir);

    // In this order: the --program-dir option; $DISPCRAFT_HOME; the executable's directory when it
    // holds "qelsys.ini"; the installed data directory.
    static ProgramDirectory locate(const std::string& option, const std::string& argv0);

    const std::string& path() const { return m_dir; }
    bool empty() const { return m_dir.empty(); }
    // The path of a file given relative to the program directory, in either separator style.
    std::string file(const std::string& relative) const;
    std::string modelFile() const { return file("qelsys.ini"); }
    // "qel.ini": beside the program when the directory is writable; else in
    // $XDG_CONFIG_HOME/dispcraft (default ~/.config/dispcraft), seeded on first use from the
    // shipped copy.
    std::string settingsFile() const;

    // Joins base and a relative Windows- or POSIX-style path, resolving case as file() does.
    static std::string resolve(const std::string& base, const std::string& relative);
    static std::string executableDirectory(const std::string& argv0);

private:
    std::string m_dir;
};

} // namespace dispcraft
