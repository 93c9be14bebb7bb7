#pragma once

#include <QIcon>

namespace dispcraft {

// The program's icon, drawn rather than loaded: a lit lamp in a panel bezel.
QIcon bulbsmithIcon();

} // namespace dispcraft
