// A screen window's contents: opening a stored screen, storing it back, the keys, the
// paint-time rules and the parts of the view to repaint.
#include "editor/ScreenContents.h"
#include "editor/ScreenPacker.h"

#include "base/MessageSink.h"
#include "editor/EditorMessages.h"
#include "editor/LampFiles.h"
#include "model/ProjectStore.h"
#include "objects/LampDotSource.h"
#include "objects/OpenContext.h"
#include "objects/StoreContext.h"

#include <algorithm>
#include <utility>

namespace dispcraft {

namespace {

bool validScreen(int s) {
    return s >= capacity::kFirstScreen && s <= capacity::kLastScreen;
}

int countOf(uint8_t stored, int cap) {
    return std::min<int>(stored, cap);
}

Rect toRect(const KeyRect& k) {
    return {k.left, k.top, k.right, k.bottom};
}

// Lamp pictures of the program directory's "lampdata".
class DirectoryLamps : public LampDotSource {
public:
    explicit DirectoryLamps(const ProgramDirectory& dir) : m_dir(dir) {}
    LampFileRead read(const std::string& name) override { return LampFiles::read(m_dir, name); }

private:
    const ProgramDirectory& m_dir;
};

} // namespace

ScreenContents::ScreenContents(ProjectStore& store, ProgramDirectory dir, MessageSink& sink)
    : m_store(store), m_dir(std::move(dir)), m_sink(sink), m_lcd{store.lcdX, store.lcdY} {
    static int windows = 0;
    m_serial = ++windows;
    for (size_t i = 0; i < m_fnKeyRects.size(); ++i) {
        m_fnKeyRects[i] = toRect(store.fnKeyRects[i]);
    }
    for (size_t i = 0; i < m_panelKeyRects.size(); ++i) {
        m_panelKeyRects[i] = toRect(store.panelKeyRects[i]);
    }
}

// ---- Opening and storing ------------------------------------------------------------------

Message ScreenContents::title() const {
    if (validScreen(m_screenNo)) {
        return Message::string(editormsg::kScreenTitle, {std::to_string(m_screenNo)});
    }
    return Message::string(editormsg::kNewScreenTitle);
}

ScreenContents::OpenResult ScreenContents::loadScreen(int s) {
    if (!validScreen(s)) {
        return OpenResult::Stopped;
    }
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
                m_objects.sides<K>()[static_cast<size_t>(i)] =
                    K::openSide(b.sides<K>()[static_cast<size_t>(i)]);
            }
            opened = K::open(b.records<K>()[static_cast<size_t>(i)], list[static_cast<size_t>(i)],
                             context);
        }
    });
    if (!opened) {
        return stop();
    }
    m_fnKeyFlags = b.fnKeys;
    for (size_t k = 0; k < m_keys.size(); ++k) {
        m_keys[k] = (m_store.globalKeys[k].flags & KeyRecord::kScreenOption)
                        ? b.keys[k]
                        : m_store.globalKeys[k];
    }
    m_modified = false;
    m_storedAs = s;
    invalidateAll(true);
    m_store.screenOpen[static_cast<size_t>(s)] = 1;
    return OpenResult::Opened;
}

bool ScreenContents::numberTaken(int n) const {
    return m_store.screenExists(n);
}

