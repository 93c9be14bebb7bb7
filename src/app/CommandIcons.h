#pragma once

#include <QIcon>

namespace dispcraft {

// The toolbar and menu picture of a command; a null icon for commands that have none.
QIcon commandIcon(int command);
// The program's own icon (window and desktop entry).
QIcon programIcon();

} // namespace dispcraft
