#pragma once

#include "base/RgbImage.h"
#include "objects/ObjectCanvas.h"

#include <optional>
#include <string>

namespace dispcraft {

class EditorSession;
class TextCells;
class ProgramDirectory;
struct ProjectStore;

// Draws a screen window's view into an 800 x 500 RGB picture: the panel picture, the LCD grid,
// every object as the panel's LCD shows it (texts with the panel's own glyphs, two view pixels
// per dot), selection marks, the rubber band and the key markers. The whole view is drawn on
// every call; there is no cache of drawn objects.
class ScreenRenderer {
public:
    static constexpr int kWidth = 800;
    static constexpr int kHeight = 500;
    static constexpr Rgb kLcdGreen = ObjectCanvas::kLcdGreen;
    static constexpr Rgb kInk = ObjectCanvas::kInk;
    static constexpr Rgb kBlack = ObjectCanvas::kBlack;
    static constexpr Rgb kRed = ObjectCanvas::kRed;
    static constexpr Rgb kBlue = ObjectCanvas::kBlue;

    // picture: the panel picture, or null when it could not be loaded (the view is then black
    // but for the LCD). glyphs may be null: texts then show blank cells.
    ScreenRenderer(const RgbImage* picture, TextCells* glyphs);

    // The panel picture of the project's model: key "bmp" of the model's section of the panel
    // model file, relative to the program directory; nothing when missing or unreadable.
    static std::optional<RgbImage> loadPanelPicture(const ProjectStore& store,
                                                    const ProgramDirectory& dir);

    // GB2312 text shown for the clock display of the weekday (kWeekdayPlaceholder).
    void setShortFormPlaceholder(std::string gb) { m_placeholder = std::move(gb); }

    bool hasPanelPicture() const { return m_picture != nullptr; }

    // Draws a session as it is into image (made 800 x 500); see EditorSession::readyToPaint.
    void render(const EditorSession& session, RgbImage& image) const;

private:
    const RgbImage* m_picture;
    TextCells* m_glyphs;
    std::string m_placeholder = "?";
};

} // namespace dispcraft
