#pragma once

#include "objects/ObjectKinds.h"

#include <array>
#include <tuple>

namespace dispcraft {

// The working lists of one screen window, each contiguous from slot 0. Coordinates are view
// pixels, texts GB2312 byte strings that may grow; the stored and exchange forms are made from
// these on demand.
struct ScreenObjects {
    ObjectList<TextStringKind> textStrings;
    ObjectList<MsgDispKind> msgDisps;
    ObjectList<NumDispKind> numDisps;
    SideList<NumDispKind> numDispSides{};
    ObjectList<BarGraphKind> barGraphs;
    ObjectList<TrendGraphKind> trendGraphs;
    ObjectList<LampKind> lamps;
    ObjectList<PictureKind> pictures;

    template <typename K> ObjectList<K>& list() {
        return std::get<kindIndex<K>>(
            std::tie(textStrings, msgDisps, numDisps, barGraphs, trendGraphs, lamps, pictures));
    }
    template <typename K> const ObjectList<K>& list() const {
        return const_cast<ScreenObjects*>(this)->list<K>();
    }
    template <HasSide K> SideList<K>& sides() { return numDispSides; }
    template <HasSide K> const SideList<K>& sides() const { return numDispSides; }

    // The kind codes in the order of every scan.
    static constexpr auto kKinds = ObjectKinds::kCodes;
    // Capacity of a kind (1..7), 0 for any other code.
    static int capacityOf(int kind);
    // The head of slot i of a kind's list (kind 1..7, i below its capacity).
    EditorObject& head(int kind, int i);
    const EditorObject& head(int kind, int i) const;
    bool occupied(int kind, int i) const { return head(kind, i).occupies(kind); }
    int count(int kind) const;     // occupied slots
    int firstFree(int kind) const; // -1 when the list is full
    bool anySelected() const;
    void deselectAll();
    void clear();
    // Frees slot i and closes the gap; side pairs move along.
    void removeAt(int kind, int i);
    template <typename K> void removeAt(int i);
};

template <typename K> void ScreenObjects::removeAt(int i) {
    auto closeGap = [](auto& list, size_t at) {
        for (size_t k = at; k + 1 < list.size(); ++k) {
            list[k] = std::move(list[k + 1]);
        }
        list.back() = {};
    };
    closeGap(list<K>(), static_cast<size_t>(i));
    if constexpr (HasSide<K>) {
        closeGap(sides<K>(), static_cast<size_t>(i));
    }
}

} // namespace dispcraft
