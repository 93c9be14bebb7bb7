#pragma once

#include <vector>

namespace dispcraft {

class ScreenContents;
struct ProjectStore;

// What the steps of the history act on: the project and its screen windows. The program's
// windows implement it; a step never keeps a pointer to a window, only its key, because
// windows come and go between the steps.
class UndoTarget {
public:
    virtual ~UndoTarget() = default;

    virtual ProjectStore& store() = 0;
    // The contents of the window with this history key, brought to the front; the window of a
    // stored screen that is closed opens. Null when there is none (the window of a screen that
    // never had a number has gone, or the screen does not open).
    virtual ScreenContents* screenWindow(int key) = 0;
    // The window with fromKey takes toKey (a screen numbered, renumbered or saved under
    // another number); nothing when no window has fromKey.
    virtual void rebindWindow(int fromKey, int toKey) = 0;
    // The stored forms of these screens changed: windows showing them load them again, and
    // close when the screen no longer exists.
    virtual void storedScreensChanged(const std::vector<int>& screens) = 0;
    // Settings of the project changed: whatever shows them renews itself.
    virtual void projectChanged() = 0;
};

} // namespace dispcraft
