#pragma once

#include "editor/ScreenObjects.h"

#include <bitset>
#include <cstddef>
#include <type_traits>

namespace dispcraft {

namespace detail {
template <typename... Kinds> constexpr size_t slotCount(KindList<Kinds...>*) {
    return (size_t(Kinds::kCapacity) + ...);
}
template <typename K, typename... Kinds> constexpr size_t slotsBefore(KindList<Kinds...>*) {
    size_t n = 0;
    bool found = false;
    ((found = found || std::is_same_v<K, Kinds>, n += found ? 0 : size_t(Kinds::kCapacity)), ...);
    return n;
}
} // namespace detail

// Which objects of a screen are selected: one bit for every slot of every list, so that a step
// of the history can give back the selection it found without copying the objects.
class ObjectSelection {
public:
    static ObjectSelection of(const ScreenObjects& objects);
    // Selects exactly these objects (slots not in use stay free).
    void applyTo(ScreenObjects& objects) const;
    size_t count() const { return m_bits.count(); }
    bool operator==(const ObjectSelection&) const = default;

    // Every slot of every list, and where a kind's slots begin.
    static constexpr size_t kSlots = detail::slotCount(static_cast<ObjectKinds*>(nullptr));
    template <typename K> static constexpr size_t firstSlot() {
        return detail::slotsBefore<K>(static_cast<ObjectKinds*>(nullptr));
    }

private:
    std::bitset<kSlots> m_bits;
};

} // namespace dispcraft
