#include "editor/ScreenRenderer.h"

#include "base/ProgramDirectory.h"
#include "config/PanelModelFile.h"
#include "editor/BmpImage.h"
#include "editor/EditorSession.h"
#include "model/ProjectStore.h"
#include "objects/ObjectCanvas.h"

namespace dispcraft {

ScreenRenderer::ScreenRenderer(const RgbImage* picture, TextCells* glyphs)
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

void ScreenRenderer::render(const EditorSession& session, RgbImage& img) const {
    if (img.width() != kWidth || img.height() != kHeight) {
        img = RgbImage(kWidth, kHeight);
    }
    if (m_picture == nullptr) {
        img.fillAll(kBlack);
    } else {
        img.copyFrom(*m_picture, kBlack);
    }
    const ScreenContents& s = session.screen();
    const ScreenObjects& o = s.objects();
    const ProjectStore& store = s.store();
    const Point lcd = s.lcdOrigin();

    for (int i = 0; i < 23; ++i) {
        for (int j = 0; j < 7; ++j) {
            img.setPixel(lcd.x + 16 + 16 * i, lcd.y + 16 + 16 * j, kBlack);
        }
    }

    ObjectCanvas canvas(img, m_glyphs, store.pictures, m_placeholder);
    forEachKind([&](auto k) {
        using K = decltype(k);
        for (const auto& object : o.list<K>()) {
            if (!object.occupies(K::kCode)) {
                continue;
            }
            K::draw(object, canvas);
            if (object.selected()) {
                const Rect r = K::rect(object, store.pictures);
                if constexpr (K::kResizable) {
                    canvas.handles(r);
                } else {
                    canvas.selectionMark(r);
                }
            }
        }
    });
    if (session.pointer().dragMode() == DragMode::Band) {
        const Rect& band = session.pointer().bandRect();
        img.focusRect(band);
        img.setPixel(band.left, band.top, kRed);
    }
    for (size_t i = 0; i < s.fnKeyRects().size(); ++i) {
        if (s.fnKeyFlags()[i] != 0) {
            canvas.square(s.fnKeyRects()[i].left, s.fnKeyRects()[i].top, kBlue);
        }
    }
    for (int a = 0; a < static_cast<int>(s.panelKeyRects().size()); ++a) {
        const Rect& r = s.panelKeyRects()[static_cast<size_t>(a)];
        switch (s.panelKeyMarker(a)) {
        case ScreenContents::KeyMarker::PerScreen:
            canvas.square(r.left, r.top, kBlue);
            break;
        case ScreenContents::KeyMarker::Global:
            canvas.square(r.left, r.top, kRed);
            break;
        default:
            break;
        }
    }
}

} // namespace dispcraft
