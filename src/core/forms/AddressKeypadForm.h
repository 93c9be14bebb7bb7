#pragma once

#include "forms/FormOutcome.h"

#include <optional>
#include <string>

namespace dispcraft {

// The on-screen keypad through which a PLC address is typed (dialog template with edit 1135).
// The caller presets the current address, the area's limit and format texts; the first key
// replaces the preset text, later keys append until the text is as long as the limit. OK
// accepts only an address the area allows; an invalid one keeps the keypad open silently.
class AddressKeypadForm {
public:
    static constexpr int kEdit = 1135;
    static constexpr int kClearButton = 1018;
    static constexpr int kDeleteButton = 1019;

    struct Fields {
        std::string text; // the edit's text as typed
        std::string limit;
        std::string format;
        bool firstKeyDone = false; // set by the first key, which replaces the preset text
    };

    AddressKeypadForm(std::string text, std::string limit, std::string format);

    Fields& fields() { return m_fields; }
    const Fields& fields() const { return m_fields; }

    // On opening the edit has the focus with all its text selected.
    static constexpr int initialFocus() { return kEdit; }
    static constexpr bool selectAllOnOpen() { return true; }

    // The key character of a keypad button ('0'-'9', 'A'-'F'), or nothing for other ids.
    static std::optional<char> keyOfButton(int id);

    // A key press: the GUI then focuses the edit, shows the text and puts the caret at its end.
    void key(char c);
    // A keypad button by its id: keys, clear and delete.
    void button(int id);
    void clear();
    void deleteLast();

    // The address left-padded with '0' to 4 characters, or a silent failure focusing the edit.
    FormOutcome<std::string> ok() const;

private:
    Fields m_fields;
};

} // namespace dispcraft
