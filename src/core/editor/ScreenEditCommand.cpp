#include "editor/ScreenEditCommand.h"

#include "editor/ScreenContents.h"
#include "editor/UndoTarget.h"

#include <string>

namespace dispcraft {

namespace {

// The heap memory of an object's texts and dots, roughly.
template <typename T> size_t heapBytes(const T& o) {
    size_t n = 0;
    if constexpr (requires { o.text.capacity(); }) {
        n += o.text.capacity();
    }
    if constexpr (requires { o.texts[0].capacity(); }) {
        for (const std::string& t : o.texts) {
            n += t.capacity();
        }
    }
    if constexpr (requires { o.preview.capacity(); }) {
        n += o.preview.capacity();
    }
    if constexpr (requires { o.name.capacity(); }) {
        n += o.name.capacity();
    }
    if constexpr (requires { o.dots.capacity(); }) {
        n += o.dots.capacity();
    }
    return n;
}

} // namespace

ScreenEditCommand::ScreenEditCommand(int screenKey, Message name, ObjectSelection before,
                                     ObjectSelection after)
    : m_key(screenKey), m_name(std::move(name)), m_before(before), m_after(after) {}

bool ScreenEditCommand::undo(UndoTarget& target) {
    return apply(target, false);
}

bool ScreenEditCommand::redo(UndoTarget& target) {
    return apply(target, true);
}

bool ScreenEditCommand::apply(UndoTarget& target, bool after) {
    ScreenContents* screen = target.screenWindow(m_key);
    if (screen == nullptr) {
        return false;
    }
    ScreenObjects& objects = screen->objects();
    forEachKind([&](auto k) {
        using K = decltype(k);
        auto& list = objects.list<K>();
        for (const SlotChange<K>& c : std::get<kindIndex<K>>(m_slots)) {
            const size_t slot = static_cast<size_t>(c.slot);
            list.at(slot) = after ? c.after : c.before;
            if constexpr (HasSide<K>) {
                objects.sides<K>().at(slot) = after ? c.sideAfter : c.sideBefore;
            }
        }
    });
    for (const KeyChange& c : m_keys) {
        screen->keys().at(static_cast<size_t>(c.index)) = after ? c.after : c.before;
    }
    if (m_fnKeys) {
        screen->fnKeyFlags() = after ? m_fnKeys->second : m_fnKeys->first;
    }
    closeGaps(objects);
    (after ? m_after : m_before).applyTo(objects);
    screen->setModified();
    screen->invalidateAll(true);
    return true;
}

void ScreenEditCommand::closeGaps(ScreenObjects& objects) {
    forEachKind([&](auto k) {
        using K = decltype(k);
        auto& list = objects.list<K>();
        size_t used = 0;
        for (size_t i = 0; i < list.size(); ++i) {
            if (!list[i].occupies(K::kCode)) {
                continue;
            }
            if (i != used) {
                list[used] = std::move(list[i]);
                list[i] = {};
                if constexpr (HasSide<K>) {
                    objects.sides<K>()[used] = objects.sides<K>()[i];
                    objects.sides<K>()[i] = {};
                }
            }
            ++used;
        }
    });
}

size_t ScreenEditCommand::bytes() const {
    size_t n = sizeof(*this) + m_keys.capacity() * sizeof(KeyChange);
    forEachKind([&](auto k) {
        using K = decltype(k);
        const auto& changes = std::get<kindIndex<K>>(m_slots);
        n += changes.capacity() * sizeof(SlotChange<K>);
        for (const SlotChange<K>& c : changes) {
            n += heapBytes(c.before) + heapBytes(c.after);
        }
    });
    return n;
}

} // namespace dispcraft
