#include "editor/EditorClipboard.h"

#include "editor/ClipboardBlock.h"
#include "editor/ScreenContents.h"
#include "model/ProjectStore.h"

namespace dispcraft {

std::vector<uint8_t> EditorClipboard::copyBlock() {
    return ClipboardBlock::build(m_contents.objects(), m_contents.store().projectPath,
                                 m_contents.sink());
}

int EditorClipboard::paste(const uint8_t* data, size_t size) {
    m_contents.deselectAll();
    m_contents.setModified();
    if (data == nullptr || size != ClipboardBlock::kSize) {
        return 0;
    }
    // Objects pasted into the project they came from go one grid step right and down so that
    // they do not hide their originals.
    const int offset = ClipboardBlock::sourcePath(data) == m_contents.store().projectPath
                           ? ScreenContents::kGrid
                           : 0;
    const int n = ClipboardBlock::paste(m_contents.objects(), data, size, offset);
    m_contents.invalidateLcdMarks();
    return n;
}

} // namespace dispcraft
