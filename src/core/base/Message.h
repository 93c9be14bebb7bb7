#pragma once

#include <string>
#include <vector>

namespace dispcraft {

// A message for the user: a numbered language string with its arguments, or (for the few texts
// that are fixed in the program) a literal text. Core code never shows anything itself; it hands
// messages to its caller or to a MessageSink.
struct Message {
    int id = 0;                    // language string number, 0 for a literal
    std::vector<std::string> args; // substituted in order for %d / %s / %u / %x in the text
    std::string literal;           // used when id is 0
    // Program text that follows the formatted string, as where a dialog shows a language
    // string followed by a range and ")!".
    std::string suffix;

    static Message string(int id, std::vector<std::string> args = {}) {
        Message m;
        m.id = id;
        m.args = std::move(args);
        return m;
    }
    static Message text(std::string literal) {
        Message m;
        m.literal = std::move(literal);
        return m;
    }
    static Message followed(int id, std::string suffix) {
        Message m;
        m.id = id;
        m.suffix = std::move(suffix);
        return m;
    }
    bool empty() const { return id == 0 && literal.empty() && suffix.empty(); }
    bool operator==(const Message&) const = default;
};

} // namespace dispcraft
