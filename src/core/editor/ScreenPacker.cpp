#include "editor/ScreenPacker.h"

#include "model/ProjectStore.h"
#include "objects/StoreContext.h"

namespace dispcraft {

void ScreenPacker::pack(const ScreenObjects& objects, std::array<KeyRecord, kPanelKeys>& keys,
                        const FunctionKeyTargets& fnKeys, ProjectStore& target, int screen) {
    ScreenBlock& b = target.screens[static_cast<size_t>(screen)];
    ScreenEntry& e = target.entries[static_cast<size_t>(screen)];
    b.textPool.clear();

    StoreContext context{b.textPool, target.globalPool, target.pictures};
    forEachKind([&](auto kind) {
        using K = decltype(kind);
        const auto& list = objects.list<K>();
        size_t n = 0;
        for (; n < list.size() && isBareKind<K>(list[n]); ++n) {
            b.records<K>()[n] = K::store(list[n], context);
            if constexpr (HasSide<K>) {
                b.sides<K>()[n] = K::storeSide(objects.sides<K>()[n]);
            }
        }
        e.count<K>() = static_cast<uint8_t>(n);
    });
    e.setPoolLength(b.textPool.size());

    panelkeys::applyGlobalKeyCopy(target.globalKeys, keys);
    b.keys = keys;
    b.fnKeys = fnKeys;
}

} // namespace dispcraft
