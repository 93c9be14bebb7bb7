#pragma once

#include "forms/FormOutcome.h"
#include "base/Message.h"

#include <string>
#include <string_view>

namespace dispcraft {

// The screen number and name dialog (template 168). A fixed screen keeps its name.
class ScreenNumberNameForm {
public:
    enum Control { kNumber = 1097, kSpin = 1011, kName = 1098 };
    static constexpr size_t kNameBytes = 10;

    struct Fields {
        long long number = 0;
        std::string name; // UTF-8
    };
    struct Values {
        int number = 0;
        std::string name; // GB2312, at most 10 bytes
    };

    // gbName: the screen's name as the directory holds it (GB2312).
    ScreenNumberNameForm(int number, std::string_view gbName, bool fixed = false);

    Fields& fields() { return m_fields; }
    const Fields& fields() const { return m_fields; }
    // 61496 formatted with the caller's number, or 61497 for a fixed screen.
    Message caption() const;
    bool nameEnabled() const { return !m_fixed; }
    static SpinRange range() { return {0, 199}; }

    // In order: the number's range, a name outside GB2312, a name longer than 10 bytes (61498).
    FormOutcome<Values> ok() const;

private:
    Fields m_fields;
    int m_callerNumber;
    bool m_fixed;
};

} // namespace dispcraft
