#pragma once

#include "objects/BarGraphKind.h"
#include "objects/EditorObject.h"
#include "objects/LampKind.h"
#include "objects/MsgDispKind.h"
#include "objects/NumDispKind.h"
#include "objects/PictureKind.h"
#include "objects/TextStringKind.h"
#include "objects/TrendGraphKind.h"

#include <array>
#include <concepts>
#include <cstddef>
#include <optional>
#include <utility>

namespace dispcraft {

class MessageSink;
class ObjectCanvas;
struct OpenContext;
struct StoreContext;

// What every object kind provides. Everything that is true of one kind lives with it; the code
// that handles objects of any kind iterates over ObjectKinds below instead of naming them, so a
// field added to a kind touches only that kind's files. A kind may add members that some kinds
// need: settleForPaint or keepsOnPaint (paint-time rules), textsInside (references into the
// screen's text pool), a side record (SideRecord, Side, SideExchange with their conversions),
// imageOrder (the order of its records in the download image when it is not the stored one).
template <typename K>
concept ObjectKindTraits = requires(const typename K::Record& record, typename K::Object& object,
                                    const typename K::Exchange& exchange, OpenContext& open,
                                    StoreContext& store, MessageSink& sink,
                                    const PictureTable& pictures, ObjectCanvas& canvas,
                                    const typename K::Template& templ) {
    requires std::derived_from<typename K::Object, EditorObject>;
    typename K::ImageRecord; // its record in the download image, made by K::toImage
    { K::kCode } -> std::convertible_to<int>;
    { K::kCapacity } -> std::convertible_to<int>;
    { K::kName } -> std::convertible_to<const char*>;
    { K::kKindByteOnly } -> std::convertible_to<bool>; // only the kind word's low byte counts
    { K::kResizable } -> std::convertible_to<bool>;    // has handles to drag its size
    { K::kSummaryString } -> std::convertible_to<int>; // its line of the screen summary
    { K::kFullString } -> std::convertible_to<int>;    // placement into a full list
    // Stored record into a working one: false stops the opening of the screen.
    { K::open(record, object, open) } -> std::same_as<bool>;
    { K::store(object, store) } -> std::same_as<typename K::Record>;
    { K::toExchange(object, sink) } -> std::same_as<typename K::Exchange>;
    // An exchange record is untrusted: nothing unless it is one the editor can hold.
    { K::fromExchange(exchange) } -> std::same_as<std::optional<typename K::Object>>;
    // The object a placement puts down, from what the kind's dialog left.
    { K::place(templ) } -> std::same_as<typename K::Object>;
    { K::rect(object, pictures) } -> std::same_as<Rect>;
    K::draw(object, canvas);
};

template <typename... Kinds> struct KindList {
    static constexpr size_t kCount = sizeof...(Kinds);
    static constexpr std::array<int, kCount> kCodes{Kinds::kCode...};

    template <typename F> static void forEach(F&& f) { (f(Kinds{}), ...); }
    template <typename K> static constexpr size_t indexOf() {
        constexpr bool match[] = {std::same_as<K, Kinds>...};
        for (size_t i = 0; i < kCount; ++i) {
            if (match[i]) {
                return i;
            }
        }
        return kCount;
    }
};

// The object kinds of a screen, in the order of every list, file and stream.
using ObjectKinds = KindList<TextStringKind, MsgDispKind, NumDispKind, BarGraphKind, TrendGraphKind,
                             LampKind, PictureKind>;

template <typename F> void forEachKind(F&& f) {
    ObjectKinds::forEach(std::forward<F>(f));
}

// Calls f with the kind whose code this is; false when no kind has it.
template <typename F> bool withKind(int code, F&& f) {
    bool found = false;
    forEachKind([&](auto kind) {
        if (!found && decltype(kind)::kCode == code) {
            found = true;
            f(kind);
        }
    });
    return found;
}

template <typename K> constexpr size_t kindIndex = ObjectKinds::indexOf<K>();

// The per-screen arrays of a kind.
template <typename K> using RecordArray = std::array<typename K::Record, K::kCapacity>;
template <typename K> using ObjectList = std::array<typename K::Object, K::kCapacity>;

template <typename K>
concept HasSide = requires {
    typename K::Side;
};
template <typename K> using SideRecordArray = std::array<typename K::SideRecord, K::kCapacity>;
template <typename K> using SideList = std::array<typename K::Side, K::kCapacity>;

// An object that is exactly its bare kind: in use and not selected. Storing a list ends at the
// first slot that is not.
template <typename K> bool isBareKind(const EditorObject& o) {
    const uint32_t word = K::kKindByteOnly ? (o.kindWord & 0xFF) : o.kindWord;
    return word == static_cast<uint32_t>(K::kCode);
}

namespace detail {
template <typename... Kinds> constexpr bool allTraits(KindList<Kinds...>*) {
    return (ObjectKindTraits<Kinds> && ...);
}
} // namespace detail
static_assert(detail::allTraits(static_cast<ObjectKinds*>(nullptr)));

} // namespace dispcraft
