#include "editor/ScreenRenderer.h"

#include "image/PanelGlyphs.h"
#include "config/PanelModelFile.h"
#include "base/ProgramDirectory.h"
#include "editor/BmpImage.h"
#include "editor/EditorSession.h"
#include "model/ProjectStore.h"

namespace dispcraft {

namespace {

void square(RgbImage& img, int x, int y, Rgb c) { img.fill(Rect::ofSize(x, y, 6, 6), c); }

void handles(RgbImage& img, const Rect& r) {
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
        square(img, p.x, p.y, ScreenRenderer::kRed);
    }
    img.focusRect(r);
}

// One row of dots, 0 = dark: each run of dark dots becomes one black strip two pixels high.
void darkRuns(RgbImage& img, const char* dots, int n, int x, int y) {
    for (int c = 0; c < n; ++c) {
        if (dots[c] == 0) {
            int end = c;
            while (end + 1 < n && dots[end + 1] == 0) {
                ++end;
            }
            img.fill({x + 2 * c, y, x + 2 * (end + 1), y + 2}, ScreenRenderer::kBlack);
            c = end;
        }
    }
}

void mark(RgbImage& img, const Rect& r) {
    square(img, r.left, r.top, ScreenRenderer::kRed);
    img.focusRect(r);
}

} // namespace

ScreenRenderer::ScreenRenderer(const RgbImage* picture, PanelGlyphs* glyphs)
    : m_picture(picture), m_glyphs(glyphs) {}

std::optional<RgbImage> ScreenRenderer::loadPanelPicture(const ProjectStore& store,
                                                         const ProgramDirectory& dir) {
    std::string modelFile = store.modelFilePath.empty() ? dir.modelFile() : store.modelFilePath;
    std::string name = PanelModelFile(modelFile).pictureFile(store.modelTitle);
    if (name.empty() || name == "none") {
        return std::nullopt;
    }
    return BmpImage::load(dir.file(name));
}

void ScreenRenderer::drawText(RgbImage& img, int x, int y, const std::string& text, int font,
                              bool reverse) {
    const Rgb background = reverse ? kInk : kLcdGreen;
    const Rgb ink = reverse ? kLcdGreen : kInk;
    const int dw = (font & 1) ? 4 : 2; // pixels per dot across
    const int dh = (font & 2) ? 4 : 2; // pixels per dot down
    if (m_glyphs == nullptr) {
        img.fill(Rect::ofSize(x, y, static_cast<int>(text.size()) * 8 * dw, 16 * dh), background);
        return;
    }
    int cx = x;
    for (const PanelGlyphs::Cell& cell : m_glyphs->cells(text)) {
        img.fill(Rect::ofSize(cx, y, cell.width * dw, 16 * dh), background);
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
                    img.fill({cx + col * dw, y + row * dh, cx + (end + 1) * dw, y + (row + 1) * dh},
                             ink);
                    col = end;
                }
            }
        }
        cx += cell.width * dw;
    }
}

