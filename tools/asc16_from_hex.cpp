// Makes the single-byte glyph file "asc16" from a Unifont ".hex" file: 256 characters of 16
// bytes, character c at offset 16 x c, one byte per row (row 0 first), bit 7 = leftmost dot.
// Byte values are taken as Latin-1 code points; control characters and characters without an
// 8 x 16 glyph stay blank.
//
//   asc16_from_hex unifont.hex asc16

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

int hexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

bool isControl(unsigned c) { return c < 0x20 || (c >= 0x7F && c < 0xA0); }

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: asc16_from_hex UNIFONT.hex OUT\n");
        return 2;
    }
    std::ifstream in(argv[1]);
    if (!in) {
        std::fprintf(stderr, "asc16_from_hex: cannot read %s\n", argv[1]);
        return 1;
    }
    std::vector<unsigned char> out(256 * 16, 0);
    std::vector<bool> seen(256, false);
    int glyphs = 0;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        size_t colon = line.find(':');
        if (colon == std::string::npos || colon == 0 || colon > 6) {
            continue;
        }
        unsigned code = 0;
        bool ok = true;
        for (size_t i = 0; i < colon && ok; ++i) {
            int v = hexValue(line[i]);
            ok = v >= 0;
            code = code * 16 + static_cast<unsigned>(v);
        }
        std::string digits = line.substr(colon + 1);
        if (!ok || code > 0xFF || isControl(code) || seen[code] || digits.size() != 32) {
            continue;
        }
        unsigned char rows[16];
        for (size_t r = 0; r < 16 && ok; ++r) {
            int hi = hexValue(digits[2 * r]);
            int lo = hexValue(digits[2 * r + 1]);
            ok = hi >= 0 && lo >= 0;
            rows[r] = static_cast<unsigned char>(hi * 16 + lo);
        }
        if (!ok) {
            continue;
        }
        seen[code] = true;
        for (size_t r = 0; r < 16; ++r) {
            out[code * 16 + r] = rows[r];
        }
        ++glyphs;
    }
    if (!seen['A'] || !seen['z']) {
        std::fprintf(stderr, "asc16_from_hex: %s holds no Latin glyphs\n", argv[1]);
        return 1;
    }
    // Written beside the target and renamed, so a failed run never leaves a cut file.
    std::string tmp = std::string(argv[2]) + ".tmp";
    std::FILE* f = std::fopen(tmp.c_str(), "wb");
    if (!f || std::fwrite(out.data(), 1, out.size(), f) != out.size() || std::fclose(f) != 0) {
        std::fprintf(stderr, "asc16_from_hex: cannot write %s\n", tmp.c_str());
        return 1;
    }
    if (std::rename(tmp.c_str(), argv[2]) != 0) {
        std::fprintf(stderr, "asc16_from_hex: cannot write %s\n", argv[2]);
        std::remove(tmp.c_str());
        return 1;
    }
    std::printf("asc16_from_hex: %d glyphs written to %s\n", glyphs, argv[2]);
    return 0;
}
