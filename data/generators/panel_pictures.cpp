// Draws the panel picture of every model of "qelsys.ini": an 800 x 500 front plate with the LCD
// window at the model's LCD origin and its function keys and panel keys as labelled buttons,
// from the same key rectangles the editor hit-tests. Labels use the 8 x 16 glyphs of a Unifont
// hex file (left out when it is missing).
//
// usage: panel_pictures QELSYS.INI OUTDIR [UNIFONT.HEX]
//        panel_pictures --logo OUT.BMP [UNIFONT.HEX]   the start-up logo, a panel and the name
#include "config/IniFile.h"
#include "config/PanelModelFile.h"
#include "editor/BmpImage.h"
#include "editor/ScreenRenderer.h"
#include "base/FileIo.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>

using namespace dispcraft;

namespace {

struct Glyph {
    int width = 8;
    uint16_t rows[16] = {};
};

std::map<char32_t, Glyph> loadHex(const std::string& path) {
    std::map<char32_t, Glyph> glyphs;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        size_t colon = line.find(':');
        if (colon == std::string::npos) {
            continue;
        }
        char32_t cp = static_cast<char32_t>(std::strtoul(line.substr(0, colon).c_str(), nullptr, 16));
        if (cp > 0x2600) {
            continue; // only ASCII and the arrows are wanted
        }
        std::string hex = line.substr(colon + 1);
        Glyph g;
        if (hex.size() == 32) {
            for (int r = 0; r < 16; ++r) {
                g.rows[r] = static_cast<uint16_t>(std::strtoul(hex.substr(2 * r, 2).c_str(), nullptr, 16) << 8);
            }
        } else if (hex.size() == 64) {
            g.width = 16;
            for (int r = 0; r < 16; ++r) {
                g.rows[r] = static_cast<uint16_t>(std::strtoul(hex.substr(4 * r, 4).c_str(), nullptr, 16));
            }
        } else {
            continue;
        }
        glyphs[cp] = g;
    }
    return glyphs;
}

const Rgb kPlate{62, 70, 84};
const Rgb kPlateLight{96, 106, 124};
const Rgb kPlateDark{34, 38, 46};
const Rgb kBezel{22, 24, 28};
const Rgb kKeyFace{214, 216, 222};
const Rgb kKeyLight{250, 250, 252};
const Rgb kKeyShadow{120, 122, 130};
const Rgb kFnFace{86, 132, 196};
const Rgb kFnLight{150, 186, 232};
const Rgb kFnShadow{40, 66, 110};
const Rgb kLabel{20, 22, 26};

class Painter {
public:
    Painter(RgbImage& img, const std::map<char32_t, Glyph>& glyphs) : m_img(img), m_glyphs(glyphs) {}

    void frame(const Rect& r, Rgb light, Rgb dark, int width) {
        for (int i = 0; i < width; ++i) {
            m_img.fill({r.left + i, r.top + i, r.right - i, r.top + i + 1}, light);
            m_img.fill({r.left + i, r.top + i, r.left + i + 1, r.bottom - i}, light);
            m_img.fill({r.left + i, r.bottom - i - 1, r.right - i, r.bottom - i}, dark);
            m_img.fill({r.right - i - 1, r.top + i, r.right - i, r.bottom - i}, dark);
        }
    }
    void button(const Rect& r, Rgb face, Rgb light, Rgb shadow, const std::u32string& label, Rgb ink) {
        if (r.empty()) {
            return;
        }
        m_img.fill(r.grown(1), kPlateDark);
        m_img.fill(r, face);
        frame(r, light, shadow, 2);
        int w = 0;
        for (char32_t c : label) {
            auto it = m_glyphs.find(c);
            w += it == m_glyphs.end() ? 8 : it->second.width;
        }
        text({r.left + (r.width() - w) / 2, r.top + (r.height() - 16) / 2}, label, ink);
    }
    // scale: each glyph dot as a scale x scale square.
    void text(Point at, const std::u32string& s, Rgb ink, int scale = 1) {
        int x = at.x;
        for (char32_t c : s) {
            auto it = m_glyphs.find(c);
            if (it == m_glyphs.end()) {
                x += 8 * scale;
                continue;
            }
            const Glyph& g = it->second;
            for (int r = 0; r < 16; ++r) {
                for (int col = 0; col < g.width; ++col) {
                    if (g.rows[r] & (0x8000u >> col)) {
                        m_img.fill(Rect::ofSize(x + col * scale, at.y + r * scale, scale, scale),
                                   ink);
                    }
                }
            }
            x += g.width * scale;
        }
    }

private:
    RgbImage& m_img;
    const std::map<char32_t, Glyph>& m_glyphs;
};

