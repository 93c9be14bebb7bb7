#pragma once

#include <cstdint>
#include <cstring>

namespace dispcraft {

#pragma pack(push, 1)
// Stored NumDisp (kind 3), a numeric display of a PLC register or, in its short form, of a field
// of the panel's clock. Its side record lives in a parallel array of the screen block.
struct NumDispRecord {
    // Attribute bits besides the font (bits 0-1), the port (bit 2) and reverse video (bit 7).
    static constexpr uint8_t kSigned = 0x08; // coded signed
    static constexpr uint8_t kWide = 0x10;   // 32 bits, else 16
    static constexpr uint8_t kEntry = 0x20;  // the operator may enter the value at the panel
    static constexpr uint8_t kBcd = 0x40;    // coded in decimal digits; set on every clock field
    // Bits of the option byte.
    static constexpr uint8_t kScaled = 0x01; // a scale factor applies; set on every clock field
    static constexpr uint8_t kPanelOptionB = 0x02; // the first choice of the panel's option B
    static constexpr uint8_t kNoPanelOptionC = 0x04;
    static constexpr uint8_t kAlarmRange = 0x08;
    static constexpr uint8_t kPanelOptionA = 0x80;

    uint8_t kind;
    uint8_t reserved1;
    uint16_t x;
    uint16_t y;
    uint8_t attr;
    uint8_t options;
    uint16_t address; // of the register (low 16 bits); the short form keeps its clock field here
    uint8_t reserved10[2];
    int32_t maximum; // of the entry range
    int32_t minimum;
    uint32_t scaleBits;     // bits of a single-precision scale factor
    uint32_t previewOffset; // into the global text pool; written, never read back
    uint8_t previewLength;
    uint8_t reserved29[7];
    uint8_t digits;
    uint8_t decimals;
    uint8_t areaAndBit; // high nibble device type, low nibble bit number
    uint8_t reserved39;

    // The clock display shares the scale option's bit; it is told apart by everything its
    // placement and edits leave behind: the BCD bit, no decimals and no scale factor.
    static bool isClockField(uint8_t options, uint8_t attr, int decimals, uint32_t scaleBits) {
        return (options & kScaled) != 0 && (attr & kBcd) != 0 && decimals == 0 && scaleBits == 0;
    }
    bool clockField() const { return isClockField(options, attr, decimals, scaleBits); }

    float scale() const {
        float f;
        std::memcpy(&f, &scaleBits, sizeof f);
        return f;
    }
    void setScale(float f) { std::memcpy(&scaleBits, &f, sizeof f); }
};
#pragma pack(pop)
static_assert(sizeof(NumDispRecord) == 40);

} // namespace dispcraft
