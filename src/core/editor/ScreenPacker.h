#pragma once

#include "editor/ScreenObjects.h"
#include "objects/PanelKeys.h"

#include <array>

namespace dispcraft {

struct ProjectStore;

// Packs a screen window's working lists and keys into a screen of a project: the records with
// their counts, the screen's text pool, its keys and function-key targets. The lists must be
// deselected (a selected object ends its list). The keys take the project-wide copy rule first,
// as the window's own copies do when it stores itself.
class ScreenPacker {
public:
    static void pack(const ScreenObjects& objects, std::array<KeyRecord, kPanelKeys>& keys,
                     const FunctionKeyTargets& fnKeys, ProjectStore& target, int screen);

};

} // namespace dispcraft