void ScreenRenderer::render(EditorSession& s, RgbImage& img) {
    if (img.width() != kWidth || img.height() != kHeight) {
        img = RgbImage(kWidth, kHeight);
    }
    if (m_picture == nullptr) {
        s.panelPictureMissing();
        img.fillAll(kBlack);
    } else {
        img.copyFrom(*m_picture, kBlack);
    }
    s.prepareForPaint();
    const ScreenObjects& o = s.objects();
    const ProjectStore& store = s.store();
    const Point lcd = s.lcdOrigin();

    for (int i = 0; i < 23; ++i) {
        for (int j = 0; j < 7; ++j) {
            img.setPixel(lcd.x + 16 + 16 * i, lcd.y + 16 + 16 * j, kBlack);
        }
    }

    for (int i = 0; i < capacity::kTextStrings; ++i) {
        const TextStringObject& t = o.textStrings[static_cast<size_t>(i)];
        if (t.occupies(kKindTextString)) {
            drawText(img, t.x, t.y, t.text, t.attr & 3, (t.attr & 0x80) != 0);
            if (t.kindWord & kSelectedBit) {
                mark(img, s.objectRect(kKindTextString, i));
            }
        }
    }
    for (int i = 0; i < capacity::kMsgDisps; ++i) {
        const MsgDispObject& m = o.msgDisps[static_cast<size_t>(i)];
        if (m.occupies(kKindMsgDisp)) {
            drawText(img, m.x, m.y, m.texts[0], 0, (m.attr & 0x80) != 0);
            if (m.kindWord & kSelectedBit) {
                mark(img, s.objectRect(kKindMsgDisp, i));
            }
        }
    }
    for (int i = 0; i < capacity::kNumDisps; ++i) {
        const NumDispObject& n = o.numDisps[static_cast<size_t>(i)];
        if (n.occupies(kKindNumDisp)) {
            const bool placeholder = n.shortForm() && n.setting(1) == 5;
            drawText(img, n.x, n.y, placeholder ? m_placeholder : n.preview, n.attr & 3,
                     (n.attr & 0x80) != 0);
            if (n.kindWord & kSelectedBit) {
                mark(img, s.objectRect(kKindNumDisp, i));
            }
        }
    }
    for (int i = 0; i < capacity::kBarGraphs; ++i) {
        const BarGraphObject& b = o.barGraphs[static_cast<size_t>(i)];
        if (!b.occupies(kKindBarGraph)) {
            continue;
        }
        const Rect r = s.objectRect(kKindBarGraph, i);
        const int x = r.left, y = r.top, w = r.width(), h = r.height();
        const bool fromStart = (b.attr & 0x02) != 0;
        if (b.horizontal()) {
            img.penLine(x, y, x + w, y, kInk);
            img.penLine(x + w, y, x + w, y + h - 10, kInk);
            img.penLine(x + w, y + h - 10, x, y + h - 10, kInk);
            img.penLine(x, y + h - 10, x, y, kInk);
            img.penLine(x, y + h - 6, x + w, y + h - 6, kInk);
            img.penLine(x + w, y + h - 6, x + w, y + h, kInk);
            img.penLine(x, y + h, x, y + h - 6, kInk);
            for (int tick : {x + w / 4, x + w / 2, x + 3 * w / 4}) {
                img.penLine(tick, y + h, tick, y + h - 6, kInk);
            }
            img.fill(Rect::ofSize(fromStart ? x : x + w / 3, y + 2, 2 * w / 3, h - 10 - 2), kInk);
        } else {
            img.penLine(x, y, x + w, y, kInk);
            img.penLine(x + w, y, x + w, y + h, kInk);
            img.penLine(x + w, y + h, x, y + h, kInk);
            img.penLine(x, y + h, x, y, kInk);
            img.penLine(x + 10, y, x + 10, y + h, kInk);
            img.penLine(x + 6, y, x + 6, y + h, kInk);
            for (int tick : {y + h / 4, y + h / 2, y + 3 * h / 4}) {
                img.penLine(x, tick, x + 6, tick, kInk);
            }
            img.fill(Rect::ofSize(x + 10, fromStart ? y : y + h / 3, w - 10 - 2, 2 * h / 3 - 1),
                     kInk);
        }
        if (b.kindWord & kSelectedBit) {
            handles(img, r);
        }
    }
    for (int i = 0; i < capacity::kTrendGraphs; ++i) {
        const TrendGraphObject& t = o.trendGraphs[static_cast<size_t>(i)];
        if (!t.occupies(kKindTrendGraph)) {
            continue;
        }
        const Rect r = s.objectRect(kKindTrendGraph, i);
        const int x = r.left, y = r.top, w = r.width(), h = r.height();
        img.penLine(x + 4, y, x + 4, y + h, kInk);
        img.penLine(x, y + h - 4, x + w, y + h - 4, kInk);
        img.penLine(x + 4, y + h - 4, x + w / 3, y + h / 3, kInk);
        img.penLine(x + w / 3, y + h / 3, x + 2 * w / 3, y + h / 3, kInk);
        img.penLine(x + 2 * w / 3, y + h / 3, x + w, y, kInk);
        for (int tick : {y + h / 4, y + h / 2, y + 3 * h / 4}) {
            img.penLine(x + 4, tick, x, tick, kInk);
        }
        img.penLine(x + 4, y, x, y + 8, kInk);
        img.penLine(x + w, y + h - 4, x + w - 8, y + h, kInk);
        if (t.kindWord & kSelectedBit) {
            handles(img, r);
        }
    }
    for (int i = 0; i < capacity::kLamps; ++i) {
        const LampObject& l = o.lamps[static_cast<size_t>(i)];
        if (!l.occupies(kKindLamp)) {
            continue;
        }
        const int size = l.dotCount == 512 ? 16 : 32;
        for (int k = 0; k < size; ++k) {
            // A lamp whose file was missing has no dots to show.
            const size_t row = static_cast<size_t>(k * 2 * size);
            if (row + static_cast<size_t>(size) <= l.dots.size()) {
                darkRuns(img, l.dots.data() + row, size, l.x, l.y + 2 * size - 2 * k);
            }
        }
        if (l.kindWord & kSelectedBit) {
            mark(img, s.objectRect(kKindLamp, i));
        }
    }
    for (int i = 0; i < capacity::kPictureObjects; ++i) {
        const PictureObject& p = o.pictures[static_cast<size_t>(i)];
        if (!p.occupies(kKindPicture)) {
            continue;
        }
        const PictureTableEntry& e = store.pictures[p.pictureNo]; // defined, by prepareForPaint
        const int w = e.width, h = e.height;
        for (int k = 0; k < h; ++k) {
            // A damaged table entry may hold fewer dots than its size says.
            const size_t row = static_cast<size_t>(k * w);
            if (row + static_cast<size_t>(w) <= e.dots.size()) {
                darkRuns(img, e.dots.data() + row, w, p.x, p.y + 2 * (h - k) - 1);
            }
        }
        if (p.kindWord & kSelectedBit) {
            mark(img, s.objectRect(kKindPicture, i));
        }
    }
    if (s.dragMode() == 3) {
        const Rect& band = s.bandRect();
        img.focusRect(band);
        img.setPixel(band.left, band.top, kRed);
    }
    for (size_t i = 0; i < s.fnKeyRects().size(); ++i) {
        if (s.fnKeyFlags()[i] != 0) {
            square(img, s.fnKeyRects()[i].left, s.fnKeyRects()[i].top, kBlue);
        }
    }
    for (int a = 0; a < static_cast<int>(s.panelKeyRects().size()); ++a) {
        const Rect& r = s.panelKeyRects()[static_cast<size_t>(a)];
        switch (s.panelKeyMarker(a)) {
        case EditorSession::KeyMarker::PerScreen: square(img, r.left, r.top, kBlue); break;
        case EditorSession::KeyMarker::Global: square(img, r.left, r.top, kRed); break;
        default: break;
        }
    }
}

} // namespace dispcraft
