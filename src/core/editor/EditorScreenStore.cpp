// Opening a stored screen into a session and storing it back into the project.
#include "editor/EditorSession.h"
#include "editor/LampFiles.h"
#include "editor/ScreenPacker.h"
#include "objects/LampDotSource.h"
#include "objects/OpenContext.h"
#include "model/ProjectStore.h"
#include "base/MessageSink.h"

#include <algorithm>

namespace dispcraft {

namespace {

bool validScreen(int s) { return s >= capacity::kFirstScreen && s <= capacity::kLastScreen; }

int countOf(uint8_t stored, int cap) { return std::min<int>(stored, cap); }

// Lamp pictures of the program directory's "lampdata".
class DirectoryLamps : public LampDotSource {
public:
    explicit DirectoryLamps(const ProgramDirectory& dir) : m_dir(dir) {}
    LampFileRead read(const std::string& name) override { return LampFiles::read(m_dir, name); }

private:
    const ProgramDirectory& m_dir;
};

} // namespace

Message EditorSession::title() const {
    if (validScreen(m_screenNo)) {
        return Message::string(61500, {std::to_string(m_screenNo)});
    }
    return Message::string(61499);
}

EditorSession::OpenResult EditorSession::loadScreen(int s) {
    if (!validScreen(s)) {
        return OpenResult::Stopped;
    }
    m_band = {};
    m_screenNo = s;
    // A partly unpacked screen must never be stored over the full one: until the opening
    // completes the window is bound to no number.
    auto stop = [&] {
        m_screenNo = 0;
        invalidateAll(true);
        return OpenResult::Stopped;
    };
    const ScreenEntry& e = m_store.entries[static_cast<size_t>(s)];
    const ScreenBlock& b = m_store.screens[static_cast<size_t>(s)];

    DirectoryLamps lamps(m_dir);
    OpenContext context{b.textPool, m_sink, lamps};
    bool opened = true;
    forEachKind([&](auto kind) {
        using K = decltype(kind);
        auto& list = m_objects.list<K>();
        for (int i = 0; opened && i < countOf(e.count<K>(), K::kCapacity); ++i) {
            if constexpr (HasSide<K>) {
                m_objects.sides<K>()[static_cast<size_t>(i)] = K::openSide(b.sides<K>()[static_cast<size_t>(i)]);
            }
            opened = K::open(b.records<K>()[static_cast<size_t>(i)], list[static_cast<size_t>(i)], context);
        }
    });
    if (!opened) {
        return stop();
    }
    m_fnKeyFlags = b.fnKeys;
    for (size_t k = 0; k < m_keys.size(); ++k) {
        m_keys[k] = (m_store.globalKeys[k].flags & KeyRecord::kScreenOption) ? b.keys[k] : m_store.globalKeys[k];
    }
    m_modified = false;
    m_storedAs = s;
    invalidateAll(true);
    m_store.screenOpen[static_cast<size_t>(s)] = 1;
    return OpenResult::Opened;
}

bool EditorSession::numberTaken(int n) const { return m_store.screenExists(n); }

void EditorSession::bindScreenNumber(int n, const std::string& name, bool saveAs) {
    if (!validScreen(n)) {
        return;
    }
    if (saveAs && validScreen(m_screenNo)) {
        m_store.screenOpen[static_cast<size_t>(m_screenNo)] = 0;
    }
    m_screenNo = n;
    ScreenEntry& e = m_store.entries[static_cast<size_t>(n)];
    e.number = static_cast<uint8_t>(n);
    e.setName(name);
    m_store.screenOpen[static_cast<size_t>(n)] = 1;
}

void EditorSession::windowClosed() {
    if (validScreen(m_screenNo)) {
        m_store.screenOpen[static_cast<size_t>(m_screenNo)] = 0;
    }
}

bool EditorSession::storeScreen() {
    if (!validScreen(m_screenNo)) {
        return false;
    }
    if (!m_modified && m_storedAs == m_screenNo) {
        return true;
    }
    // The writer stops each list at the first slot that is not exactly the bare kind, so a
    // selected object would cut its list short: deselect here whatever the caller did.
    deselectAll();
    ScreenPacker::pack(m_objects, m_keys, m_fnKeyFlags, m_store, m_screenNo);
    m_storedAs = m_screenNo;
    return true;
}

} // namespace dispcraft
