#pragma once

#include "base/ByteReader.h"
#include "base/ByteWriter.h"
#include "objects/KeyFunction.h"

#include <cstddef>
#include <cstdint>

namespace dispcraft {

// One of the six short key records of a screen (6 bytes), the keys of one-port models. They
// hold a screen but no value, so a word action of theirs has nothing to write.
struct OldKeyImageRecord {
    static constexpr size_t kSize = 6;
    static constexpr int kCount = 6;

    uint8_t kind = 0;
    uint8_t flags = 0;
    uint16_t address = 0;
    uint8_t areaBit = 0;
    uint8_t screen = 0;

    KeyFunction function() const { return {flags, address, areaBit, screen, false}; }

    void write(ByteWriter& w) const {
        w.u8(kind);
        w.u8(flags);
        w.u16(address);
        w.u8(areaBit);
        w.u8(screen);
    }
    static OldKeyImageRecord read(ByteReader& r) {
        OldKeyImageRecord k;
        k.kind = r.u8();
        k.flags = r.u8();
        k.address = r.u16();
        k.areaBit = r.u8();
        k.screen = r.u8();
        return k;
    }
};

} // namespace dispcraft
