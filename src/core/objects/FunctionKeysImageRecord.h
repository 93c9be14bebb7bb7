#pragma once

#include "base/ByteReader.h"
#include "base/ByteWriter.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace dispcraft {

// The screens the four function keys of a screen show (4 bytes; 0 = nothing). Keys 3 and 4
// already carry the neighbouring screens where the project left them 0.
struct FunctionKeysImageRecord {
    static constexpr size_t kSize = 4;
    std::array<uint8_t, 4> targets{};

    void write(ByteWriter& w) const { w.bytes(targets.data(), targets.size()); }
    static FunctionKeysImageRecord read(ByteReader& r) {
        FunctionKeysImageRecord f;
        r.bytes(f.targets.data(), f.targets.size());
        return f;
    }
};

} // namespace dispcraft