void ScreenContents::bindScreenNumber(int n, const std::string& name, bool saveAs) {
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

void ScreenContents::unbindScreenNumber(int historyKey) {
    if (validScreen(m_screenNo)) {
        m_store.screenOpen[static_cast<size_t>(m_screenNo)] = 0;
    }
    m_screenNo = 0;
    if (historyKey < 0) {
        m_serial = -historyKey;
    }
}

void ScreenContents::windowClosed() {
    if (validScreen(m_screenNo)) {
        m_store.screenOpen[static_cast<size_t>(m_screenNo)] = 0;
    }
}

bool ScreenContents::storeScreen() {
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

void ScreenContents::removeScreen() {
    m_store.treeChanged = true;
    if (m_screenNo >= capacity::kFirstScreen && m_screenNo <= capacity::kLastScreen) {
        m_store.entries[static_cast<size_t>(m_screenNo)].number = 0;
    }
}

std::vector<Message> ScreenContents::summaryParts() const {
    std::vector<Message> parts = {
        Message::text("***********************\n"),      Message::string(editormsg::kSummaryTitle),
        Message::text("***********************\n\n"),    Message::string(editormsg::kSummaryObjects),
        Message::text("----------------------------\n"),
    };
    // One line per kind, in the order of their strings.
    std::vector<std::pair<int, int>> lines;
    forEachKind([&](auto k) {
        using K = decltype(k);
        lines.emplace_back(K::kSummaryString, m_objects.count(K::kCode));
    });
    std::sort(lines.begin(), lines.end());
    for (const auto& [string, count] : lines) {
        parts.push_back(Message::string(string, {std::to_string(count)}));
    }
    parts.push_back(Message::text("----------------------------\n\n"));
    return parts;
}

// ---- Objects ------------------------------------------------------------------------------

void ScreenContents::selectAll() {
    forEachKind([&](auto k) {
        using K = decltype(k);
        for (auto& o : m_objects.list<K>()) {
            if (o.occupies(K::kCode)) {
                o.select(true);
            }
        }
    });
    invalidateLcdMarks();
}

void ScreenContents::removeSelected() {
    m_modified = true;
    forEachKind([&](auto k) {
        using K = decltype(k);
        auto& list = m_objects.list<K>();
        // A removed slot is examined again, so a run of selected objects goes at once.
        for (size_t i = 0; i < list.size();) {
            if (list[i].occupies(K::kCode) && list[i].selected()) {
                m_objects.removeAt<K>(static_cast<int>(i));
            } else {
                ++i;
            }
        }
    });
}

Rect ScreenContents::objectRect(int kind, int i) const {
    Rect r;
    withKind(kind, [&](auto k) {
        using K = decltype(k);
        r = K::rect(m_objects.list<K>().at(static_cast<size_t>(i)), m_store.pictures);
    });
    return r;
}

bool ScreenContents::loadLampDots(LampObject& lamp) {
    LampFileRead r = LampFiles::read(m_dir, lamp.name);
    if (!r.opened) {
        m_sink.show(Message::string(editormsg::kLampFileCannotOpen));
        return false;
    }
    if (r.isLampPicture()) {
        lamp.dots = std::move(r.bytes);
        lamp.dotCount = static_cast<int32_t>(lamp.dots.size());
    }
    return true;
}

Rect ScreenContents::bandLampRect(const LampObject& lamp, bool& stop) {
    int side = 0;
    if (lamp.name.empty()) {
        if (lamp.dotCount == 512) {
            side = 32;
        } else if (lamp.dotCount == 2048) {
            side = 64;
        } else {
            m_sink.show(Message::string(editormsg::kLampWithoutSize));
            stop = true;
            return {};
        }
        return Rect::ofSize(lamp.x, lamp.y, side, side);
    }
    LampFileRead r = LampFiles::read(m_dir, lamp.name);
    if (!r.opened) {
        return {}; // skipped
    }
    if (r.length == 512) {
        side = 32;
    } else if (r.length == 2048) {
        side = 64;
    } else {
        m_sink.show(Message::string(editormsg::kLampFileWrongSize));
        stop = true;
        return {};
    }
    return Rect::ofSize(lamp.x, lamp.y, side, side);
}

// ---- Keys ---------------------------------------------------------------------------------

Message ScreenContents::panelKeyTitle(int a) {
    if (a <= 5) {
        return Message::string(editormsg::kFunctionKeyTitle, {std::to_string(a + 1)});
    }
    if (a <= 9) {
        return Message::string(editormsg::kFirstArrowKeyTitle + (a - 6));
    }
    if (a <= 19) {
        return Message::string(editormsg::kNumberKeyTitle, {std::to_string(a - 10)});
    }
    if (a <= 23) {
        return Message::string(editormsg::kFirstCommandKeyTitle + (a - 20));
    }
    return Message::string(editormsg::kClearKeyTitle);
}

ScreenContents::PanelKeyEdit ScreenContents::beginPanelKeyEdit(int a) {
    const size_t k = static_cast<size_t>(a);
    PanelKeyEdit e;
    // The editor writes 0 (project-wide) or 1 (per screen) here; any other first byte, as other
    // programs write, is taken the way the drawing and the window's keys take it: per screen, so
    // the dialog shows the function the screen and its image hold.
    e.perScreen = m_store.globalKeys.at(k).kind != KeyRecord::kProjectWide;
    // Per screen, the dialog shows the screen's definition; the project-wide record takes it
    // only when the dialog is confirmed.
    e.record = e.perScreen ? m_keys.at(k) : m_store.globalKeys.at(k);
    return e;
}

void ScreenContents::applyPanelKeyEdit(int a, const KeyRecord& fields, bool perScreen) {
    const size_t k = static_cast<size_t>(a);
    KeyRecord& global = m_store.globalKeys.at(k);
    global = fields;
    global.kind = fields.hasFunction() ? 137 : 9;
    m_keys[k] = global;
    if (m_screenNo >= capacity::kFirstScreen && m_screenNo <= capacity::kLastScreen) {
        m_store.screens[static_cast<size_t>(m_screenNo)].keys[k] = m_keys[k];
    }
    if (perScreen) {
        global.kind = 1;
    } else {
        global.kind = 0;
        for (int s = capacity::kFirstScreen; s <= capacity::kLastScreen; ++s) {
            if (m_store.screenExists(s)) {
                KeyRecord& r = m_store.screens[static_cast<size_t>(s)].keys[k];
                r = global;
                r.kind = kKindKey;
            }
        }
    }
    m_modified = true;
}

void ScreenContents::setFunctionKeyFlag(int i, uint8_t value) {
    m_fnKeyFlags.at(static_cast<size_t>(i)) = value;
    m_modified = true;
}

// ---- Paint-time rules -----------------------------------------------------------------------

bool ScreenContents::settleForPaint(int currentKind) {
    bool removed = false;
    forEachKind([&](auto k) {
        using K = decltype(k);
        auto& list = m_objects.list<K>();
        for (size_t i = 0; i < list.size();) {
            if constexpr (requires { K::keepsOnPaint(list[i], m_store.pictures); }) {
                if (list[i].occupies(K::kCode) && !K::keepsOnPaint(list[i], m_store.pictures)) {
                    m_objects.removeAt<K>(static_cast<int>(i));
                    removed = removed || currentKind == K::kCode;
                    continue;
                }
            }
            if constexpr (requires { K::settleForPaint(list[i]); }) {
                if (list[i].occupies(K::kCode)) {
                    K::settleForPaint(list[i]);
                }
            }
            ++i;
        }
    });
    const bool assigned =
        m_screenNo >= capacity::kFirstScreen && m_screenNo <= capacity::kLastScreen;
    for (size_t a = 0; a < m_keys.size(); ++a) {
        const KeyRecord& global = m_store.globalKeys[a];
        if (global.kind != 0) {
            if (assigned) {
                m_keys[a] = m_store.screens[static_cast<size_t>(m_screenNo)].keys[a];
            }
            m_keyMarkers[a] = m_keys[a].hasFunction() ? KeyMarker::PerScreen : KeyMarker::None;
        } else {
            m_keyMarkers[a] = global.hasFunction() ? KeyMarker::Global : KeyMarker::None;
            m_keys[a] = global;
            m_keys[a].kind = kKindKey;
        }
    }
    return removed;
}

void ScreenContents::panelPictureMissing() {
    if (!m_pictureReported) {
        m_pictureReported = true;
        m_closeRequested = true;
        m_sink.show(Message::string(editormsg::kNoPanelPicture));
    }
}

// ---- The LCD and the view ---------------------------------------------------------------------

Point ScreenContents::snap(Point p) const {
    return {(p.x - m_lcd.x) / kGrid * kGrid + m_lcd.x, (p.y - m_lcd.y) / kGrid * kGrid + m_lcd.y};
}

Point ScreenContents::keepInsideLcd(Point p, int w, int h) const {
    p.x = std::max(p.x, m_lcd.x);
    p.y = std::max(p.y, m_lcd.y);
    if (p.x + w - m_lcd.x > kLcdWidth) {
        p.x = m_lcd.x + kLcdWidth - w;
    }
    if (p.y + h - m_lcd.y > kLcdHeight) {
        p.y = m_lcd.y + kLcdHeight - h;
    }
    return p;
}

void ScreenContents::invalidate(const Rect& r, bool erase) {
    m_invalid.push_back({r, erase});
}

std::vector<Invalidation> ScreenContents::takeInvalidations() {
    std::vector<Invalidation> out;
    out.swap(m_invalid);
    return out;
}

} // namespace dispcraft
