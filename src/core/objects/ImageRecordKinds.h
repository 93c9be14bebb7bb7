#pragma once

#include "objects/LiveDrawing.h"
#include "objects/ObjectKinds.h"

#include <cstddef>
#include <tuple>
#include <utility>
#include <vector>

namespace dispcraft {

// A list of object kinds of the image's screen record stream, in stream order. Code that goes
// over every kind does it through forEach, so each kind's reading, writing and drawing stays
// with the kind.
template <typename... Kinds>
struct ImageRecordKindList {
    static constexpr size_t kCount = sizeof...(Kinds);
    // One list of records per kind, and one list of live states per kind.
    using Records = std::tuple<std::vector<Kinds>...>;
    using States = std::tuple<std::vector<typename Kinds::State>...>;

    // Calls f.template operator()<Kind, index>() for each kind in order.
    template <typename F>
    static void forEach(F&& f) {
        forEachIndexed(f, std::index_sequence_for<Kinds...>{});
    }

private:
    template <typename F, size_t... I>
    static void forEachIndexed(F& f, std::index_sequence<I...>) {
        (f.template operator()<Kinds, I>(), ...);
    }
};

namespace detail {
template <typename... Kinds>
ImageRecordKindList<typename Kinds::ImageRecord...> imageRecordsOf(KindList<Kinds...>*);
} // namespace detail

// The image records of a screen's object kinds, in the order of the screen header's counts and
// the stream: that of ObjectKinds.
using ScreenObjectKinds = decltype(detail::imageRecordsOf(static_cast<ObjectKinds*>(nullptr)));

// A kind whose live state changes with time, not only when it is drawn.
template <typename K>
concept AdvancesWithTime = requires(const K& k, const LiveDrawing& d, typename K::State& s) {
    k.advance(d, s);
};

} // namespace dispcraft
