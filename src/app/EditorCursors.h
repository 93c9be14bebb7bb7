#pragma once

#include "editor/EditorSession.h"

#include <QCursor>

namespace dispcraft {

// The pointer shapes of a screen window: an arrow, a cross hair with the kind's mark while an
// object is being placed, and the eight sizing shapes over the handles of a graph.
QCursor editorCursor(EditorCursor c);

} // namespace dispcraft
