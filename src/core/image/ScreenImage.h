#pragma once

#include "base/ByteReader.h"
#include "base/ByteWriter.h"
#include "objects/FunctionKeysImageRecord.h"
#include "objects/ImageRecordKinds.h"
#include "objects/KeyImageRecord.h"
#include "objects/OldKeyImageRecord.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace dispcraft {

// One screen's record stream of the download image, decoded: the objects of each kind in
// stream order, the function keys, the six short key records and, except on one-port models,
// the 25 panel key records. The numeric displays' side records are kept with them.
struct ScreenImage {
    static constexpr size_t kHeaderSize = 10;

    int number = 0;
    ScreenObjectKinds::Records objects;
    FunctionKeysImageRecord functionKeys;
    std::array<OldKeyImageRecord, OldKeyImageRecord::kCount> oldKeys{};
    bool hasKeys = false;
    std::array<KeyImageRecord, KeyImageRecord::kCount> keys{};

    template <typename K>
    const std::vector<K>& records() const {
        return std::get<std::vector<K>>(objects);
    }
    template <typename K>
    std::vector<K>& records() {
        return std::get<std::vector<K>>(objects);
    }

    // The stream as the build writes it.
    void write(ByteWriter& w) const;
    // Reads a stream; withKeys says whether the 25 key records are there. The reader's flag
    // tells a stream cut short; counts above a kind's capacity are refused (false).
    static bool read(ByteReader& r, bool withKeys, ScreenImage& out);
};

} // namespace dispcraft
