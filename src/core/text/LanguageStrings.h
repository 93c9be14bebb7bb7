#pragma once

#include "base/Message.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace dispcraft {

// The numbered user-interface texts of one language, loaded from a language resource file of the
// program directory. The settings file names the language by its library name ("ZIDUZADERU.dll"
// or "ZOZUDEDevo.dll"); the resource file has the same name with ".lang" in place of ".dll".
//
// File format (UTF-8): one "number<TAB>text" per line, sorted by number; lines starting with '#'
// and blank lines are comments. In the text "\n", "\r", "\t" and "\\" stand for a line feed, a
// carriage return, a tab and a backslash. The English file is also compiled into the program
// (builtin()), so a missing file or a text missing from a file falls back to it.
class LanguageStrings {
public:
    // String numbers the loader itself uses.
    static constexpr int kSentinel = 63546;           // marks a setting as not set
    static constexpr int kLanguageFileFallback = 65100; // "%s" = the file that could not be read

    // Starts with no texts of its own: every text comes from builtin().
    LanguageStrings() = default;

    // Loads the resource file for a library name from a program directory. On failure (file
    // missing, unreadable or without a single text) keeps the texts it had, which are the
    // built-in English ones for a fresh object, returns false and sets problem to the message
    // to show; a second failed load of the same object leaves problem empty, so the user is
    // told once.
    bool load(const std::string& programDir, const std::string& libraryName,
              Message* problem = nullptr);
    // The same for a file path.
    bool loadFile(const std::string& path, Message* problem = nullptr);
    // Replaces the texts by those of a file's content; returns the number of texts read.
    size_t parse(std::string_view content);

    // The text of string id: this language's, else the built-in English one, else "#<id>".
    std::string text(int id) const;
    // Whether this language or the built-in texts have the string.
    bool has(int id) const;
    // Whether this language's own file has it.
    bool hasOwn(int id) const { return m_texts.count(id) != 0; }
    // The message's text with its arguments substituted.
    std::string format(const Message& message) const;
    // Texts of a command id are "menu caption\nstatus tip": the caption (with '&' before the
    // access key) and the tip.
    std::string caption(int commandId) const;
    std::string tip(int commandId) const;
    // The settings sentinel, string 63546.
    std::string sentinel() const { return text(kSentinel); }
    const std::map<int, std::string>& texts() const { return m_texts; }
    // The file the texts came from; empty while the built-in texts are used.
    const std::string& source() const { return m_source; }

    // printf-style substitution of texts given as strings: %d %i %u %s %c insert the argument,
    // %x %X write a decimal argument in hexadecimal, %% is a percent sign. Flags and width are
    // honoured ("%02d", "%-8s"), "%2$s" takes the second argument (translations may reorder);
    // a missing argument inserts nothing.
    static std::string substitute(const std::string& pattern, const std::vector<std::string>& args);
    // "ZOZUDEDevo.dll" -> "ZOZUDEDevo.lang".
    static std::string fileNameFor(const std::string& libraryName);

    // The English texts compiled into the program.
    static const LanguageStrings& builtin();
    // The language of this process: the built-in English texts until a program loads another.
    static LanguageStrings& current();

private:
    std::map<int, std::string> m_texts;
    std::string m_source;
    bool m_reported = false;
};

} // namespace dispcraft
