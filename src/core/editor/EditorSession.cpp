#include "editor/EditorSession.h"

#include "editor/LampFiles.h"
#include "model/ProjectStore.h"
#include "base/MessageSink.h"

#include <algorithm>
#include <cstdio>
#include <type_traits>

namespace dispcraft {

namespace {

constexpr int kNoIndex = 100;
constexpr int kGrid = 16;
constexpr int kLcdWidth = 384;  // view pixels
constexpr int kLcdHeight = 128;

Rect toRect(const KeyRect& k) { return {k.left, k.top, k.right, k.bottom}; }

// The base code (11..18) of a BarGraph or TrendGraph handle code.
int handleBase(int tool) { return tool >= 21 ? tool - 10 : tool; }

EditorCursor sizingCursor(int tool) {
    switch (handleBase(tool)) {
    case 11:
    case 12: return EditorCursor::SizeNorthSouth;
    case 13:
    case 14: return EditorCursor::SizeWestEast;
    case 15:
    case 18: return EditorCursor::SizeNorthwestSoutheast;
    default: return EditorCursor::SizeNortheastSouthwest;
    }
}

bool resizable(int kind) {
    bool r = false;
    withKind(kind, [&](auto k) { r = decltype(k)::kResizable; });
    return r;
}

EditorCursor placementCursor(int kind) {
    switch (kind) {
    case kKindTextString: return EditorCursor::PlaceTextString;
    case kKindMsgDisp: return EditorCursor::PlaceMsgDisp;
    case kKindNumDisp: return EditorCursor::PlaceNumDisp;
    case kKindBarGraph: return EditorCursor::PlaceBarGraph;
    case kKindTrendGraph: return EditorCursor::PlaceTrendGraph;
    default: return EditorCursor::PlaceLampOrPicture;
    }
}

} // namespace

EditorSession::EditorSession(ProjectStore& store, ProgramDirectory dir, MessageSink& sink)
    : m_store(store), m_dir(std::move(dir)), m_sink(sink), m_lcd{store.lcdX, store.lcdY} {
    for (size_t i = 0; i < m_fnKeyRects.size(); ++i) {
        m_fnKeyRects[i] = toRect(store.fnKeyRects[i]);
    }
    for (size_t i = 0; i < m_panelKeyRects.size(); ++i) {
        m_panelKeyRects[i] = toRect(store.panelKeyRects[i]);
    }
}

// ---- Geometry ---------------------------------------------------------------------------

Point EditorSession::snap(Point p) const {
    return {(p.x - m_lcd.x) / kGrid * kGrid + m_lcd.x, (p.y - m_lcd.y) / kGrid * kGrid + m_lcd.y};
}

Point EditorSession::keepInsideLcd(Point p, int w, int h) const {
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

Rect EditorSession::objectRect(int kind, int i) const {
    Rect r;
    withKind(kind, [&](auto k) {
        using K = decltype(k);
        r = K::rect(m_objects.list<K>().at(static_cast<size_t>(i)), m_store.pictures);
    });
    return r;
}

// ---- Invalidation and cursor ------------------------------------------------------------

void EditorSession::invalidate(const Rect& r, bool erase) { m_invalid.push_back({r, erase}); }

void EditorSession::invalidateLcd(bool erase) { invalidate(lcdRect(), erase); }

void EditorSession::invalidatePlacement() {
    invalidate(Rect::ofSize(m_lcd.x - 3, m_lcd.y - 3, 389, 133), false);
}

void EditorSession::invalidateAll(bool erase) { invalidate(Rect::ofSize(0, 0, 800, 500), erase); }

std::vector<Invalidation> EditorSession::takeInvalidations() {
    std::vector<Invalidation> out;
    out.swap(m_invalid);
    return out;
}

void EditorSession::updateCursor() {
    if (m_tool >= kKindTextString && m_tool <= kKindPicture) {
        m_cursor = placementCursor(m_tool);
    } else if (m_tool >= 11) {
        m_cursor = sizingCursor(m_tool);
    } else {
        m_cursor = EditorCursor::Arrow;
    }
}

void EditorSession::armTool(int kind, int placeWidth, int placeHeight) {
    m_tool = kind;
    setPlaceSize(placeWidth, placeHeight);
}

void EditorSession::setPlaceSize(int w, int h) {
    m_placeW = w;
    m_placeH = h;
}

void EditorSession::deselectAll() { m_objects.deselectAll(); }

// ---- Hit tests --------------------------------------------------------------------------

int EditorSession::hitTest(Point p) {
    m_curIndex = kNoIndex;
    deselectAll();
    m_dragMode = 0;
    int hit = 0;
    forEachKind([&](auto k) {
        using K = decltype(k);
        auto& list = m_objects.list<K>();
        for (size_t i = 0; hit == 0 && i < list.size(); ++i) {
            if (!list[i].occupies(K::kCode)) {
                continue;
            }
            Rect r = K::rect(list[i], m_store.pictures);
            if (r.contains(p)) {
                list[i].select(true);
                m_curIndex = static_cast<int>(i);
                m_cur = {r.left, r.top};
                setPlaceSize(r.width(), r.height());
                m_dragMode = 1;
                hit = K::kCode;
            }
        }
    });
    return hit;
}

void EditorSession::handleTest(Point p) {
    if (resizable(m_curKind) && m_curIndex < ScreenObjects::capacityOf(m_curKind) &&
        m_objects.occupied(m_curKind, m_curIndex)) {
        Rect r = objectRect(m_curKind, m_curIndex);
        int x = r.left, y = r.top, w = r.width(), h = r.height();
        struct Handle {
            int code;
            int hx, hy;
        };
        // The order in which the handles are tried.
        const Handle handles[] = {
            {15, x, y},
            {17, x + w - 6, y},
            {11, x + w / 2 - 3, y},
            {13, x, y + h / 2 - 3},
            {16, x, y + h - 6},
            {12, x + w / 2 - 3, y + h - 6},
            {18, x + w - 6, y + h - 6},
            {14, x + w - 6, y + h / 2 - 3},
        };
        for (const Handle& hd : handles) {
            if (Rect::ofSize(hd.hx, hd.hy, 6, 6).contains(p)) {
                m_tool = hd.code + (m_curKind == kKindTrendGraph ? 10 : 0);
                m_dragMode = 2;
                return;
            }
        }
    }
    m_dragMode = 0;
    if (m_tool >= 11) {
        m_tool = 0;
    }
}

bool EditorSession::inBandArea(Point p) const {
    return m_lcd.x - 2 < p.x && p.x < m_lcd.x + 386 && m_lcd.y - 2 < p.y && p.y < m_lcd.y + 130;
}

// ---- Pointer events ---------------------------------------------------------------------

void EditorSession::press(Point p) {
    m_last = p;
    if (m_dragMode == 2) {
        m_cursor = sizingCursor(m_tool);
        return;
    }
    if (m_tool != 0) {
        m_cur = keepInsideLcd(snap(p), m_placeW, m_placeH);
        m_modified = true;
    }
    deselectAll();
    m_band = {p.x, p.y, p.x, p.y};
    if (m_tool == 0) {
        m_curKind = hitTest(p);
        if (m_curKind == 0 && inBandArea(p)) {
            m_dragMode = 3;
        }
    } else if (m_tool >= kKindTextString && m_tool <= kKindPicture) {
        place();
    }
    invalidatePlacement();
}

void EditorSession::place() {
    const int kind = m_tool;
    const int i = m_objects.firstFree(kind);
    withKind(kind, [&](auto k) {
        using K = decltype(k);
        if (i < 0) {
            m_tool = 0;
            m_cursor = EditorCursor::Arrow;
            m_sink.show(Message::string(K::kFullString, {std::to_string(K::kCapacity)}));
            return;
        }
        const size_t slot = static_cast<size_t>(i);
        typename K::Object& placed = m_objects.list<K>()[slot];
        placed = K::place(m_templates.of<K>());
        if constexpr (HasSide<K>) {
            m_objects.sides<K>()[slot] = m_templates.side<K>();
        }
        placed.kindWord = static_cast<uint32_t>(kind) + kSelectedBit;
        placed.x = m_cur.x;
        placed.y = m_cur.y;
        if constexpr (std::is_same_v<K, LampKind>) {
            if (loadLampDots(placed)) {
                int side = placed.big() ? 64 : 32;
                setPlaceSize(side, side);
            }
        }
    });
}

bool EditorSession::loadLampDots(LampObject& lamp) {
    LampFileRead r = LampFiles::read(m_dir, lamp.name);
    if (!r.opened) {
        m_sink.show(Message::string(63505));
        return false;
    }
    if (r.isLampPicture()) {
        lamp.dots = std::move(r.bytes);
        lamp.dotCount = static_cast<int32_t>(lamp.dots.size());
    }
    return true;
}

void EditorSession::move(Point p, bool leftButton) {
    int dotX = (p.x - m_lcd.x) * 192 / 384;
    dotX = std::clamp(dotX / 4 * 4, 0, 192);
    int dotY = std::clamp((p.y - m_lcd.y) * 64 / 128, 0, 64);
    char buf[96];
    std::snprintf(buf, sizeof buf, "X: %04d ,Y: %04d  LCD_X:%03d,LCD_Y:%03d", p.x, p.y, dotX, dotY);
    m_status = buf;

    if (leftButton) {
        switch (m_dragMode) {
        case 1: moveCurrent(p); break;
        case 2: resizeCurrent(p); break;
        case 3: {
            if (inBandArea(p)) {
                Rect old = m_band;
                if (p.x > m_band.left) {
                    m_band.right = p.x;
                } else {
                    m_band.left = p.x;
                }
                if (p.y > m_band.top) {
                    m_band.bottom = p.y;
                } else {
                    m_band.top = p.y;
                }
                invalidate(old.united(m_band).grown(2), false);
            }
            break;
        }
        default: break;
        }
        return;
    }
    m_last = p;
    if (m_tool == 0) {
        handleTest(p);
    }
    updateCursor();
    if (m_tool >= 11) {
        handleTest(p);
        updateCursor();
    }
}

void EditorSession::moveCurrent(Point p) {
    if (m_curKind < kKindTextString || m_curKind > kKindPicture ||
        m_curIndex >= ScreenObjects::capacityOf(m_curKind) ||
        !m_objects.occupied(m_curKind, m_curIndex)) {
        return;
    }
    Point s = snap(p);
    m_cur.x += (s.x - m_last.x) / kGrid * kGrid;
    m_cur.y += (s.y - m_last.y) / kGrid * kGrid;
    m_last = s;
    m_cur = keepInsideLcd(m_cur, m_placeW, m_placeH);
    EditorObject& o = m_objects.head(m_curKind, m_curIndex);
    Rect old = objectRect(m_curKind, m_curIndex);
    if (o.x != m_cur.x || o.y != m_cur.y) {
        m_modified = true;
    }
    o.x = m_cur.x;
    o.y = m_cur.y;
    if (m_curKind == kKindNumDisp) {
        invalidateLcd(true);
    } else {
        invalidate(old.united(objectRect(m_curKind, m_curIndex)).grown(2), false);
    }
}

void EditorSession::resizeCurrent(Point p) {
    if (!resizable(m_curKind) || m_curIndex >= ScreenObjects::capacityOf(m_curKind) ||
        !m_objects.occupied(m_curKind, m_curIndex) || m_tool < 11) {
        return;
    }
    Point s = snap(p);
    int px = s.x, py = s.y;
    const Rect old = objectRect(m_curKind, m_curIndex);
    int x = old.left, y = old.top, w = old.width(), h = old.height();
    const int code = handleBase(m_tool);
    if (code == 11 || code == 15 || code == 17) { // top edge
        py = std::max(py, m_lcd.y);
        py = std::min(py, y + h - 32);
        h = h + y - py;
        y = py;
    }
    if (code == 12 || code == 16 || code == 18) { // bottom edge
        py = std::max(py, y + 32);
        py = std::min(py, m_lcd.y + kLcdHeight);
        h = py - y;
    }
    if (code == 13 || code == 15 || code == 16) { // left edge
        px = std::max(px, m_lcd.x);
        px = std::min(px, x + w - 24);
        w = w + x - px;
        x = px;
    }
    if (code == 14 || code == 17 || code == 18) { // right edge
        px = std::min(px, m_lcd.x + kLcdWidth);
        px = std::max(px, x + 24);
        w = px - x;
    }
    bool changed = false;
    withKind(m_curKind, [&](auto k) {
        using K = decltype(k);
        if constexpr (K::kResizable) {
            changed = K::resizeTo(m_objects.list<K>()[static_cast<size_t>(m_curIndex)],
                                  Rect::ofSize(x, y, w, h));
        }
    });
    if (changed) {
        m_modified = true;
    }
    Rect now = objectRect(m_curKind, m_curIndex);
    m_cur = {now.left, now.top};
    setPlaceSize(now.width(), now.height());
    invalidate(old.united(now).grown(2), false);
}

Rect EditorSession::bandLampRect(const LampObject& lamp, bool& stop) {
    int side = 0;
    if (lamp.name.empty()) {
        if (lamp.dotCount == 512) {
            side = 32;
        } else if (lamp.dotCount == 2048) {
            side = 64;
        } else {
            m_sink.show(Message::string(61525));
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
        m_sink.show(Message::string(61526));
        stop = true;
        return {};
    }
    return Rect::ofSize(lamp.x, lamp.y, side, side);
}

void EditorSession::bandSelect() {
    const Rect g = m_band.grown(2);
    auto inside = [&](const Rect& r) {
        return g.contains({r.left, r.top}) && g.contains({r.right, r.top}) &&
               g.contains({r.left, r.bottom}) && g.contains({r.right, r.bottom});
    };
    bool stop = false;
    forEachKind([&](auto k) {
        using K = decltype(k);
        auto& list = m_objects.list<K>();
        for (size_t i = 0; !stop && i < list.size(); ++i) {
            if (!list[i].occupies(K::kCode)) {
                continue;
            }
            Rect r;
            if constexpr (std::is_same_v<K, LampKind>) {
                // A lamp counts at the size of its file as it is now.
                r = bandLampRect(list[i], stop);
                if (stop || r.empty()) {
                    continue;
                }
            } else {
                r = K::rect(list[i], m_store.pictures);
            }
            if (inside(r)) {
                list[i].select(true);
            }
        }
    });
}

void EditorSession::release(Point) {
    if (m_dragMode == 3) {
        m_dragMode = 0;
        bandSelect();
    }
    invalidateLcd(true);
}

EditRequest EditorSession::doubleClick(Point p) {
    EditRequest r;
    m_curKind = hitTest(p);
    if (m_curKind != 0) {
        r.target = EditRequest::Target::Object;
        r.kind = m_curKind;
        r.index = m_curIndex;
        r.shortNumDisp = m_curKind == kKindNumDisp &&
                         m_objects.numDisps[static_cast<size_t>(m_curIndex)].shortForm();
    } else {
        for (int a = 0; a < static_cast<int>(m_panelKeyRects.size()); ++a) {
            if (m_panelKeyRects[static_cast<size_t>(a)].contains(p)) {
                r.target = EditRequest::Target::PanelKey;
                r.index = a;
                r.title = panelKeyTitle(a);
                break;
            }
        }
        if (r.target == EditRequest::Target::None) {
            for (int i = 0; i < static_cast<int>(m_fnKeyRects.size()); ++i) {
                if (m_fnKeyRects[static_cast<size_t>(i)].contains(p)) {
                    r.target = EditRequest::Target::FunctionKey;
                    r.index = i;
                    break;
                }
            }
        }
    }
    invalidateAll(true);
    return r;
}

void EditorSession::escape() {
    if (m_tool != 0) {
        m_tool = 0;
        m_cursor = EditorCursor::Arrow;
    }
}

bool EditorSession::contextMenu() {
    if (m_tool != 0) {
        m_tool = 0;
        updateCursor();
        return false;
    }
    return true;
}

// ---- Keys --------------------------------------------------------------------------------

Message EditorSession::panelKeyTitle(int a) {
    if (a <= 5) {
        return Message::string(61514, {std::to_string(a + 1)});
    }
    if (a <= 9) {
        return Message::string(61515 + (a - 6));
    }
    if (a <= 19) {
        return Message::string(61519, {std::to_string(a - 10)});
    }
    if (a <= 23) {
        return Message::string(61520 + (a - 20));
    }
    return Message::string(61524);
}

EditorSession::PanelKeyEdit EditorSession::beginPanelKeyEdit(int a) {
    const size_t k = static_cast<size_t>(a);
    PanelKeyEdit e;
    e.perScreen = m_store.globalKeys.at(k).kind == 1;
    // Per screen, the dialog shows the screen's definition; the project-wide record takes it
    // only when the dialog is confirmed.
    e.record = e.perScreen ? m_keys.at(k) : m_store.globalKeys.at(k);
    return e;
}

void EditorSession::applyPanelKeyEdit(int a, const KeyRecord& fields, bool perScreen) {
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

void EditorSession::setFunctionKeyFlag(int i, uint8_t value) {
    m_fnKeyFlags.at(static_cast<size_t>(i)) = value;
    m_modified = true;
}

// ---- Paint-time rules ---------------------------------------------------------------------

void EditorSession::prepareForPaint() {
    bool removed = false;
    forEachKind([&](auto k) {
        using K = decltype(k);
        auto& list = m_objects.list<K>();
        for (size_t i = 0; i < list.size();) {
            if constexpr (requires { K::keepsOnPaint(list[i], m_store.pictures); }) {
                if (list[i].occupies(K::kCode) && !K::keepsOnPaint(list[i], m_store.pictures)) {
                    m_objects.removeAt<K>(static_cast<int>(i));
                    removed = removed || m_curKind == K::kCode;
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
    if (removed) {
        m_curKind = 0;
        m_curIndex = kNoIndex;
    }
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
}

EditorSession::KeyMarker EditorSession::panelKeyMarker(int a) const {
    return m_keyMarkers.at(static_cast<size_t>(a));
}

void EditorSession::panelPictureMissing() {
    if (!m_pictureReported) {
        m_pictureReported = true;
        m_closeRequested = true;
        m_sink.show(Message::string(63593));
    }
}

} // namespace dispcraft
