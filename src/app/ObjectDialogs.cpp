#include "app/ObjectDialogs.h"

namespace dispcraft {

namespace {
constexpr int kPanelKeyTarget = 100;
constexpr int kFunctionKeyTarget = 101;
} // namespace

ObjectDialogs& ObjectDialogs::instance() {
    static ObjectDialogs* dialogs = [] {
        auto* d = new ObjectDialogs;
        registerObjectDialogs(*d);
        return d;
    }();
    return *dialogs;
}

void ObjectDialogs::setPlacement(int command, PlaceHandler handler) {
    m_place[command] = std::move(handler);
}

void ObjectDialogs::setObjectEditor(int kind, EditHandler handler) {
    m_edit[kind] = std::move(handler);
}

void ObjectDialogs::setPanelKeyEditor(EditHandler handler) {
    m_edit[kPanelKeyTarget] = std::move(handler);
}

void ObjectDialogs::setFunctionKeyEditor(EditHandler handler) {
    m_edit[kFunctionKeyTarget] = std::move(handler);
}

bool ObjectDialogs::place(ScreenWindow& window, int command) const {
    auto it = m_place.find(command);
    if (it == m_place.end()) {
        return false;
    }
    it->second(window);
    return true;
}

bool ObjectDialogs::edit(ScreenWindow& window, const EditRequest& request) const {
    int key = 0;
    switch (request.target) {
    case EditRequest::Target::None: return false;
    case EditRequest::Target::Object: key = request.kind; break;
    case EditRequest::Target::PanelKey: key = kPanelKeyTarget; break;
    case EditRequest::Target::FunctionKey: key = kFunctionKeyTarget; break;
    }
    auto it = m_edit.find(key);
    if (it == m_edit.end()) {
        return false;
    }
    it->second(window, request);
    return true;
}

} // namespace dispcraft
