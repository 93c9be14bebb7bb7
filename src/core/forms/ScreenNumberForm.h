#pragma once

#include "forms/FormOutcome.h"
#include "base/Message.h"

namespace dispcraft {

// The screen number dialog (template 188): one screen number 0-199.
class ScreenNumberForm {
public:
    enum Control { kEdit = 1110, kSpin = 1011 };
    static constexpr int kScreenNumberCaption = 61532; // "Screen number"

    struct Fields {
        long long number = 0;
    };
    struct Values {
        int number = 0;
    };

    // caption: message 61532 unless the caller names another string.
    explicit ScreenNumberForm(long long number = 0, int captionString = kScreenNumberCaption);

    Fields& fields() { return m_fields; }
    const Fields& fields() const { return m_fields; }
    Message caption() const { return Message::string(m_caption); }
    static SpinRange range() { return {0, 199}; }

    // A number outside 0-199: the edit's range message.
    FormOutcome<Values> ok() const;

private:
    Fields m_fields;
    int m_caption;
};

} // namespace dispcraft
