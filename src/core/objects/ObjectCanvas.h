#pragma once

#include "base/Geometry.h"
#include "base/RgbImage.h"
#include "objects/PictureTable.h"

#include <string>
#include <string_view>

namespace dispcraft {

class TextCells;

// What an object draws itself on: the view picture (two view pixels per LCD dot), the panel's
// glyphs for texts and the project's picture table.
class ObjectCanvas {
public:
    static constexpr Rgb kLcdGreen{50, 200, 50};
    static constexpr Rgb kInk{1, 1, 1};
    static constexpr Rgb kBlack{0, 0, 0};
    static constexpr Rgb kRed{255, 0, 0};
    static constexpr Rgb kBlue{0, 0, 255};

    // glyphs may be null: texts then show blank cells. placeholder: the text shown for the
    // clock display of the weekday.
    ObjectCanvas(RgbImage& image, TextCells* glyphs, const PictureTable& pictures,
                 const std::string& placeholder)
        : m_image(image), m_glyphs(glyphs), m_pictures(pictures), m_placeholder(placeholder) {}

    RgbImage& image() { return m_image; }
    const PictureTable& pictures() const { return m_pictures; }
    const std::string& weekdayPlaceholder() const { return m_placeholder; }

    // A GB2312 text in a font (0..3) at a view position, ink on the LCD's green or reversed.
    void text(int x, int y, std::string_view text, int font, bool reverse);
    // One row of dots, 0 = dark: each run of dark dots becomes one black strip two pixels high.
    void darkRuns(const char* dots, int n, int x, int y);
    // A 6 x 6 square, the mark of a selected object and of a key with a function.
    void square(int x, int y, Rgb c) { m_image.fill(Rect::ofSize(x, y, 6, 6), c); }
    // The selection of an object: its top-left square and a focus frame.
    void selectionMark(const Rect& r);
    // The selection of a resizable object: a square at every handle and a focus frame.
    void handles(const Rect& r);

private:
    RgbImage& m_image;
    TextCells* m_glyphs;
    const PictureTable& m_pictures;
    const std::string& m_placeholder;
};

} // namespace dispcraft
