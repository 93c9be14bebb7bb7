#include "image/PanelGlyphs.h"

#include "image/BuildMessages.h"
#include "base/ProgramDirectory.h"

namespace dispcraft {

PanelGlyphs::PanelGlyphs(std::optional<Asc16Glyphs> ascii, std::unique_ptr<GlyphSource> twoByte)
    : m_ascii(std::move(ascii)), m_twoByte(std::move(twoByte)) {}

PanelGlyphs PanelGlyphs::open(const ProgramDirectory& dir, const std::string& fontPath,
                              std::vector<Message>* notes) {
    Asc16Glyphs::Status status = Asc16Glyphs::Status::Ok;
    const std::string ascPath = Asc16Glyphs::pathIn(dir);
    auto ascii = Asc16Glyphs::load(ascPath, &status);
    GlyphFontChoice choice = chooseGlyphFont(dir, fontPath);
    if (notes) {
        if (status == Asc16Glyphs::Status::Missing) {
            notes->push_back(Message::string(buildmsg::kAsciiGlyphsMissing));
        } else if (status == Asc16Glyphs::Status::Damaged) {
            notes->push_back(Message::string(buildmsg::kAsciiGlyphsDamaged, {ascPath}));
        }
        for (Message& m : choice.warnings) {
            notes->push_back(std::move(m));
        }
        if (choice.error) {
            notes->push_back(*choice.error);
        } else if (!choice.source) {
            notes->push_back(Message::string(buildmsg::kNoGlyphFont));
        }
    }
    return PanelGlyphs(std::move(ascii), std::move(choice.source));
}

GlyphBitmap PanelGlyphs::single(uint8_t c) const { return m_ascii ? m_ascii->bitmap(c) : GlyphBitmap{}; }

std::vector<PanelGlyphs::Cell> PanelGlyphs::cells(std::string_view text) {
    std::vector<Cell> out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const auto b = static_cast<uint8_t>(text[i]);
        if (b <= 126) {
            out.push_back({single(b), 8});
            continue;
        }
        if (i + 1 >= text.size()) {
            break;
        }
        const auto trail = static_cast<uint8_t>(text[++i]);
        Cell c;
        c.width = 16;
        if (b >= 0x80) {
            c.bitmap = pair(b, trail).bitmap;
        }
        out.push_back(c);
    }
    return out;
}

} // namespace dispcraft
