#pragma once

#include "base/Message.h"
#include "base/ProgramDirectory.h"
#include "base/RgbImage.h"
#include "image/PanelGlyphs.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace dispcraft {

class EditorSession;
class LanguageStrings;
class ScreenRenderer;
struct ProjectStore;

// The screens of a project drawn as their screen windows show them, each as a data: URI that
// an HTML page can hold (PNG, or BMP where the core is built without PNG support). Opening a
// screen here leaves the store as it was: no screen counts as open in an editor afterwards.
class ReportPictures {
public:
    ReportPictures(ProjectStore& store, const ProgramDirectory& dir, const LanguageStrings& strings,
                   const std::string& glyphFont = {});
    ~ReportPictures();
    ReportPictures(const ReportPictures&) = delete;
    ReportPictures& operator=(const ReportPictures&) = delete;

    // False when the panel picture of the project's model could not be read; notes say what
    // could not be opened (the panel picture, the glyph fonts).
    bool ok() const { return m_picture.has_value(); }
    const std::vector<Message>& notes() const { return m_notes; }

    // The screen drawn; nothing when it is not stored or its opening stops.
    std::optional<RgbImage> draw(int screen);
    // "data:image/png;base64,..." of the drawn screen, or empty.
    std::string dataUri(int screen);

    // The picture as a data: URI (PNG, fast compression).
    static std::string encode(const RgbImage& image);

private:
    ProjectStore& m_store;
    ProgramDirectory m_dir;
    std::vector<Message> m_notes;
    std::optional<RgbImage> m_picture;
    PanelGlyphs m_glyphs;
    std::unique_ptr<ScreenRenderer> m_renderer;
};

} // namespace dispcraft
