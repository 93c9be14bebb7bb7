#pragma once

#include "base/ByteReader.h"
#include "base/ByteWriter.h"
#include "objects/KeyFunction.h"

#include <cstddef>
#include <cstdint>

namespace dispcraft {

// One of the 25 panel key records of a screen (9 bytes), written for models that are not
// one-port models.
struct KeyImageRecord {
    static constexpr size_t kSize = 9;
    static constexpr int kCount = 25;

    uint8_t kind = 0;
    uint8_t flags = 0;
    uint16_t address = 0;
    uint8_t areaBit = 0;
    uint32_t operand = 0; // a bit or word action's value, else the screen

    KeyFunction function() const { return {flags, address, areaBit, operand, true}; }

    void write(ByteWriter& w) const {
        w.u8(kind);
        w.u8(flags);
        w.u16(address);
        w.u8(areaBit);
        w.u32(operand);
    }
    static KeyImageRecord read(ByteReader& r) {
        KeyImageRecord k;
        k.kind = r.u8();
        k.flags = r.u8();
        k.address = r.u16();
        k.areaBit = r.u8();
        k.operand = r.u32();
        return k;
    }
};

} // namespace dispcraft
