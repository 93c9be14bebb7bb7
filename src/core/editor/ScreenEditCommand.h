#pragma once

#include "editor/ObjectSelection.h"
#include "editor/UndoCommand.h"
#include "objects/PanelKeys.h"

#include <optional>
#include <tuple>
#include <variant>
#include <vector>

namespace dispcraft {

class ScreenContents;

// A step that changed the working lists or key copies of one screen window: every slot that
// changed, with its object before and after, the changed keys, and the selection before and
// after. Only what changed is kept, so a step holds at most two copies of one screen.
class ScreenEditCommand : public UndoCommand {
public:
    template <typename K> struct SideOf { using Type = std::monostate; };
    template <HasSide K> struct SideOf<K> { using Type = typename K::Side; };
    template <typename K> struct SlotChange {
        int slot = 0;
        typename K::Object before;
        typename K::Object after;
        typename SideOf<K>::Type sideBefore{};
        typename SideOf<K>::Type sideAfter{};
    };
    struct KeyChange {
        int index = 0;
        KeyRecord before{};
        KeyRecord after{};
    };

    ScreenEditCommand(int screenKey, Message name, ObjectSelection before, ObjectSelection after);

    template <typename K> void add(SlotChange<K> change) {
        std::get<kindIndex<K>>(m_slots).push_back(std::move(change));
    }
    void addKey(const KeyChange& change) { m_keys.push_back(change); }
    void setFunctionKeys(const FunctionKeyTargets& before, const FunctionKeyTargets& after) {
        m_fnKeys = {before, after};
    }

    bool undo(UndoTarget& target) override;
    bool redo(UndoTarget& target) override;
    Message name() const override { return m_name; }
    int screenKey() const override { return m_key; }
    void rekey(int from, int to) override {
        if (m_key == from) {
            m_key = to;
        }
    }
    bool editsWindow() const override { return true; }
    size_t bytes() const override;

    // Closes gaps in the lists (each is used from slot 0 on), in case a step finds the lists
    // not as it left them.
    static void closeGaps(ScreenObjects& objects);

private:
    template <typename... Kinds>
    static auto slotLists(KindList<Kinds...>*) -> std::tuple<std::vector<SlotChange<Kinds>>...>;
    using SlotLists = decltype(slotLists(static_cast<ObjectKinds*>(nullptr)));

    bool apply(UndoTarget& target, bool after);

    int m_key;
    Message m_name;
    ObjectSelection m_before;
    ObjectSelection m_after;
    SlotLists m_slots;
    std::vector<KeyChange> m_keys;
    std::optional<std::pair<FunctionKeyTargets, FunctionKeyTargets>> m_fnKeys;
};

} // namespace dispcraft
