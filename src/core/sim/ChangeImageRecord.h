#pragma once

#include "base/ByteReader.h"
#include "base/ByteWriter.h"

#include <cstddef>
#include <cstdint>

namespace dispcraft {

// A change record of the download image (8 bytes): a block of words copied between the PLC on
// COM1 and the PLC on COM2.
struct ChangeImageRecord {
    static constexpr size_t kSize = 8;
    static constexpr uint8_t kFromCom2 = 0x80; // the copy goes COM2 -> COM1

    uint8_t options = 0;
    uint8_t count = 0;       // words
    uint8_t com1BitArea = 0; // bit number x 16 + word area of the COM1 block
    uint8_t com2BitArea = 0;
    uint16_t com1Address = 0;
    uint16_t com2Address = 0;

    bool fromCom2() const { return (options & kFromCom2) != 0; }
    int com1Area() const { return com1BitArea & 0x0F; }
    int com2Area() const { return com2BitArea & 0x0F; }

    void write(ByteWriter& w) const {
        w.u8(options);
        w.u8(count);
        w.u8(com1BitArea);
        w.u8(com2BitArea);
        w.u16(com1Address);
        w.u16(com2Address);
    }
    static ChangeImageRecord read(ByteReader& r) {
        ChangeImageRecord c;
        c.options = r.u8();
        c.count = r.u8();
        c.com1BitArea = r.u8();
        c.com2BitArea = r.u8();
        c.com1Address = r.u16();
        c.com2Address = r.u16();
        return c;
    }
};

} // namespace dispcraft