// Labels are drawn from the ASCII glyphs only; other bytes (a GB2312 model name) are left out.
std::u32string ascii(const std::string& s) {
    std::u32string out;
    for (char c : s) {
        if (static_cast<unsigned char>(c) < 128) {
            out += static_cast<char32_t>(c);
        }
    }
    return out;
}

std::u32string panelKeyLabel(int a) {
    if (a <= 5) {
        return ascii("F" + std::to_string(a + 1));
    }
    switch (a) {
    case 6: return U"\u25B2";
    case 7: return U"\u25BC";
    case 8: return U"\u25C0";
    case 9: return U"\u25B6";
    case 20: return U"ESC";
    case 21: return U"ENT";
    case 22: return U"+/-";
    case 23: return U".";
    case 24: return U"CLR";
    default: return ascii(std::to_string(a - 10));
    }
}

std::u32string functionKeyLabel(int d) {
    static const char* kLabels[] = {"S1", "S2", "PREV", "NEXT"};
    return ascii(kLabels[d]);
}

Rect toRect(const KeyRect& k) { return {k.left, k.top, k.right, k.bottom}; }

RgbImage draw(const IniFile& ini, const std::string& title, const std::string& displayName,
              const ModelSection& m, const std::map<char32_t, Glyph>& glyphs) {
    RgbImage img(800, 500, kPlate);
    Painter p(img, glyphs);
    p.frame({0, 0, 800, 500}, kPlateLight, kPlateDark, 4);
    p.frame({10, 10, 790, 490}, kPlateDark, kPlateLight, 1);
    p.text({22, 18}, ascii(displayName.empty() ? title : displayName), {210, 214, 222});

    const Rect lcd = Rect::ofSize(m.lcdX, m.lcdY, 384, 128);
    img.fill(lcd.grown(12), kBezel);
    p.frame(lcd.grown(12), kPlateDark, kPlateLight, 2);
    img.fill(lcd, ScreenRenderer::kLcdGreen);

    // Only the keys the model names are drawn: a missing key would take the default rectangle.
    for (int d = 1; d <= 4; ++d) {
        if (ini.value(title, "D_KEY_" + std::to_string(d) + "_W")) {
            p.button(toRect(m.fnKeyRects[static_cast<size_t>(d - 1)]), kFnFace, kFnLight, kFnShadow,
                     functionKeyLabel(d - 1), {245, 246, 250});
        }
    }
    for (int a = 0; a < 25; ++a) {
        if (ini.value(title, "FN_KEY_" + std::to_string(a) + "_W")) {
            p.button(toRect(m.panelKeyRects[static_cast<size_t>(a)]), kKeyFace, kKeyLight, kKeyShadow,
                     panelKeyLabel(a), kLabel);
        }
    }
    return img;
}

