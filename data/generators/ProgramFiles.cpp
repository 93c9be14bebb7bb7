// Writes the generated files of the shipped program directory: stand-ins for the link drivers
// of the protocols (the panel firmware's real drivers are not ours; these carry the file forms
// that the build and the download check, so the virtual panel can be driven end to end) and
// plain placeholder pictures.
//
//   make_program_files drivers DIR NAME...   link driver stand-ins for each protocol NAME
//   make_program_files bmp FILE WIDTH HEIGHT  a plain monochrome BMP with a frame
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

bool writeFile(const std::string& path, const std::vector<uint8_t>& data) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        std::perror(path.c_str());
        return false;
    }
    bool ok = std::fwrite(data.data(), 1, data.size(), f) == data.size();
    ok = std::fclose(f) == 0 && ok;
    if (!ok) {
        std::perror(path.c_str());
    }
    return ok;
}

void append(std::vector<uint8_t>& out, const std::string& text) { out.insert(out.end(), text.begin(), text.end()); }

// Payload of a stand-in driver: a readable note followed by a byte pattern derived from the
// protocol name, so every driver differs and a mixed-up file is easy to spot.
std::vector<uint8_t> payload(const std::string& name, const std::string& role, size_t size) {
    std::vector<uint8_t> out;
    append(out, "Dispcraft link driver stand-in for the virtual panel. Protocol " + name + ", " + role +
                    ". Not a panel firmware driver.\r\n");
    uint32_t seed = 2166136261u;
    for (char c : name + role) {
        seed = (seed ^ static_cast<uint8_t>(c)) * 16777619u;
    }
    while (out.size() < size) {
        seed = seed * 1103515245u + 12345u;
        out.push_back(static_cast<uint8_t>(seed >> 16));
    }
    out.resize(size);
    return out;
}

// The 17-byte header of a driver the download sends: "QEL120" (type 2) or "QEL121" (type 3),
// the port digit, then the protocol name, space-padded to 10 bytes.
std::vector<uint8_t> downloadDriver(const std::string& name, char port, bool typeB) {
    std::vector<uint8_t> out;
    append(out, typeB ? "QEL121" : "QEL120");
    out.push_back(static_cast<uint8_t>(port));
    std::string padded = name.substr(0, 10);
    padded.resize(10, ' ');
    append(out, padded);
    std::vector<uint8_t> body = payload(name, std::string(typeB ? "type B" : "type A") + " COM" + port, 640);
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

// The COM1 driver of a one-port model: its first 4096 bytes go into the image, followed by the
// two marker bytes "XY" that the build checks.
std::vector<uint8_t> imageDriver(const std::string& name) {
    std::vector<uint8_t> out = payload(name, "inside the download image", 4096);
    out.push_back('X');
    out.push_back('Y');
    return out;
}

void put16(std::vector<uint8_t>& v, size_t at, uint32_t x) {
    v[at] = static_cast<uint8_t>(x);
    v[at + 1] = static_cast<uint8_t>(x >> 8);
}
void put32(std::vector<uint8_t>& v, size_t at, uint32_t x) {
    put16(v, at, x & 0xFFFF);
    put16(v, at + 2, x >> 16);
}

// A 1-bit BMP: light grey face with a dark frame two pixels wide.
std::vector<uint8_t> bmp(int width, int height) {
    const uint32_t row = static_cast<uint32_t>((width + 31) / 32 * 4);
    const uint32_t offBits = 14 + 40 + 8;
    std::vector<uint8_t> v(offBits + row * static_cast<uint32_t>(height), 0);
    v[0] = 'B';
    v[1] = 'M';
    put32(v, 2, static_cast<uint32_t>(v.size()));
    put32(v, 10, offBits);
    put32(v, 14, 40);
    put32(v, 18, static_cast<uint32_t>(width));
    put32(v, 22, static_cast<uint32_t>(height));
    put16(v, 26, 1);
    put16(v, 28, 1);
    put32(v, 34, row * static_cast<uint32_t>(height));
    put32(v, 38, 2835);
    put32(v, 42, 2835);
    put32(v, 46, 2);
    // Palette: 0 = dark grey, 1 = light grey.
    const uint8_t palette[8] = {0x40, 0x40, 0x40, 0, 0xD8, 0xD8, 0xD8, 0};
    std::memcpy(&v[54], palette, sizeof palette);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            bool frame = x < 2 || y < 2 || x >= width - 2 || y >= height - 2;
            if (!frame) {
                v[offBits + static_cast<uint32_t>(y) * row + static_cast<uint32_t>(x / 8)] |=
                    static_cast<uint8_t>(0x80 >> (x % 8));
            }
        }
    }
    return v;
}

} // namespace

int main(int argc, char** argv) {
    std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "drivers" && argc > 3) {
        std::string dir = argv[2];
        for (int i = 3; i < argc; ++i) {
            std::string n = argv[i];
            if (!writeFile(dir + "/Protocol/" + n + ".bin", imageDriver(n)) ||
                !writeFile(dir + "/Protocol120/comport1/" + n + "_1.bin", downloadDriver(n, '1', false)) ||
                !writeFile(dir + "/Protocol120/comport2/" + n + "_2.bin", downloadDriver(n, '2', false)) ||
                !writeFile(dir + "/Protocol120/comport_B/" + n + "_1.bin", downloadDriver(n, '1', true)) ||
                !writeFile(dir + "/Protocol120/comport_B/" + n + "_2.bin", downloadDriver(n, '2', true))) {
                return 1;
            }
        }
        return 0;
    }
    if (mode == "bmp" && argc == 5) {
        int w = std::atoi(argv[3]);
        int h = std::atoi(argv[4]);
        if (w <= 4 || h <= 4 || w > 4096 || h > 4096) {
            std::fprintf(stderr, "make_program_files: bad picture size\n");
            return 2;
        }
        return writeFile(argv[2], bmp(w, h)) ? 0 : 1;
    }
    std::fprintf(stderr, "usage: make_program_files drivers DIR NAME... | bmp FILE WIDTH HEIGHT\n");
    return 2;
}
