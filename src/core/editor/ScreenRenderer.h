#pragma once

#include "editor/RgbImage.h"

#include <optional>
#include <string>

namespace dispcraft {

class EditorSession;
class PanelGlyphs;
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
    static constexpr Rgb kLcdGreen{50, 200, 50};
    static constexpr Rgb kInk{1, 1, 1};
    static constexpr Rgb kBlack{0, 0, 0};
    static constexpr Rgb kRed{255, 0, 0};
    static constexpr Rgb kBlue{0, 0, 255};

    // picture: the panel picture, or null when it could not be loaded (then the first paint
    // reports 63593 through the session). glyphs may be null: texts then show blank cells.
    ScreenRenderer(const RgbImage* picture, PanelGlyphs* glyphs);

    // The panel picture of the project's model: key "bmp" of the model's section of the panel
    // model file, relative to the program directory; nothing when missing or unreadable.
    static std::optional<RgbImage> loadPanelPicture(const ProjectStore& store,
                                                    const ProgramDirectory& dir);

    // GB2312 text shown for a short-form NumDisp whose setting 1 is 5 (string 63597).
    void setShortFormPlaceholder(std::string gb) { m_placeholder = std::move(gb); }

    // Applies the paint-time rules to the session, then draws it into image (made 800 x 500).
    void render(EditorSession& session, RgbImage& image);

private:
    void drawText(RgbImage& img, int x, int y, const std::string& text, int font, bool reverse);

    const RgbImage* m_picture;
    PanelGlyphs* m_glyphs;
    std::string m_placeholder = "?";
};

} // namespace dispcraft
