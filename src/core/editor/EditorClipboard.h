#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace dispcraft {

class ScreenContents;

// A screen window's side of the clipboard: the block of its selected objects, pasting a block
// into its lists, and whether it owns what the clipboard holds.
class EditorClipboard {
public:
    explicit EditorClipboard(ScreenContents& contents) : m_contents(contents) {}

    // The 387,276-byte block of the selected objects (copy); the GUI puts it on the clipboard
    // under "quorl", clears the owner flag of every other window and sets this one's.
    std::vector<uint8_t> copyBlock();
    // Paste of a block from the clipboard (untrusted). Deselects, marks modified, fills free
    // slots; records that are not valid or find no slot are dropped. Returns the number pasted.
    int paste(const uint8_t* data, size_t size);
    bool owner() const { return m_owner; }
    void setOwner(bool owner) { m_owner = owner; }

private:
    ScreenContents& m_contents;
    bool m_owner = false;
};

} // namespace dispcraft
