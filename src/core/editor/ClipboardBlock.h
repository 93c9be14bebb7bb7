#pragma once

#include "editor/EditorObjects.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace dispcraft {

class MessageSink;

// The block that carries screen objects through the clipboard under the format "quorl":
// 387,276 bytes, little-endian, the source project's path and then each kind's exchange records
// from index 0 on. A record is valid for paste when its first field is the kind code + 128.
class ClipboardBlock {
public:
    static constexpr const char* kFormat = "quorl";
    static constexpr size_t kSize = 387276;
    static constexpr size_t kPathOffset = 0;
    static constexpr size_t kPathSize = 100;
    static constexpr size_t kTextStringOffset = 100;
    static constexpr size_t kMsgDispOffset = 11236;
    static constexpr size_t kNumDispOffset = 167140;
    static constexpr size_t kSidePairOffset = 180964;
    static constexpr size_t kBarGraphOffset = 181732;
    static constexpr size_t kTrendGraphOffset = 183652;
    static constexpr size_t kLampOffset = 183756;
    static constexpr size_t kPictureOffset = 386508;

    // The selected objects of the lists, in slot order; the path is cut to 99 bytes.
    static std::vector<uint8_t> build(const ScreenObjects& objects, const std::string& projectPath,
                                      MessageSink& sink);
    // The project path at the start of a block (up to its NUL or 100 bytes).
    static std::string sourcePath(const uint8_t* block);
    // Puts the valid records of a block into the free slots of the lists, each moved by offset
    // pixels right and down; records without a free slot are dropped. A block of another size
    // pastes nothing. Returns the number of objects pasted.
    static int paste(ScreenObjects& objects, const uint8_t* block, size_t size, int offset);
};

} // namespace dispcraft
