#pragma once

#include "objects/AttrBits.h"
#include "forms/FormOutcome.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dispcraft {

// The static text property dialog (template 142): text, font and reverse video.
class TextStringForm {
public:
    enum Control { kText = 1003, kFontList = 1033, kReverseGroup = 1034 };

    // What the widgets show and edit. The text is UTF-8.
    struct Fields {
        std::string text;
        int reverse = 0;   // option group: 0 normal, 1 reverse
        int fontIndex = 0; // font list selection: 0 and 2 narrow, 1 and 3 wide
    };
    // What OK hands back; the text in GB2312.
    struct Values {
        std::string text;
        int fontIndex = 0;
        bool reverse = false;
        // Font index in bits 0-1, reverse video in bit 7.
        uint8_t attr() const { return static_cast<uint8_t>(fontIndex | (reverse ? attrbits::kReverse : 0)); }
    };

    // gbText is the record's text (GB2312); reverse -1 means not set.
    explicit TextStringForm(std::string_view gbText = {}, int fontIndex = 0, int reverse = -1);

    Fields& fields() { return m_fields; }
    const Fields& fields() const { return m_fields; }
    std::vector<Message> fontList() const;
    int initialFocus() const { return kText; }

    FormOutcome<Values> ok() const;
    // Cancel empties the text, so a caller that looks only at the text places nothing.
    void cancel() { m_fields.text.clear(); }

    // Bytes of GB2312 a text may have in a font.
    static size_t byteLimit(int fontIndex) { return fontIndex == 0 || fontIndex == 2 ? 24 : 12; }

private:
    Fields m_fields;
};

} // namespace dispcraft
