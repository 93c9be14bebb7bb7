#include "editor/ScreenCheckpoint.h"

#include "editor/MoveObjectsCommand.h"
#include "editor/ScreenContents.h"
#include "editor/ScreenEditCommand.h"
#include "editor/UndoMessages.h"

#include <cstring>
#include <string>

namespace dispcraft {

namespace {

// Equal but for the selection bit.
template <typename O> bool sameObject(const O& a, const O& b) {
    if ((a.kindWord & ~kSelectedBit) != (b.kindWord & ~kSelectedBit)) {
        return false;
    }
    O c = a;
    c.kindWord = b.kindWord;
    return c == b;
}

// Equal but for the selection bit and the position.
template <typename O> bool samePlaceAside(const O& a, const O& b) {
    O c = a;
    c.x = b.x;
    c.y = b.y;
    return sameObject(c, b);
}

bool sameKey(const KeyRecord& a, const KeyRecord& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

} // namespace

ScreenCheckpoint::ScreenCheckpoint(const ScreenContents& screen)
    : m_key(screen.historyKey()), m_objects(screen.objects()), m_keys(screen.keys()),
      m_fnKeys(screen.fnKeyFlags()), m_selection(ObjectSelection::of(screen.objects())),
      m_modified(screen.modified()) {}

Message ScreenCheckpoint::moveName(int objects) {
    return objects == 1 ? Message::string(undomsg::kMoveOne)
                        : Message::string(undomsg::kMoveMany, {std::to_string(objects)});
}

std::unique_ptr<UndoCommand> ScreenCheckpoint::stepTo(ScreenContents& screen, const Naming& naming,
                                                      int mergeId) const {
    const ScreenObjects& now = screen.objects();
    Difference d;
    std::vector<MoveObjectsCommand::Move> moves;
    // Slots that changed, by kind, before deciding which step they make.
    std::array<std::vector<int>, ObjectKinds::kCount> changed;
    forEachKind([&](auto k) {
        using K = decltype(k);
        const auto& before = m_objects.list<K>();
        const auto& after = now.list<K>();
        for (size_t i = 0; i < before.size(); ++i) {
            const bool was = before[i].occupies(K::kCode);
            const bool is = after[i].occupies(K::kCode);
            if (!was && !is) {
                continue;
            }
            bool sidesSame = true;
            if constexpr (HasSide<K>) {
                sidesSame = m_objects.sides<K>()[i] == now.sides<K>()[i];
            }
            if (was && is && sidesSame && sameObject(before[i], after[i])) {
                continue;
            }
            changed[kindIndex<K>].push_back(static_cast<int>(i));
            if (was && is && sidesSame && samePlaceAside(before[i], after[i])) {
                ++d.moved;
                moves.push_back({static_cast<uint8_t>(K::kCode),
                                 static_cast<uint8_t>(i),
                                 {before[i].x, before[i].y},
                                 {after[i].x, after[i].y}});
            } else {
                ++d.edited;
            }
        }
    });
    std::vector<ScreenEditCommand::KeyChange> keys;
    for (size_t a = 0; a < m_keys.size(); ++a) {
        if (!sameKey(m_keys[a], screen.keys()[a])) {
            keys.push_back({static_cast<int>(a), m_keys[a], screen.keys()[a]});
        }
    }
    const bool fnKeysChanged = m_fnKeys != screen.fnKeyFlags();
    d.keys = !keys.empty() || fnKeysChanged;

    if (d.empty()) {
        if (!m_modified) {
            screen.clearModified();
        }
        return nullptr;
    }
    const ObjectSelection selection = ObjectSelection::of(now);
    if (d.movesOnly()) {
        return std::make_unique<MoveObjectsCommand>(m_key, naming(d), std::move(moves), m_selection,
                                                    selection, mergeId);
    }
    auto step = std::make_unique<ScreenEditCommand>(m_key, naming(d), m_selection, selection);
    forEachKind([&](auto k) {
        using K = decltype(k);
        for (int slot : changed[kindIndex<K>]) {
            const size_t i = static_cast<size_t>(slot);
            ScreenEditCommand::SlotChange<K> c;
            c.slot = slot;
            c.before = m_objects.list<K>()[i];
            c.after = now.list<K>()[i];
            if constexpr (HasSide<K>) {
                c.sideBefore = m_objects.sides<K>()[i];
                c.sideAfter = now.sides<K>()[i];
            }
            step->add<K>(std::move(c));
        }
    });
    for (const auto& key : keys) {
        step->addKey(key);
    }
    if (fnKeysChanged) {
        step->setFunctionKeys(m_fnKeys, screen.fnKeyFlags());
    }
    return step;
}

} // namespace dispcraft
