#include "editor/PointerTool.h"

#include "base/MessageSink.h"
#include "editor/ScreenContents.h"
#include "model/ProjectStore.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <type_traits>

namespace dispcraft {

namespace {

constexpr int kGrid = ScreenContents::kGrid;
constexpr int kHandleSize = 6;

bool movesTop(Handle h) {
    return h == Handle::Top || h == Handle::TopLeft || h == Handle::TopRight;
}
bool movesBottom(Handle h) {
    return h == Handle::Bottom || h == Handle::BottomLeft || h == Handle::BottomRight;
}
bool movesLeft(Handle h) {
    return h == Handle::Left || h == Handle::TopLeft || h == Handle::BottomLeft;
}
bool movesRight(Handle h) {
    return h == Handle::Right || h == Handle::TopRight || h == Handle::BottomRight;
}

EditorCursor sizingCursor(Handle h) {
    switch (h) {
    case Handle::Top:
    case Handle::Bottom:
        return EditorCursor::SizeNorthSouth;
    case Handle::Left:
    case Handle::Right:
        return EditorCursor::SizeWestEast;
    case Handle::TopLeft:
    case Handle::BottomRight:
        return EditorCursor::SizeNorthwestSoutheast;
    default:
        return EditorCursor::SizeNortheastSouthwest;
    }
}

EditorCursor placementCursor(int kind) {
    switch (kind) {
    case kKindTextString:
        return EditorCursor::PlaceTextString;
    case kKindMsgDisp:
        return EditorCursor::PlaceMsgDisp;
    case kKindNumDisp:
        return EditorCursor::PlaceNumDisp;
    case kKindBarGraph:
        return EditorCursor::PlaceBarGraph;
    case kKindTrendGraph:
        return EditorCursor::PlaceTrendGraph;
    default:
        return EditorCursor::PlaceLampOrPicture;
    }
}

// What printf's "%0<width>d" gives, appended to a buffer: the sign counts in the width. The
// status text changes with every pointer move, so it is formatted without printf.
char* putPadded(char* out, int value, int width) {
    unsigned long long magnitude = value < 0 ? 0ull - static_cast<unsigned long long>(value)
                                             : static_cast<unsigned long long>(value);
    char digits[24];
    int n = 0;
    do {
        digits[n++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0) {
        *out++ = '-';
        --width;
    }
    for (int pad = n; pad < width; ++pad) {
        *out++ = '0';
    }
    while (n > 0) {
        *out++ = digits[--n];
    }
    return out;
}

char* putText(char* out, std::string_view text) {
    for (char c : text) {
        *out++ = c;
    }
    return out;
}

bool resizable(int kind) {
    bool r = false;
    withKind(kind, [&](auto k) { r = decltype(k)::kResizable; });
    return r;
}

} // namespace

// ---- Tools ------------------------------------------------------------------------------------

void PointerTool::armPlacement(int kind, int placeWidth, int placeHeight) {
    m_placeKind = kind;
    m_handle = Handle::None;
    // Whatever the last press was dragging stays where it is.
    m_dragMode = DragMode::None;
    m_group.clear();
    m_narrowOnRelease = false;
    setPlaceSize(placeWidth, placeHeight);
    // The tool's cursor shows at once, not only once the pointer moves.
    updateCursor();
}

void PointerTool::setPlaceSize(int w, int h) {
    m_placeW = w;
    m_placeH = h;
}

void PointerTool::selectTool() {
    disarm();
    m_cursor = EditorCursor::Arrow;
}

void PointerTool::forgetCurrent() {
    m_curKind = 0;
    m_curIndex = kNoIndex;
}

void PointerTool::updateCursor() {
    if (m_placeKind != 0) {
        m_cursor = placementCursor(m_placeKind);
    } else if (m_handle != Handle::None) {
        m_cursor = sizingCursor(m_handle);
    } else {
        m_cursor = EditorCursor::Arrow;
    }
}

// ---- Hit tests ----------------------------------------------------------------------------------

int PointerTool::hitTest(Point p) {
    m_curIndex = kNoIndex;
    m_contents.deselectAll();
    m_dragMode = DragMode::None;
    int hit = 0;
    ScreenObjects& objects = m_contents.objects();
    const PictureTable& pictures = m_contents.store().pictures;
    forEachKind([&](auto k) {
        using K = decltype(k);
        auto& list = objects.list<K>();
        for (size_t i = 0; hit == 0 && i < list.size(); ++i) {
            if (!list[i].occupies(K::kCode)) {
                continue;
            }
            Rect r = K::rect(list[i], pictures);
            if (r.contains(p)) {
                list[i].select(true);
                m_curIndex = static_cast<int>(i);
                m_cur = {r.left, r.top};
                setPlaceSize(r.width(), r.height());
                m_dragMode = DragMode::Move;
                hit = K::kCode;
            }
        }
    });
    return hit;
}

std::pair<int, int> PointerTool::objectAt(Point p) const {
    std::pair<int, int> found{0, kNoIndex};
    const ScreenObjects& objects = m_contents.objects();
    const PictureTable& pictures = m_contents.store().pictures;
    forEachKind([&](auto k) {
        using K = decltype(k);
        const auto& list = objects.list<K>();
        for (size_t i = 0; found.first == 0 && i < list.size(); ++i) {
            if (list[i].occupies(K::kCode) && K::rect(list[i], pictures).contains(p)) {
                found = {K::kCode, static_cast<int>(i)};
            }
        }
    });
    return found;
}

// A handle of the current object under the pointer makes it the tool; anywhere else a handle
// tool goes back to select.
void PointerTool::handleTest(Point p) {
    // The current object's rectangle when it is one with handles.
    std::optional<Rect> current;
    withKind(m_curKind, [&](auto k) {
        using K = decltype(k);
        if constexpr (K::kResizable) {
            const auto& list = m_contents.objects().list<K>();
            if (m_curIndex >= 0 && m_curIndex < K::kCapacity &&
                list[static_cast<size_t>(m_curIndex)].occupies(K::kCode)) {
                current =
                    K::rect(list[static_cast<size_t>(m_curIndex)], m_contents.store().pictures);
            }
        }
    });
    if (current) {
        const Rect r = *current;
        const int x = r.left, y = r.top, w = r.width(), h = r.height();
        const int s = kHandleSize;
        struct Spot {
            Handle handle;
            int hx, hy;
        };
        // The order in which the handles are tried.
        const Spot spots[] = {
            {Handle::TopLeft, x, y},
            {Handle::TopRight, x + w - s, y},
            {Handle::Top, x + w / 2 - s / 2, y},
            {Handle::Left, x, y + h / 2 - s / 2},
            {Handle::BottomLeft, x, y + h - s},
            {Handle::Bottom, x + w / 2 - s / 2, y + h - s},
            {Handle::BottomRight, x + w - s, y + h - s},
            {Handle::Right, x + w - s, y + h / 2 - s / 2},
        };
        for (const Spot& spot : spots) {
            if (Rect::ofSize(spot.hx, spot.hy, s, s).contains(p)) {
                m_handle = spot.handle;
                m_dragMode = DragMode::Resize;
                return;
            }
        }
    }
    m_dragMode = DragMode::None;
    m_handle = Handle::None;
}

bool PointerTool::inBandArea(Point p) const {
    const Point lcd = m_contents.lcdOrigin();
    return lcd.x - 2 < p.x && p.x < lcd.x + ScreenContents::kLcdWidth + 2 && lcd.y - 2 < p.y &&
           p.y < lcd.y + ScreenContents::kLcdHeight + 2;
}

// ---- Pointer events -----------------------------------------------------------------------------

void PointerTool::press(Point p, bool toggle) {
    m_last = p;
    m_narrowOnRelease = false;
    m_dragged = false;
    m_group.clear();
    if (m_dragMode == DragMode::Resize && m_placeKind == 0) {
        m_cursor = sizingCursor(m_handle);
        return;
    }
    if (armed()) {
        m_cur = m_contents.keepInsideLcd(m_contents.snap(p), m_placeW, m_placeH);
        m_contents.setModified();
    }
    m_band = {p.x, p.y, p.x, p.y};
    ScreenObjects& objects = m_contents.objects();
    if (m_placeKind != 0) {
        // Placing drags nothing: the object placed stays where the click put it.
        m_dragMode = DragMode::None;
        m_contents.deselectAll();
        place();
    } else if (armed()) {
        m_contents.deselectAll();
    } else if (toggle) {
        const auto [kind, slot] = objectAt(p);
        m_dragMode = DragMode::None;
        if (kind != 0) {
            EditorObject& o = objects.head(kind, slot);
            o.select(!o.selected());
            if (o.selected()) {
                m_curKind = kind;
                m_curIndex = slot;
            } else {
                forgetCurrent();
            }
        } else if (inBandArea(p)) {
            m_dragMode = DragMode::Band; // adds to the selection
        }
    } else {
        const auto [kind, slot] = objectAt(p);
        if (kind != 0 && objects.head(kind, slot).selected()) {
            // A press on a selected object keeps the selection, so that all of it moves.
            m_curKind = kind;
            m_curIndex = slot;
            const Rect r = m_contents.objectRect(kind, slot);
            m_cur = {r.left, r.top};
            setPlaceSize(r.width(), r.height());
            m_dragMode = DragMode::Move;
            m_narrowOnRelease = true;
        } else {
            m_curKind = hitTest(p);
            if (m_curKind == 0 && inBandArea(p)) {
                m_dragMode = DragMode::Band;
            }
        }
        if (m_dragMode == DragMode::Move) {
            m_group = ObjectArrangement::selection(m_contents);
            m_groupBounds = ObjectArrangement::bounds(m_group);
            m_groupOffset = {};
        }
    }
    m_contents.invalidateLcdMarks();
}

void PointerTool::place() {
    const int kind = m_placeKind;
    ScreenObjects& objects = m_contents.objects();
    const int i = objects.firstFree(kind);
    withKind(kind, [&](auto k) {
        using K = decltype(k);
        if (i < 0) {
            disarm();
            m_cursor = EditorCursor::Arrow;
            m_contents.sink().show(Message::string(K::kFullString, {std::to_string(K::kCapacity)}));
            return;
        }
        const size_t slot = static_cast<size_t>(i);
        typename K::Object& placed = objects.list<K>()[slot];
        placed = K::place(m_contents.templates().of<K>());
        if constexpr (HasSide<K>) {
            objects.sides<K>()[slot] = m_contents.templates().side<K>();
        }
        placed.kindWord = static_cast<uint32_t>(kind) + kSelectedBit;
        placed.x = m_cur.x;
        placed.y = m_cur.y;
        if constexpr (std::is_same_v<K, LampKind>) {
            if (m_contents.loadLampDots(placed)) {
                int side = placed.big() ? 64 : 32;
                setPlaceSize(side, side);
            }
        }
    });
}

void PointerTool::move(Point p, bool leftButton) {
    const Point lcd = m_contents.lcdOrigin();
    int dotX = (p.x - lcd.x) * 192 / 384;
    dotX = std::clamp(dotX / 4 * 4, 0, 192);
    int dotY = std::clamp((p.y - lcd.y) * 64 / 128, 0, 64);
    // "X: %04d ,Y: %04d  LCD_X:%03d,LCD_Y:%03d"
    char buf[96];
    char* end = putPadded(putText(buf, "X: "), p.x, 4);
    end = putPadded(putText(end, " ,Y: "), p.y, 4);
    end = putPadded(putText(end, "  LCD_X:"), dotX, 3);
    end = putPadded(putText(end, ",LCD_Y:"), dotY, 3);
    m_status.assign(buf, end);

    if (leftButton) {
        switch (m_dragMode) {
        case DragMode::Move:
            moveCurrent(p);
            break;
        case DragMode::Resize:
            resizeCurrent(p);
            break;
        case DragMode::Band: {
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
                m_contents.invalidate(old.united(m_band).grown(2), false);
            }
            break;
        }
        case DragMode::None:
            break;
        }
        return;
    }
    m_last = p;
    if (!armed()) {
        handleTest(p);
    }
    updateCursor();
    if (m_handle != Handle::None) {
        handleTest(p);
        updateCursor();
    }
}

void PointerTool::moveCurrent(Point p) {
    if (m_group.empty()) {
        return;
    }
    // Whole grid steps from the press point, as far as the group stays inside the LCD.
    const Point s = m_contents.snap(p);
    m_groupOffset.x += (s.x - m_last.x) / kGrid * kGrid;
    m_groupOffset.y += (s.y - m_last.y) / kGrid * kGrid;
    m_last = s;
    m_groupOffset = ObjectArrangement::keepInside(m_contents, m_groupBounds, m_groupOffset);
    ObjectArrangement::place(m_contents, m_group, m_groupOffset);
    m_dragged = m_dragged || m_groupOffset != Point{};
    if (m_curIndex != kNoIndex && m_curKind != 0 &&
        m_curIndex < ScreenObjects::capacityOf(m_curKind) &&
        m_contents.objects().occupied(m_curKind, m_curIndex)) {
        const EditorObject& o = m_contents.objects().head(m_curKind, m_curIndex);
        m_cur = {o.x, o.y};
    }
}

void PointerTool::resizeCurrent(Point p) {
    ScreenObjects& objects = m_contents.objects();
    if (!resizable(m_curKind) || m_curIndex >= ScreenObjects::capacityOf(m_curKind) ||
        !objects.occupied(m_curKind, m_curIndex) || m_handle == Handle::None) {
        return;
    }
    const Point lcd = m_contents.lcdOrigin();
    const Point s = m_contents.snap(p);
    int px = s.x, py = s.y;
    const Rect old = m_contents.objectRect(m_curKind, m_curIndex);
    int x = old.left, y = old.top, w = old.width(), h = old.height();
    // The smallest size a drag leaves: 16 x 12 dots.
    constexpr int kMinHeight = 32;
    constexpr int kMinWidth = 24;
    if (movesTop(m_handle)) {
        py = std::max(py, lcd.y);
        py = std::min(py, y + h - kMinHeight);
        h = h + y - py;
        y = py;
    }
    if (movesBottom(m_handle)) {
        py = std::max(py, y + kMinHeight);
        py = std::min(py, lcd.y + ScreenContents::kLcdHeight);
        h = py - y;
    }
    if (movesLeft(m_handle)) {
        px = std::max(px, lcd.x);
        px = std::min(px, x + w - kMinWidth);
        w = w + x - px;
        x = px;
    }
    if (movesRight(m_handle)) {
        px = std::min(px, lcd.x + ScreenContents::kLcdWidth);
        px = std::max(px, x + kMinWidth);
        w = px - x;
    }
    bool changed = false;
    withKind(m_curKind, [&](auto k) {
        using K = decltype(k);
        if constexpr (K::kResizable) {
            changed = K::resizeTo(objects.list<K>()[static_cast<size_t>(m_curIndex)],
                                  Rect::ofSize(x, y, w, h));
        }
    });
    if (changed) {
        m_contents.setModified();
    }
    Rect now = m_contents.objectRect(m_curKind, m_curIndex);
    m_cur = {now.left, now.top};
    setPlaceSize(now.width(), now.height());
    m_contents.invalidate(old.united(now).grown(2), false);
}

void PointerTool::bandSelect() {
    const Rect g = m_band.grown(2);
    auto inside = [&](const Rect& r) {
        return g.contains({r.left, r.top}) && g.contains({r.right, r.top}) &&
               g.contains({r.left, r.bottom}) && g.contains({r.right, r.bottom});
    };
    ScreenObjects& objects = m_contents.objects();
    const PictureTable& pictures = m_contents.store().pictures;
    bool stop = false;
    forEachKind([&](auto k) {
        using K = decltype(k);
        auto& list = objects.list<K>();
        for (size_t i = 0; !stop && i < list.size(); ++i) {
            if (!list[i].occupies(K::kCode)) {
                continue;
            }
            Rect r;
            if constexpr (std::is_same_v<K, LampKind>) {
                r = m_contents.bandLampRect(list[i], stop);
                if (stop || r.empty()) {
                    continue;
                }
            } else {
                r = K::rect(list[i], pictures);
            }
            if (inside(r)) {
                list[i].select(true);
            }
        }
    });
}

void PointerTool::release(Point) {
    if (m_dragMode == DragMode::Band) {
        bandSelect();
    }
    // A click on one object of a selection, without a drag, selects that object alone.
    if (m_dragMode == DragMode::Move && m_narrowOnRelease && !m_dragged &&
        m_curKind != 0 && m_curIndex < ScreenObjects::capacityOf(m_curKind) &&
        m_contents.objects().occupied(m_curKind, m_curIndex)) {
        m_contents.deselectAll();
        m_contents.objects().head(m_curKind, m_curIndex).select(true);
    }
    // A resize handle stays the tool until the pointer leaves it.
    if (m_dragMode != DragMode::Resize) {
        m_dragMode = DragMode::None;
    }
    m_group.clear();
    m_narrowOnRelease = false;
    m_contents.invalidateLcd(true);
}

EditRequest PointerTool::doubleClick(Point p) {
    EditRequest r;
    m_curKind = hitTest(p);
    if (m_curKind != 0) {
        r.target = EditRequest::Target::Object;
        r.kind = m_curKind;
        r.index = m_curIndex;
        r.shortNumDisp = m_curKind == kKindNumDisp &&
                         m_contents.objects().numDisps[static_cast<size_t>(m_curIndex)].shortForm();
    } else {
        const auto& panelKeys = m_contents.panelKeyRects();
        for (size_t a = 0; a < panelKeys.size(); ++a) {
            if (panelKeys[a].contains(p)) {
                r.target = EditRequest::Target::PanelKey;
                r.index = static_cast<int>(a);
                r.title = ScreenContents::panelKeyTitle(r.index);
                break;
            }
        }
        const auto& fnKeys = m_contents.fnKeyRects();
        for (size_t i = 0; r.target == EditRequest::Target::None && i < fnKeys.size(); ++i) {
            if (fnKeys[i].contains(p)) {
                r.target = EditRequest::Target::FunctionKey;
                r.index = static_cast<int>(i);
            }
        }
    }
    m_contents.invalidateAll(true);
    return r;
}

void PointerTool::escape() {
    if (armed()) {
        disarm();
        m_cursor = EditorCursor::Arrow;
    }
}

bool PointerTool::contextMenu() {
    if (armed()) {
        disarm();
        updateCursor();
        return false;
    }
    return true;
}

} // namespace dispcraft
