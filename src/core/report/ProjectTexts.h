#pragma once

#include "base/Message.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace dispcraft {

struct ProjectStore;

// Where one text of a project lives, the key that names it in a text table and the most bytes
// the dialog that edits it takes.
struct TextSlot {
    enum class Where { ScreenName, ScreenText, AlarmMessage };
    Where where = Where::ScreenName;
    int screen = 0;   // of a screen name or a screen text
    int kindCode = 0; // of a screen text's object
    int record = 0;   // a screen text's object (0-based); an alarm message's group (0 or 1)
    int text = 0;     // the text of that object, or the alarm message (0-based)
    std::string key;  // "screen/3/name", "screen/3/MsgDisp/2/5", "alarm/1/4"
    size_t limit = 0;
    bool mayBeEmpty = true;
};

// A text to put in place (GB2312) and, for a static text whose new size would leave the LCD,
// the place it moves to (stored coordinates).
struct TextChange {
    TextSlot slot;
    std::string text;
    bool moves = false;
    uint16_t x = 0;
    uint16_t y = 0;
};

// The project's texts for translation, as a table of key,text rows: the screen names
// (screen/N/name), the static texts (screen/N/TextString/I), the sixteen texts of each message
// display, empty ones included (screen/N/MsgDisp/I/M) and the alarm messages (alarm/G/M);
// screens ascending, I and M from 1.
class ProjectTexts {
public:
    // Language strings of the text table.
    static constexpr int kNoHeader = 66016;     // %s line
    static constexpr int kFieldCount = 66017;   // %s line, %s fields
    static constexpr int kUnclosed = 66018;     // %s line
    static constexpr int kUnknownKey = 66019;   // %s line, %s key
    static constexpr int kTwice = 66020;        // %s line, %s key, %s the earlier line
    static constexpr int kTooLong = 66021;      // %s line, %s key, %s bytes, %s limit
    static constexpr int kNotGb2312 = 66022;    // %s line, %s key, %s the character
    static constexpr int kEmptyText = 66023;    // %s line, %s key

    // Every text slot in the table's order, with its text (GB2312) as the project holds it.
    static std::vector<std::pair<TextSlot, std::string>> textSlots(const ProjectStore& store);
    // The table as UTF-8 CSV: the header "key,text", then one row per slot.
    static std::string exportCsv(const ProjectStore& store);

    // A table read against the project, which it leaves alone. Rows may come in any order and
    // rows may be missing (those texts stay); a row whose text is the project's changes
    // nothing. The first unknown key, repeated key, text longer than its dialog takes, empty
    // static text or character outside GB2312 refuses the whole table, naming its line.
    struct Checked {
        std::vector<TextChange> changes;
        size_t rows = 0;
        Message error;
        bool ok() const { return error.empty(); }
    };
    static Checked check(const ProjectStore& store, std::string_view csv);

    // Puts the changes in place as one change of the project (marked changed) and returns the
    // changes that take it back. A screen's text pool is packed again in the order the editor
    // stores it, an alarm group's as its dialog does.
    static std::vector<TextChange> apply(ProjectStore& store, const std::vector<TextChange>& changes);
};

} // namespace dispcraft
