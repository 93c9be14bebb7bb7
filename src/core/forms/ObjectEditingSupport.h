#pragma once

#include <cstddef>
#include <utility>

namespace dispcraft {

class EditorSession;
struct EditorObject;

namespace objectediting {

// What the editing of every kind shares (each kind's own lives in its <Kind>Editing.cpp).

// The placement size of a text or numeric display: one cell per byte.
std::pair<int, int> cellSize(size_t bytes, int font);
// Moves the object inside the LCD for a size of w x h pixels.
void keepInside(EditorSession& s, EditorObject& o, int w, int h);

} // namespace objectediting

} // namespace dispcraft
