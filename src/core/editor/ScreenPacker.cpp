#include "editor/ScreenPacker.h"

#include "editor/ScreenContents.h"
#include "model/ProjectStore.h"
#include "objects/StoreContext.h"

#include <memory>

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

int ScreenPacker::packCopy(const ScreenContents& session, ProjectStore& copy) {
    if (!session.modified()) {
        return 0;
    }
    int screen = session.screenNo();
    if (screen < capacity::kFirstScreen || screen > capacity::kLastScreen) {
        screen = 0;
        for (int n = capacity::kFirstScreen; n <= capacity::kLastScreen && screen == 0; ++n) {
            screen = copy.screenExists(n) ? 0 : n;
        }
        if (screen == 0) {
            return 0; // every number taken: nowhere to keep it
        }
        copy.entries[static_cast<size_t>(screen)].number = static_cast<uint8_t>(screen);
    }
    auto objects = std::make_unique<ScreenObjects>(session.objects());
    objects->deselectAll();
    std::array<KeyRecord, kPanelKeys> keys = session.keys();
    pack(*objects, keys, session.fnKeyFlags(), copy, screen);
    copy.screenOpen[static_cast<size_t>(screen)] = 1;
    return screen;
}

} // namespace dispcraft