// The start-up logo: a small panel showing a screen beside the program's name.
RgbImage drawLogo(const std::map<char32_t, Glyph>& glyphs) {
    RgbImage img(400, 240, kPlate);
    Painter p(img, glyphs);
    for (int y = 0; y < 240; ++y) { // a quiet gradient, lighter at the top
        const int k = 40 * (240 - y) / 240;
        img.fill({0, y, 400, y + 1},
                 {static_cast<uint8_t>(kPlate.r + k / 2), static_cast<uint8_t>(kPlate.g + k / 2),
                  static_cast<uint8_t>(kPlate.b + k / 2)});
    }
    p.frame({0, 0, 400, 240}, kPlateLight, kPlateDark, 3);
    // The panel: bezel, LCD with two lines of text, four function keys.
    const Rect panel{24, 40, 188, 200};
    img.fill(panel, kPlateDark);
    p.frame(panel, kPlateLight, kBezel, 2);
    const Rect lcd{38, 54, 174, 118};
    img.fill(lcd.grown(4), kBezel);
    img.fill(lcd, ScreenRenderer::kLcdGreen);
    const Rgb ink{1, 1, 1};
    p.text({46, 62}, U"PUMP 7", ink);
    p.text({46, 88}, U"RUN  42%", ink);
    for (int k = 0; k < 4; ++k) {
        p.button(Rect::ofSize(38 + k * 35, 140, 30, 22), kFnFace, kFnLight, kFnShadow,
                 ascii("F" + std::to_string(k + 1)), {245, 246, 250});
    }
    for (int k = 0; k < 4; ++k) {
        p.button(Rect::ofSize(38 + k * 35, 168, 30, 20), kKeyFace, kKeyLight, kKeyShadow, U"",
                 kLabel);
    }
    p.text({208, 72}, U"Dispcraft", {240, 242, 248}, 2);
    p.text({210, 116}, U"Panel screens,", {200, 206, 218});
    p.text({210, 134}, U"built and sent", {200, 206, 218});
    p.text({210, 152}, U"to the panel", {200, 206, 218});
    p.text({210, 196}, U"Version 3.1", {160, 168, 184});
    return img;
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::string(argv[1]) == "--logo") {
        std::map<char32_t, Glyph> glyphs;
        if (argc > 3) {
            glyphs = loadHex(argv[3]);
        }
        std::vector<uint8_t> bytes = BmpImage::write24(drawLogo(glyphs));
        std::string error;
        if (!FileIo::writeAtomic(argv[2], bytes.data(), bytes.size(), &error)) {
            std::fprintf(stderr, "panel_pictures: %s: %s\n", argv[2], error.c_str());
            return 1;
        }
        return 0;
    }
    if (argc < 3) {
        std::fprintf(stderr, "usage: panel_pictures QELSYS.INI OUTDIR [UNIFONT.HEX]\n");
        return 2;
    }
    const std::string outDir = argv[2];
    auto text = FileIo::readText(argv[1]);
    if (!text) {
        std::fprintf(stderr, "panel_pictures: %s cannot be read\n", argv[1]);
        return 1;
    }
    IniFile ini(*text);
    PanelModelFile models(ini);
    std::map<char32_t, Glyph> glyphs;
    if (argc > 3) {
        glyphs = loadHex(argv[3]);
    }
    int written = 0;
    for (const ModelType& t : models.types()) {
        std::string bmp = models.pictureFile(t.idStr);
        if (bmp.empty() || bmp == "none") {
            continue;
        }
        for (char& c : bmp) {
            if (c == '\\') {
                c = '/';
            }
        }
        while (!bmp.empty() && bmp.front() == '/') {
            bmp.erase(0, 1);
        }
        if (bmp.find("..") != std::string::npos || bmp.find('/') != std::string::npos) {
            std::fprintf(stderr, "panel_pictures: %s: picture name %s not drawn\n", t.idStr.c_str(),
                         bmp.c_str());
            continue;
        }
        RgbImage img = draw(ini, t.idStr, t.displayName, models.section(t.idStr), glyphs);
        std::vector<uint8_t> bytes = BmpImage::write24(img);
        std::string error;
        if (!FileIo::writeAtomic(outDir + "/" + bmp, bytes.data(), bytes.size(), &error)) {
            std::fprintf(stderr, "panel_pictures: %s: %s\n", bmp.c_str(), error.c_str());
            return 1;
        }
        ++written;
    }
    std::printf("panel_pictures: %d pictures\n", written);
    return 0;
}
