#include "editor/ScreenObjects.h"

namespace dispcraft {

int ScreenObjects::capacityOf(int kind) {
    int capacity = 0;
    withKind(kind, [&](auto k) { capacity = decltype(k)::kCapacity; });
    return capacity;
}

const EditorObject& ScreenObjects::head(int kind, int i) const {
    const EditorObject* h = nullptr;
    if (!withKind(kind, [&](auto k) { h = &list<decltype(k)>().at(static_cast<size_t>(i)); })) {
        h = &pictures.at(static_cast<size_t>(i));
    }
    return *h;
}

EditorObject& ScreenObjects::head(int kind, int i) {
    return const_cast<EditorObject&>(static_cast<const ScreenObjects*>(this)->head(kind, i));
}

int ScreenObjects::count(int kind) const {
    int n = 0;
    withKind(kind, [&](auto k) {
        using K = decltype(k);
        for (const auto& o : list<K>()) {
            n += o.occupies(K::kCode) ? 1 : 0;
        }
    });
    return n;
}

int ScreenObjects::firstFree(int kind) const {
    int free = -1;
    withKind(kind, [&](auto k) {
        using K = decltype(k);
        const auto& l = list<K>();
        for (size_t i = 0; i < l.size(); ++i) {
            if (!l[i].occupies(K::kCode)) {
                free = static_cast<int>(i);
                return;
            }
        }
    });
    return free;
}

bool ScreenObjects::anySelected() const {
    bool any = false;
    forEachKind([&](auto k) {
        using K = decltype(k);
        for (const auto& o : list<K>()) {
            any = any || o.isSelectedAs(K::kCode);
        }
    });
    return any;
}

void ScreenObjects::deselectAll() {
    forEachKind([&](auto k) {
        using K = decltype(k);
        for (auto& o : list<K>()) {
            if (o.occupies(K::kCode)) {
                o.select(false);
            }
        }
    });
}

void ScreenObjects::clear() {
    forEachKind([&](auto k) { list<decltype(k)>().fill({}); });
    numDispSides.fill({});
}

void ScreenObjects::removeAt(int kind, int i) {
    withKind(kind, [&](auto k) { removeAt<decltype(k)>(i); });
}

} // namespace dispcraft
