#pragma once

#include "objects/EditorObject.h"
#include "objects/NumDispRecord.h"

#include <cstdint>
#include <string>

namespace dispcraft {

// Working NumDisp. The stored record's names and bits apply (NumDispRecord).
struct NumDispObject : EditorObject {
    uint8_t attr = 0;
    uint8_t options = 0;
    int32_t address = 0; // the short form: its clock field 0..6
    int32_t digits = 0;
    int32_t decimals = 0;
    int32_t maximum = 0;
    int32_t minimum = 0;
    std::string preview;    // drawn and sized in place of the value
    uint32_t scaleBits = 0; // bits of the single-precision scale factor
    uint8_t areaAndBit = 0;

    // The option byte's scale bit is also a normal display's scale option, so the clock form is
    // recognised by everything its placement and edits leave behind: the BCD bit, no decimals
    // and no scale factor. A scaled display then keeps its own dialog instead of being wiped by
    // the clock dialog.
    bool shortForm() const { return NumDispRecord::isClockField(options, attr, decimals, scaleBits); }

    bool operator==(const NumDispObject&) const = default;
};

// The two values that travel beside NumDisp i.
struct SidePair {
    int32_t high = 0;
    int32_t low = 0;
    bool operator==(const SidePair&) const = default;
};

} // namespace dispcraft
