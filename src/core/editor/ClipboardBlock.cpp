#include "editor/ClipboardBlock.h"

#include <cstring>

namespace dispcraft {

namespace {

template <typename E> void put(std::vector<uint8_t>& block, size_t area, size_t index, const E& e) {
    std::memcpy(block.data() + area + index * sizeof(E), &e, sizeof(E));
}

template <typename E> E get(const uint8_t* block, size_t area, size_t index) {
    E e;
    std::memcpy(&e, block + area + index * sizeof(E), sizeof(E));
    return e;
}

// Copies the selected slots of one kind's list into its area, in slot order.
template <typename K>
void buildKind(std::vector<uint8_t>& block, const ScreenObjects& objects, MessageSink& sink) {
    const auto& list = objects.list<K>();
    size_t n = 0;
    for (size_t i = 0; i < list.size(); ++i) {
        if (!list[i].isSelectedAs(K::kCode)) {
            continue;
        }
        put(block, ClipboardBlock::areaOf<K>(), n, K::toExchange(list[i], sink));
        if constexpr (HasSide<K>) {
            put(block, ClipboardBlock::sideAreaOf<K>(), n, K::toExchange(objects.sides<K>()[i]));
        }
        ++n;
    }
}

// Walks the kind's slots; each free slot takes the next record of the area while that record is
// valid. The block is untrusted: every record is checked before use, and the first one that is
// not valid (normally the zero record after the last one) ends the kind.
template <typename K> int pasteKind(ScreenObjects& objects, const uint8_t* block, int offset) {
    auto& list = objects.list<K>();
    size_t next = 0;
    int pasted = 0;
    for (size_t slot = 0; slot < list.size() && next < static_cast<size_t>(K::kCapacity); ++slot) {
        if (list[slot].occupies(K::kCode)) {
            continue;
        }
        auto o =
            K::fromExchange(get<typename K::Exchange>(block, ClipboardBlock::areaOf<K>(), next));
        if (!o) {
            break;
        }
        o->x += offset;
        o->y += offset;
        list[slot] = std::move(*o);
        if constexpr (HasSide<K>) {
            objects.sides<K>()[slot] = K::fromExchange(
                get<typename K::SideExchange>(block, ClipboardBlock::sideAreaOf<K>(), next));
        }
        ++next;
        ++pasted;
    }
    return pasted;
}

} // namespace

std::vector<uint8_t> ClipboardBlock::build(const ScreenObjects& objects,
                                           const std::string& projectPath, MessageSink& sink) {
    std::vector<uint8_t> block(kSize, 0);
    std::memcpy(block.data(), projectPath.data(), std::min(projectPath.size(), kPathSize - 1));
    forEachKind([&](auto kind) { buildKind<decltype(kind)>(block, objects, sink); });
    return block;
}

std::string ClipboardBlock::sourcePath(const uint8_t* block) {
    const char* p = reinterpret_cast<const char*>(block + kPathOffset);
    return std::string(p, strnlen(p, kPathSize));
}

int ClipboardBlock::paste(ScreenObjects& objects, const uint8_t* block, size_t size, int offset) {
    if (block == nullptr || size != kSize) {
        return 0;
    }
    int n = 0;
    forEachKind([&](auto kind) { n += pasteKind<decltype(kind)>(objects, block, offset); });
    return n;
}

} // namespace dispcraft
