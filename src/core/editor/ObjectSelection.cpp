#include "editor/ObjectSelection.h"

namespace dispcraft {

ObjectSelection ObjectSelection::of(const ScreenObjects& objects) {
    ObjectSelection s;
    forEachKind([&](auto k) {
        using K = decltype(k);
        const auto& list = objects.list<K>();
        for (size_t i = 0; i < list.size(); ++i) {
            s.m_bits[firstSlot<K>() + i] = list[i].occupies(K::kCode) && list[i].selected();
        }
    });
    return s;
}

void ObjectSelection::applyTo(ScreenObjects& objects) const {
    forEachKind([&](auto k) {
        using K = decltype(k);
        auto& list = objects.list<K>();
        for (size_t i = 0; i < list.size(); ++i) {
            if (list[i].occupies(K::kCode)) {
                list[i].select(m_bits[firstSlot<K>() + i]);
            }
        }
    });
}

} // namespace dispcraft
