#pragma once

#include "objects/EditorObject.h"

#include <cstdint>
#include <cstring>

namespace dispcraft {

// The store keeps positions in LCD dots on the whole panel picture, the editor in view pixels,
// two per dot. A stored y opens one pixel lower, which storing halves away again.
namespace stored {

template <typename Record> void openHead(const Record& r, EditorObject& o, int kind) {
    static_assert(sizeof(Record) <= EditorObject::kStoredRecordRoom);
    std::memcpy(o.storedRecord.data(), &r, sizeof r);
    o.storedRecordSize = static_cast<uint8_t>(sizeof r);
    o.kindWord = static_cast<uint32_t>(kind);
    o.x = 2 * r.x;
    o.y = 2 * r.y + 1;
}

inline uint16_t half(int32_t v) {
    return static_cast<uint16_t>(v / 2);
}

// What storing an object starts from: the record it was opened from, else zeros.
template <typename Record> Record origin(const EditorObject& o) {
    Record r{};
    if (o.storedRecordSize == sizeof r) {
        std::memcpy(&r, o.storedRecord.data(), sizeof r);
    }
    return r;
}

template <typename Record> void storeHead(const EditorObject& o, Record& r, int kind) {
    r.kind = static_cast<uint8_t>(kind);
    r.x = half(o.x);
    r.y = half(o.y);
}

} // namespace stored

} // namespace dispcraft
