#pragma once

#include "text/Message.h"

#include <map>
#include <string>

namespace dispcraft {

// The numbered user-interface texts of one language, loaded from a language resource file of the
// program directory (the settings file names it by its library name, "ZIDUZADERU.dll" or
// "ZOZUDEDevo.dll"). Texts are UTF-8.
class LanguageStrings {
public:
    LanguageStrings();

    // Loads the resource file for a library name; on failure keeps the built-in English texts
    // and returns false with a reason.
    bool load(const std::string& programDir, const std::string& libraryName, std::string* error = nullptr);
    // The text of string id; an unknown id gives "#<id>".
    std::string text(int id) const;
    bool has(int id) const;
    // The message's text with its arguments substituted in order (%d, %u, %x, %s, %c, %%).
    std::string format(const Message& message) const;
    static std::string substitute(const std::string& pattern, const std::vector<std::string>& args);

    // The texts compiled into the program (English).
    static const LanguageStrings& builtin();

private:
    std::map<int, std::string> m_texts;
};

} // namespace dispcraft
