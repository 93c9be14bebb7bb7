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
class ScreenContents;

class ScreenPacker {
public:
    static void pack(const ScreenObjects& objects, std::array<KeyRecord, kPanelKeys>& keys,
                     const FunctionKeyTargets& fnKeys, ProjectStore& target, int screen);

    // What a screen window would store, packed into a copy of its project (a recovery copy),
    // leaving the window and the project as they are. Only a window with changes is packed: the
    // copy holds the others as the project does, byte for byte. A window without a screen
    // number takes the lowest number free in the copy. The copy's open flag of the screen is
    // set; returns the screen packed, 0 for none.
    static int packCopy(const ScreenContents& session, ProjectStore& copy);
};

} // namespace dispcraft
