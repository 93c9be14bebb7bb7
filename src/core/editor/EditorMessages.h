#pragma once

namespace dispcraft::editormsg {

// The screen editor's own language strings (range 65600-65699).
constexpr int kNoSuchScreen = 65600;      // %d screen number: not in the project
constexpr int kPictureNotWritten = 65601; // %s file, %s reason
constexpr int kRenderUsage = 65602;       // the render command's arguments
constexpr int kOpeningStopped = 65603;    // %d screen: opening stopped (after the reason)

// Language strings the screen window shows.
constexpr int kNewScreenTitle = 61499; // "New screen"
constexpr int kScreenTitle = 61500; // "Screen %d"
constexpr int kFunctionKeyTitle = 61514; // "Key F%d"
constexpr int kFirstArrowKeyTitle = 61515; // "Key Up" (keys 6..9: 61515..61518)
constexpr int kNumberKeyTitle = 61519; // "Key %d"
constexpr int kFirstCommandKeyTitle = 61520; // "Key ESC" (keys 20..23: 61520..61523)
constexpr int kClearKeyTitle = 61524; // "Key CLR"
constexpr int kLampWithoutSize = 61525; // "This lamp has no picture of 16 x 16 or 32 x 32 dots."
constexpr int kLampFileWrongSize = 61526; // "A lamp picture file has the wrong size."
constexpr int kClipboardUnavailable = 61531; // "The clipboard is not available. Nothing was pasted."
constexpr int kLampFileCannotOpen = 63505; // "The lamp picture file cannot be opened."
constexpr int kSummaryTitle = 63580; // "Screen summary"
constexpr int kSummaryObjects = 63581; // "Objects on this screen:"
constexpr int kNoPanelPicture = 63593; // "The panel picture of this model cannot be loaded. Check the "bmp" k..."
constexpr int kSaveScreenChanges = 63596; // "Save the changes to this screen?"

constexpr int kWeekdayPlaceholder = 63597; // "WK"
} // namespace dispcraft::editormsg
