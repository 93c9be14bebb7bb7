// Build-time converter of the shipped lamp pictures: convert_lamp_source SIZE IN.bmp OUT.lmp.
// Stricter than the user's conversion: a source must be exactly 2 x SIZE by SIZE dots, so that a
// redrawn picture of the wrong size fails the build instead of being cropped.
#include "lamp/LampConverter.h"
#include "lamp/LampFile.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using namespace dispcraft;

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s 16|32 IN.bmp OUT.lmp\n", argv[0]);
        return 2;
    }
    const int size = std::stoi(argv[1]);
    std::ifstream in(argv[2], std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.eof() && !in) {
        std::fprintf(stderr, "%s: cannot read\n", argv[2]);
        return 1;
    }
    auto r = LampConverter::convert(bytes, size);
    if (!r.ok()) {
        std::fprintf(stderr, "%s: %s\n", argv[2], r.message().c_str());
        return 1;
    }
    auto i32 = [&](size_t at) {
        return static_cast<int32_t>(bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
                                    static_cast<uint32_t>(bytes[at + 3]) << 24);
    };
    const int32_t width = i32(18);
    const int32_t height = i32(22);
    if (width != 2 * size || (height != size && height != -size)) {
        std::fprintf(stderr, "%s: %d x %d dots, a %d-dot lamp needs %d x %d\n", argv[2], width,
                     height, size, 2 * size, size);
        return 1;
    }
    std::string error;
    if (!LampFile::write(argv[3], r.picture, &error)) {
        std::fprintf(stderr, "%s: %s\n", argv[3], error.c_str());
        return 1;
    }
    return 0;
}
