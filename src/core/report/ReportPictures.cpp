#include "report/ReportPictures.h"

#include "base/RecordingSink.h"
#include "editor/BmpImage.h"
#include "editor/EditorSession.h"
#include "editor/ScreenRenderer.h"
#include "model/ProjectStore.h"
#include "text/Gb2312.h"
#include "text/LanguageStrings.h"

#ifdef DISPCRAFT_HAVE_PNG
#include <png.h>
#endif

#include <cstring>

namespace dispcraft {

namespace {

constexpr int kNoPanelPicture = 63593;
constexpr int kWeekdayPlaceholder = 63597;

std::string base64(const uint8_t* data, size_t size) {
    static constexpr char kDigits[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((size + 2) / 3 * 4);
    size_t i = 0;
    for (; i + 2 < size; i += 3) {
        const uint32_t v = (uint32_t{data[i]} << 16) | (uint32_t{data[i + 1]} << 8) | data[i + 2];
        out += kDigits[v >> 18];
        out += kDigits[(v >> 12) & 63];
        out += kDigits[(v >> 6) & 63];
        out += kDigits[v & 63];
    }
    if (i < size) {
        const bool two = i + 1 < size;
        const uint32_t v = (uint32_t{data[i]} << 16) | (two ? uint32_t{data[i + 1]} << 8 : 0);
        out += kDigits[v >> 18];
        out += kDigits[(v >> 12) & 63];
        out += two ? kDigits[(v >> 6) & 63] : '=';
        out += '=';
    }
    return out;
}

#ifdef DISPCRAFT_HAVE_PNG
// The simplified writer of libpng compresses at its default level, several times slower than
// the fastest; a report of two hundred screens would wait for it.
std::optional<std::vector<uint8_t>> png(const RgbImage& image) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) {
        return std::nullopt;
    }
    png_infop info = png_create_info_struct(png);
    std::vector<uint8_t> bytes;
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return std::nullopt;
    }
    png_set_write_fn(
        png, &bytes,
        [](png_structp p, png_bytep data, png_size_t n) {
            auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(p));
            out->insert(out->end(), data, data + n);
        },
        nullptr);
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width()),
                 static_cast<png_uint_32>(image.height()), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, 1);
    png_set_filter(png, 0, PNG_FILTER_SUB);
    png_write_info(png, info);
    for (int y = 0; y < image.height(); ++y) {
        png_write_row(png, image.data() + static_cast<size_t>(y) * image.bytesPerLine());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return bytes;
}
#endif

} // namespace

ReportPictures::ReportPictures(ProjectStore& store, const ProgramDirectory& dir,
                               const LanguageStrings& strings, const std::string& glyphFont)
    : m_store(store), m_dir(dir), m_picture(ScreenRenderer::loadPanelPicture(store, dir)),
      m_glyphs(PanelGlyphs::open(dir, glyphFont, &m_notes)) {
    if (!m_picture) {
        m_notes.push_back(Message::string(kNoPanelPicture));
        return;
    }
    m_renderer = std::make_unique<ScreenRenderer>(&*m_picture, &m_glyphs);
    const Gb2312::Result placeholder = Gb2312::fromUtf8(strings.text(kWeekdayPlaceholder));
    if (placeholder.ok) {
        m_renderer->setShortFormPlaceholder(placeholder.text);
    }
}

ReportPictures::~ReportPictures() = default;

std::optional<RgbImage> ReportPictures::draw(int screen) {
    if (!m_renderer || !m_store.screenExists(screen)) {
        return std::nullopt;
    }
    // Opening marks the screen as shown by an editor; an open window's mark stays.
    const int32_t wasOpen = m_store.screenOpen[static_cast<size_t>(screen)];
    RecordingSink sink;
    std::optional<RgbImage> image;
    {
        EditorSession session(m_store, m_dir, sink);
        if (session.screen().loadScreen(screen) == ScreenContents::OpenResult::Opened) {
            image.emplace();
            m_renderer->render(session.readyToPaint(), *image);
        }
    }
    m_store.screenOpen[static_cast<size_t>(screen)] = wasOpen;
    return image;
}

std::string ReportPictures::dataUri(int screen) {
    const std::optional<RgbImage> image = draw(screen);
    return image ? encode(*image) : std::string();
}

std::string ReportPictures::encode(const RgbImage& image) {
#ifdef DISPCRAFT_HAVE_PNG
    if (const auto bytes = png(image)) {
        return "data:image/png;base64," + base64(bytes->data(), bytes->size());
    }
#endif
    const std::vector<uint8_t> bmp = BmpImage::write24(image);
    return "data:image/bmp;base64," + base64(bmp.data(), bmp.size());
}

} // namespace dispcraft
