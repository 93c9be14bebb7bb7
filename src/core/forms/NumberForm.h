#pragma once

#include "forms/FormOutcome.h"

namespace dispcraft {

// The number dialog (template 198): one unsigned number 0-65535.
class NumberForm {
public:
    enum Control { kEdit = 1162, kSpin = 1166 };

    struct Fields {
        long long value = 0;
    };
    struct Values {
        int value = 0;
    };

    explicit NumberForm(long long value = 0) { m_fields.value = value; }

    Fields& fields() { return m_fields; }
    const Fields& fields() const { return m_fields; }
    static SpinRange range() { return {0, 65535}; }

    // A value outside 0-65535 would not fit where the callers keep it: the range message.
    FormOutcome<Values> ok() const;

private:
    Fields m_fields;
};

} // namespace dispcraft
