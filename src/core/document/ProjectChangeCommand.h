#pragma once

#include "editor/UndoCommand.h"
#include "model/ScreenBlock.h"
#include "model/ScreenEntry.h"

#include <memory>
#include <utility>
#include <vector>

namespace dispcraft {

struct ProjectStore;

// A step that changed the project itself: settings (each changed member of the store with its
// value before and after), entries of the screen directory, and stored screens, as a
// ProjectCheckpoint found them. Screen windows follow: a window moved to another number moves
// back and forth with the step, windows of stored screens that changed load them again.
class ProjectChangeCommand : public UndoCommand {
public:
    // One member of the store, before and after.
    class Setting {
    public:
        virtual ~Setting() = default;
        virtual void apply(ProjectStore& store, bool after) const = 0;
        virtual size_t bytes() const = 0;
    };

    explicit ProjectChangeCommand(Message name);

    void addSetting(std::unique_ptr<Setting> setting);
    void addEntry(int screen, const ScreenEntry& before, const ScreenEntry& after);
    void addBlock(int screen, const ScreenBlock& before, const ScreenBlock& after);
    // A screen whose windows must load it again (its entry or its objects changed).
    void addChangedScreen(int screen);
    // The window with fromKey took toKey in the change.
    void addRebind(int fromKey, int toKey);
    // The window brought to the front after undo (before) and redo (after); 0 for none.
    void setShownWindows(int before, int after);
    void setNeedsClosedWindows(bool needs) { m_needsClosedWindows = needs; }
    bool empty() const { return m_settings.empty() && m_entries.empty() && m_blocks.empty(); }

    bool undo(UndoTarget& target) override;
    bool redo(UndoTarget& target) override;
    Message name() const override { return m_name; }
    int screenKey() const override { return m_shownAfter; }
    bool needsClosedWindows() const override { return m_needsClosedWindows; }
    size_t bytes() const override;

private:
    struct EntryChange {
        int screen;
        ScreenEntry before;
        ScreenEntry after;
    };
    struct BlockChange {
        int screen;
        std::unique_ptr<ScreenBlock> before;
        std::unique_ptr<ScreenBlock> after;
    };
    void apply(UndoTarget& target, bool after);

    Message m_name;
    std::vector<std::unique_ptr<Setting>> m_settings;
    std::vector<EntryChange> m_entries;
    std::vector<BlockChange> m_blocks;
    std::vector<int> m_changedScreens;
    std::vector<std::pair<int, int>> m_rebinds;
    int m_shownBefore = 0;
    int m_shownAfter = 0;
    bool m_needsClosedWindows = false;
};

} // namespace dispcraft
