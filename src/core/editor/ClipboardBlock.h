#pragma once

#include "editor/ScreenObjects.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <type_traits>
#include <vector>

namespace dispcraft {

class MessageSink;

// The block that carries screen objects through the clipboard under the format "quorl":
// 387,276 bytes, little-endian, the source project's path and then, kind by kind, an area of
// exchange records as long as the kind's capacity (the side pairs of NumDisp in an area of their
// own right after it), each filled from index 0 on. A record is valid for paste when its first
// field is the kind code + 128.
class ClipboardBlock {
public:
    static constexpr const char* kFormat = "quorl";
    static constexpr size_t kPathOffset = 0;
    static constexpr size_t kPathSize = 100;

    // Where a kind's area begins, and its side area.
    template <typename K> static constexpr size_t areaOf();
    template <HasSide K> static constexpr size_t sideAreaOf() {
        return areaOf<K>() + K::kCapacity * sizeof(typename K::Exchange);
    }
    static constexpr size_t kSize = 387276;

    static constexpr size_t kTextStringOffset = 100;
    static constexpr size_t kMsgDispOffset = 11236;
    static constexpr size_t kNumDispOffset = 167140;
    static constexpr size_t kSidePairOffset = 180964;
    static constexpr size_t kBarGraphOffset = 181732;
    static constexpr size_t kTrendGraphOffset = 183652;
    static constexpr size_t kLampOffset = 183756;
    static constexpr size_t kPictureOffset = 386508;

    // The selected objects of the lists, in slot order; the path is cut to 99 bytes.
    static std::vector<uint8_t> build(const ScreenObjects& objects, const std::string& projectPath,
                                      MessageSink& sink);
    // The project path at the start of a block (up to its NUL or 100 bytes).
    static std::string sourcePath(const uint8_t* block);
    // Puts the valid records of a block into the free slots of the lists, each moved by offset
    // pixels right and down; records without a free slot are dropped. A block of another size
    // pastes nothing. Returns the number of objects pasted.
    static int paste(ScreenObjects& objects, const uint8_t* block, size_t size, int offset);

private:
    template <typename K> static constexpr size_t areaSize() {
        size_t n = K::kCapacity * sizeof(typename K::Exchange);
        if constexpr (HasSide<K>) {
            n += K::kCapacity * sizeof(typename K::SideExchange);
        }
        return n;
    }
    template <typename... Kinds>
    static constexpr size_t offsetIn(KindList<Kinds...>*, size_t index) {
        size_t offset = kPathSize;
        const size_t sizes[] = {areaSize<Kinds>()...};
        for (size_t i = 0; i < index; ++i) {
            offset += sizes[i];
        }
        return offset;
    }
};

// The areas follow each other in kind order; areaOf<void> is the end of the last.
template <typename K> constexpr size_t ClipboardBlock::areaOf() {
    constexpr size_t index = std::is_void_v<K> ? ObjectKinds::kCount : kindIndex<K>;
    return offsetIn(static_cast<ObjectKinds*>(nullptr), index);
}

static_assert(ClipboardBlock::areaOf<void>() == ClipboardBlock::kSize);
static_assert(ClipboardBlock::areaOf<TextStringKind>() == ClipboardBlock::kTextStringOffset);
static_assert(ClipboardBlock::areaOf<MsgDispKind>() == ClipboardBlock::kMsgDispOffset);
static_assert(ClipboardBlock::areaOf<NumDispKind>() == ClipboardBlock::kNumDispOffset);
static_assert(ClipboardBlock::sideAreaOf<NumDispKind>() == ClipboardBlock::kSidePairOffset);
static_assert(ClipboardBlock::areaOf<BarGraphKind>() == ClipboardBlock::kBarGraphOffset);
static_assert(ClipboardBlock::areaOf<TrendGraphKind>() == ClipboardBlock::kTrendGraphOffset);
static_assert(ClipboardBlock::areaOf<LampKind>() == ClipboardBlock::kLampOffset);
static_assert(ClipboardBlock::areaOf<PictureKind>() == ClipboardBlock::kPictureOffset);

} // namespace dispcraft
