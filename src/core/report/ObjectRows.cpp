#include "report/ObjectRows.h"

#include "model/ProjectStore.h"

#include <algorithm>

namespace dispcraft {

std::vector<ObjectRow> ObjectRows::of(const ProjectStore& store, int screen) {
    std::vector<ObjectRow> rows;
    if (!store.screenExists(screen)) {
        return rows;
    }
    const ScreenEntry& e = store.entries[static_cast<size_t>(screen)];
    const ScreenBlock& b = store.screens[static_cast<size_t>(screen)];
    forEachKind([&](auto kind) {
        using K = decltype(kind);
        const int n = std::min<int>(e.count<K>(), K::kCapacity);
        for (int i = 0; i < n; ++i) {
            const typename K::Record& r = b.records<K>()[static_cast<size_t>(i)];
            ObjectRow row;
            row.kindCode = K::kCode;
            row.kind = K::kName;
            row.index = i + 1;
            // Positions as the build writes them: the LCD origin taken off.
            row.x = r.x - store.lcdX / 2;
            row.y = r.y - store.lcdY / 2;
            if constexpr (requires { K::reportCells(r, b.textPool); }) {
                row.cells = K::reportCells(r, b.textPool);
            } else if constexpr (HasSide<K>) {
                row.cells = K::reportCells(r, b.sides<K>()[static_cast<size_t>(i)]);
            } else {
                row.cells = K::reportCells(r);
            }
            if constexpr (requires { K::plcUse(r); }) {
                row.use = K::plcUse(r);
            }
            rows.push_back(std::move(row));
        }
    });
    return rows;
}

} // namespace dispcraft
