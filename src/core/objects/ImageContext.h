#pragma once

#include <cstdint>

namespace dispcraft {

struct LampRecord;

// What turning a stored record into its record of the download image needs besides the record:
// the image's coordinates, the screen's text list and the lamp pictures, all kept by the build.
class ImageContext {
public:
    virtual ~ImageContext() = default;

    // A stored position in LCD dots.
    virtual uint8_t lcdX(uint16_t storedX) const = 0;
    virtual uint8_t lcdY(uint16_t storedY) const = 0;
    // Appends the glyph indices of a text of the screen's pool to the screen text list and
    // returns where they start.
    virtual uint16_t addScreenText(uint32_t offset, uint32_t length) = 0;
    // The length a text of the screen's pool is built with: 0 for one outside the pool, whose
    // text is built empty.
    virtual uint8_t builtTextLength(uint32_t offset, uint8_t length) const = 0;
    // Ends the texts of one record in the screen text list.
    virtual void endScreenTexts() = 0;
    // The number under which the lamp's picture is in the image, its picture added on first
    // use. A failure stops the build; the number returned then does not matter.
    virtual uint8_t lampPicture(const LampRecord& lamp) = 0;

    // The head every image record starts with: the kind byte of the stored record and its
    // position in LCD dots.
    template <typename Record, typename ImageRecord>
    void putHead(const Record& r, ImageRecord& i) const {
        i.kind = r.kind;
        i.x = lcdX(r.x);
        i.y = lcdY(r.y);
    }
};

} // namespace dispcraft
