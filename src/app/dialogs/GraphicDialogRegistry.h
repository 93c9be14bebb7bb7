#pragma once

namespace dispcraft {

class ObjectDialogs;

// The placement commands and double-clicks of the lamps, numeric displays (both forms), bar and
// trend graphs and pictures (GraphicDialogRegistry.cpp).
void registerGraphicDialogs(ObjectDialogs& dialogs);

} // namespace dispcraft
