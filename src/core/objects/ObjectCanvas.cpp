#include "objects/ObjectCanvas.h"

#include "objects/TextCells.h"

namespace dispcraft {

void ObjectCanvas::text(int x, int y, std::string_view text, int font, bool reverse) {
    const Rgb background = reverse ? kInk : kLcdGreen;
    const Rgb ink = reverse ? kLcdGreen : kInk;
    const int dw = (font & 1) ? 4 : 2; // pixels per dot across
    const int dh = (font & 2) ? 4 : 2; // pixels per dot down
    if (m_glyphs == nullptr) {
        m_image.fill(Rect::ofSize(x, y, static_cast<int>(text.size()) * 8 * dw, 16 * dh),
                     background);
        return;
    }
    int cx = x;
    for (const TextCell& cell : m_glyphs->cells(text)) {
        m_image.fill(Rect::ofSize(cx, y, cell.width * dw, 16 * dh), background);
        for (int row = 0; row < 16; ++row) {
            uint16_t bits = cell.bitmap.rows[static_cast<size_t>(row)];
            if (bits == 0) {
                continue;
            }
            for (int col = 0; col < cell.width; ++col) {
                if (bits & (0x8000u >> col)) {
                    // Runs of lit dots are filled at once.
                    int end = col;
                    while (end + 1 < cell.width && (bits & (0x8000u >> (end + 1)))) {
                        ++end;
                    }
                    m_image.fill(
                        {cx + col * dw, y + row * dh, cx + (end + 1) * dw, y + (row + 1) * dh},
                        ink);
                    col = end;
                }
            }
        }
        cx += cell.width * dw;
    }
}

void ObjectCanvas::darkRuns(const char* dots, int n, int x, int y) {
    for (int c = 0; c < n; ++c) {
        if (dots[c] == 0) {
            int end = c;
            while (end + 1 < n && dots[end + 1] == 0) {
                ++end;
            }
            m_image.fill({x + 2 * c, y, x + 2 * (end + 1), y + 2}, kBlack);
            c = end;
        }
    }
}

void ObjectCanvas::selectionMark(const Rect& r) {
    square(r.left, r.top, kRed);
    m_image.focusRect(r);
}

void ObjectCanvas::handles(const Rect& r) {
    const int x = r.left, y = r.top, w = r.width(), h = r.height();
    const Point at[] = {{x, y},
                        {x, y + h - 6},
                        {x, y + h / 2 - 3},
                        {x + w - 6, y + h - 6},
                        {x + w - 6, y},
                        {x + w - 6, y + h / 2 - 3},
                        {x + w / 2 - 3, y},
                        {x + w / 2 - 3, y + h - 6}};
    for (const Point& p : at) {
        square(p.x, p.y, kRed);
    }
    m_image.focusRect(r);
}

} // namespace dispcraft
