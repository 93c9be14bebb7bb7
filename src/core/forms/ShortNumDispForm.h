#pragma once

#include "forms/FormOutcome.h"
#include "forms/ObjectFormMessages.h"

#include <cstdint>
#include <vector>

namespace dispcraft {

// The short numeric display dialog (template 196): one two-digit field of the panel's own clock
// and calendar, its display options and its font.
class ShortNumDispForm {
public:
    enum Control {
        kFirstField = 1146, // option buttons 1146..1152, fields 0..6
        kReverseGroup = 1153,
        kEntryGroup = 1154,
        kFontList = 1155,
        kPanelOptionA = 1156,
        kPanelOptionB = 1177,
        kPanelOptionBSecond = 1178,
        kPanelOptionC = 1179,
    };
    static constexpr int kFields = 7;
    static constexpr int kDayOfWeek = 5;

    // What the caller hands over; -1 = not set.
    struct Preset {
        int fieldChoice = -1;
        int entryOption = -1;
        int reverseOption = -1;
        int fontChoice = -1;
        int panelOptionB = -1;
        uint8_t flags2 = 1;
    };
    struct Fields {
        int fieldChoice = 0;  // 0..6: seconds, minutes, hours, day of month, month, weekday, year
        int entryOption = 0;  // 1 enables the entry settings
        int reverseOption = 0;
        bool panelOptionA = false; // flag byte 2 bit 7
        bool panelOptionC = false; // flag byte 2 bit 2 cleared when ticked
        int panelOptionB = 0;       // second button (1) clears flag byte 2 bit 1
        int fontChoice = 0;
    };
    struct Values {
        int fieldChoice = 0;
        int entryOption = 0;
        int reverseOption = 0;
        int font = 0;
        int maximum = 0;
        int minimum = 0;
        int digits = 2;
        uint8_t flags2 = 1;
    };

    ShortNumDispForm() : ShortNumDispForm(Preset{}) {}
    explicit ShortNumDispForm(const Preset& preset);

    Fields& fields() { return m_fields; }
    const Fields& fields() const { return m_fields; }
    std::vector<Message> fieldNames() const;
    std::vector<Message> fontList() const;
    // The enabling rules follow the fields at every call (the entry options and field buttons).
    bool enabled(int control) const;

    FormOutcome<Values> ok() const;

    // The value range of a field: maximum and minimum.
    static objectform::Range fieldRange(int fieldChoice);

private:
    Fields m_fields;
};

} // namespace dispcraft
