#include "editor/ObjectArrangement.h"

#include "editor/ScreenContents.h"
#include "model/ProjectStore.h"

#include <algorithm>
#include <cmath>

namespace dispcraft {

namespace {

constexpr int kGrid = ScreenContents::kGrid;

// The nearest grid position to v, the grid starting at origin.
int nearestOnGrid(int v, int origin) {
    const double steps = std::floor((v - origin) / double(kGrid) + 0.5);
    return origin + static_cast<int>(steps) * kGrid;
}

} // namespace

std::vector<ObjectArrangement::Member> ObjectArrangement::selection(const ScreenContents& screen) {
    std::vector<Member> members;
    const PictureTable& pictures = screen.store().pictures;
    forEachKind([&](auto k) {
        using K = decltype(k);
        const auto& list = screen.objects().list<K>();
        for (size_t i = 0; i < list.size(); ++i) {
            if (list[i].occupies(K::kCode) && list[i].selected()) {
                members.push_back({K::kCode, static_cast<int>(i), K::rect(list[i], pictures)});
            }
        }
    });
    return members;
}

Rect ObjectArrangement::bounds(const std::vector<Member>& members) {
    if (members.empty()) {
        return {};
    }
    Rect r = members.front().rect;
    for (const Member& m : members) {
        r = r.united(m.rect);
    }
    return r;
}

Point ObjectArrangement::keepInside(const ScreenContents& screen, const Rect& b, Point delta) {
    const Rect lcd = screen.lcdRect();
    auto axis = [](int d, int low, int high, int lcdLow, int lcdHigh) {
        if (high - low > lcdHigh - lcdLow) {
            return 0;
        }
        return std::clamp(d, lcdLow - low, lcdHigh - high);
    };
    return {axis(delta.x, b.left, b.right, lcd.left, lcd.right),
            axis(delta.y, b.top, b.bottom, lcd.top, lcd.bottom)};
}

bool ObjectArrangement::place(ScreenContents& screen, const std::vector<Member>& members,
                              Point delta) {
    ScreenObjects& objects = screen.objects();
    bool moved = false;
    bool wholeLcd = false;
    for (const Member& m : members) {
        if (!objects.occupied(m.kind, m.slot)) {
            continue;
        }
        EditorObject& o = objects.head(m.kind, m.slot);
        const Rect old = screen.objectRect(m.kind, m.slot);
        const Point to{m.rect.left + delta.x, m.rect.top + delta.y};
        if (o.x == to.x && o.y == to.y) {
            continue;
        }
        o.x = to.x;
        o.y = to.y;
        moved = true;
        // A numeric display's drawing reaches past its rectangle.
        if (m.kind == kKindNumDisp) {
            wholeLcd = true;
        } else {
            screen.invalidate(old.united(screen.objectRect(m.kind, m.slot)).grown(2), false);
        }
    }
    if (moved) {
        screen.setModified();
        if (wholeLcd) {
            screen.invalidateLcd(true);
        }
    }
    return moved;
}

Point ObjectArrangement::moveSelection(ScreenContents& screen, Point delta) {
    const std::vector<Member> members = selection(screen);
    if (members.empty()) {
        return {};
    }
    const Point d = keepInside(screen, bounds(members), delta);
    place(screen, members, d);
    return d;
}

bool ObjectArrangement::align(ScreenContents& screen, Alignment how) {
    std::vector<Member> members = selection(screen);
    if (members.size() < 2) {
        return false;
    }
    const Rect all = bounds(members);
    const bool across = how == Alignment::Left || how == Alignment::Right ||
                        how == Alignment::Centres || how == Alignment::SpaceAcross;
    // Where each member's left (across) or top (down) goes, before the grid and the LCD.
    std::vector<int> target(members.size());
    auto spread = [&](auto low, auto size) {
        std::vector<size_t> order(members.size());
        for (size_t i = 0; i < order.size(); ++i) {
            order[i] = i;
        }
        std::stable_sort(order.begin(), order.end(),
                         [&](size_t a, size_t b) { return low(members[a]) < low(members[b]); });
        const Member& first = members[order.front()];
        const Member& last = members[order.back()];
        const int span = low(last) + size(last) - low(first);
        int sizes = 0;
        for (const Member& m : members) {
            sizes += size(m);
        }
        const double gap = double(span - sizes) / double(members.size() - 1);
        int at = low(first);
        for (size_t n = 0; n < order.size(); ++n) {
            target[order[n]] = at + static_cast<int>(std::lround(gap * double(n)));
            at += size(members[order[n]]);
        }
    };
    for (size_t i = 0; i < members.size(); ++i) {
        const Rect& r = members[i].rect;
        switch (how) {
        case Alignment::Left:
            target[i] = all.left;
            break;
        case Alignment::Right:
            target[i] = all.right - r.width();
            break;
        case Alignment::Top:
            target[i] = all.top;
            break;
        case Alignment::Bottom:
            target[i] = all.bottom - r.height();
            break;
        case Alignment::Centres:
            target[i] = (all.left + all.right) / 2 - r.width() / 2;
            break;
        case Alignment::Middles:
            target[i] = (all.top + all.bottom) / 2 - r.height() / 2;
            break;
        default:
            break;
        }
    }
    if (how == Alignment::SpaceAcross) {
        spread([](const Member& m) { return m.rect.left; },
               [](const Member& m) { return m.rect.width(); });
    } else if (how == Alignment::SpaceDown) {
        spread([](const Member& m) { return m.rect.top; },
               [](const Member& m) { return m.rect.height(); });
    }
    bool moved = false;
    const Point lcd = screen.lcdOrigin();
    for (size_t i = 0; i < members.size(); ++i) {
        const Rect& r = members[i].rect;
        Point p{r.left, r.top};
        if (across) {
            p.x = nearestOnGrid(target[i], lcd.x);
        } else {
            p.y = nearestOnGrid(target[i], lcd.y);
        }
        p = screen.keepInsideLcd(p, r.width(), r.height());
        moved = place(screen, {members[i]}, {p.x - r.left, p.y - r.top}) || moved;
    }
    return moved;
}

} // namespace dispcraft
