#pragma once

#include "forms/FormOutcome.h"
#include "forms/ObjectFormMessages.h"

#include <cstdint>

namespace dispcraft {

// The value range of a bar or trend graph: the coding of its register and the values mapped onto
// the graph's ends, opened, changed and checked alike by both graph forms.
struct GraphValueRange {
    long long maximum = 0;
    long long minimum = 0;
    int coding = 0; // 0 unsigned, 1 BCD, 2 signed (graphcoding)

    // From a record: the coding in the attribute byte; stored values are 16-bit and read back
    // sign-extended, so an unsigned one above 32767 is taken back up.
    void open(uint8_t attr, long long storedMaximum, long long storedMinimum);
    objectform::Range range() const;
    // Another coding: the range becomes all of it.
    void setCoding(int coding);
    // At OK: the minimum below the maximum (61606) and both inside the coding's range; the
    // focus goes to the offending control.
    FormOutcome<int> check(int maximumControl, int minimumControl) const;
};

} // namespace dispcraft
