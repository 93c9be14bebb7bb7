#pragma once

namespace dispcraft::editormsg {

// The screen editor's own language strings (range 65600-65699).
constexpr int kNoSuchScreen = 65600;      // %d screen number: not in the project
constexpr int kPictureNotWritten = 65601; // %s file, %s reason
constexpr int kRenderUsage = 65602;       // the render command's arguments
constexpr int kOpeningStopped = 65603;    // %d screen: opening stopped (after the reason)

} // namespace dispcraft::editormsg
