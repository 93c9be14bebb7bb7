#pragma once

#include "editor/EditorSession.h"

#include <functional>
#include <map>

namespace dispcraft {

class ScreenWindow;

// Where a screen window's dialog requests go: the placement commands of the object kinds
// (32773 TextString ... 32795 Picture) and the double-clicks on an object, a panel key or a
// function key. Each dialog registers its handler here (see dialogs/ObjectDialogRegistry.cpp);
// a request without a handler does nothing.
//
// A handler opens its dialog modally (DialogRunner::exec), bound to the form that the
// objectediting helpers make from the window's session, and on OK applies the values through
// the same helpers. The window repaints and renews its commands' states afterwards.
class ObjectDialogs {
public:
    using PlaceHandler = std::function<void(ScreenWindow&)>;
    using EditHandler = std::function<void(ScreenWindow&, const EditRequest&)>;

    // The dispatcher of this process, filled once by registerObjectDialogs().
    static ObjectDialogs& instance();

    void setPlacement(int command, PlaceHandler handler);
    // kind 1..7 for an object (kind 3 gets both the normal and the short NumDisp; the request's
    // shortNumDisp tells them apart).
    void setObjectEditor(int kind, EditHandler handler);
    void setPanelKeyEditor(EditHandler handler);
    void setFunctionKeyEditor(EditHandler handler);

    bool hasPlacement(int command) const { return m_place.count(command) != 0; }
    // The handler of a command (empty when none), so that a rule may wrap it.
    PlaceHandler placement(int command) const {
        auto it = m_place.find(command);
        return it == m_place.end() ? PlaceHandler() : it->second;
    }
    // False when nothing handles the command.
    bool place(ScreenWindow& window, int command) const;
    bool edit(ScreenWindow& window, const EditRequest& request) const;

private:
    std::map<int, PlaceHandler> m_place;
    std::map<int, EditHandler> m_edit; // key: kind 1..7, 100 panel key, 101 function key
};

// Registers every dialog this program has (dialogs/ObjectDialogRegistry.cpp).
void registerObjectDialogs(ObjectDialogs& dialogs);

} // namespace dispcraft
