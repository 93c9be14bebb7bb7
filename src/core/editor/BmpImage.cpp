#include "editor/BmpImage.h"

#include "base/FileIo.h"

#include <cstring>

namespace dispcraft {

namespace {

uint32_t u32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
uint16_t u16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

void put32(std::vector<uint8_t>& v, size_t at, uint32_t x) {
    for (int i = 0; i < 4; ++i) {
        v[at + static_cast<size_t>(i)] = static_cast<uint8_t>(x >> (8 * i));
    }
}

std::optional<RgbImage> fail(std::string* error, const char* why) {
    if (error) {
        *error = why;
    }
    return std::nullopt;
}

} // namespace

std::optional<RgbImage> BmpImage::read(const uint8_t* data, size_t size, std::string* error) {
    if (data == nullptr || size < 26 || data[0] != 'B' || data[1] != 'M') {
        return fail(error, "not a BMP file");
    }
    const uint64_t pixelOffset = u32(data + 10);
    const uint64_t headerSize = u32(data + 14);
    int64_t width = 0, height = 0;
    unsigned bits = 0, compression = 0, paletteEntry = 4;
    uint64_t colours = 0;
    if (headerSize == 12) { // the old core header
        width = u16(data + 18);
        height = static_cast<int16_t>(u16(data + 20));
        bits = u16(data + 24);
        paletteEntry = 3;
    } else if (headerSize >= 40 && size >= 54) {
        width = static_cast<int32_t>(u32(data + 18));
        height = static_cast<int32_t>(u32(data + 22));
        bits = u16(data + 28);
        compression = u32(data + 30);
        colours = u32(data + 46);
    } else {
        return fail(error, "unknown BMP header");
    }
    const bool topDown = height < 0;
    if (topDown) {
        height = -height;
    }
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) {
        return fail(error, "BMP size out of range");
    }
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) {
        return fail(error, "unsupported BMP colour depth");
    }
    if (compression == 3 && bits == 32) {
        // Bit fields are taken only when they are the plain blue-green-red order.
        if (size < 14 + 40 + 12 || u32(data + 54) != 0x00FF0000 || u32(data + 58) != 0x0000FF00 ||
            u32(data + 62) != 0x000000FF) {
            return fail(error, "unsupported BMP bit fields");
        }
    } else if (compression != 0) {
        return fail(error, "compressed BMP");
    }
    std::vector<Rgb> palette;
    if (bits <= 8) {
        uint64_t n = colours == 0 || colours > (1u << bits) ? (1u << bits) : colours;
        uint64_t at = 14 + headerSize;
        for (uint64_t i = 0; i < n && at + (i + 1) * paletteEntry <= size; ++i) {
            const uint8_t* p = data + at + i * paletteEntry;
            palette.push_back({p[2], p[1], p[0]});
        }
    }
    const uint64_t stride = (static_cast<uint64_t>(width) * bits + 31) / 32 * 4;
    if (pixelOffset > size || stride * static_cast<uint64_t>(height) > size - pixelOffset) {
        return fail(error, "BMP pixel data cut short");
    }
    RgbImage img(static_cast<int>(width), static_cast<int>(height));
    for (int64_t row = 0; row < height; ++row) {
        const uint8_t* line = data + pixelOffset + static_cast<uint64_t>(row) * stride;
        const int y = static_cast<int>(topDown ? row : height - 1 - row);
        for (int64_t x = 0; x < width; ++x) {
            Rgb c;
            if (bits <= 8) {
                const uint64_t bit = static_cast<uint64_t>(x) * bits;
                unsigned index = (line[bit / 8] >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
                c = index < palette.size() ? palette[index] : Rgb{};
            } else {
                const uint8_t* p = line + static_cast<uint64_t>(x) * (bits / 8);
                c = {p[2], p[1], p[0]};
            }
            img.setPixel(static_cast<int>(x), y, c);
        }
    }
    return img;
}

std::optional<RgbImage> BmpImage::load(const std::string& path, std::string* error) {
    auto bytes = FileIo::readBytes(path);
    if (!bytes) {
        return fail(error, "cannot be opened");
    }
    return read(bytes->data(), bytes->size(), error);
}

std::vector<uint8_t> BmpImage::write24(const RgbImage& image) {
    const size_t stride = (static_cast<size_t>(image.width()) * 3 + 3) / 4 * 4;
    const size_t dataSize = stride * static_cast<size_t>(image.height());
    std::vector<uint8_t> out(54 + dataSize, 0);
    out[0] = 'B';
    out[1] = 'M';
    put32(out, 2, static_cast<uint32_t>(out.size()));
    put32(out, 10, 54);
    put32(out, 14, 40);
    put32(out, 18, static_cast<uint32_t>(image.width()));
    put32(out, 22, static_cast<uint32_t>(image.height()));
    out[26] = 1;
    out[28] = 24;
    put32(out, 34, static_cast<uint32_t>(dataSize));
    put32(out, 38, 2835); // 72 dpi
    put32(out, 42, 2835);
    for (int y = 0; y < image.height(); ++y) {
        uint8_t* line = &out[54 + stride * static_cast<size_t>(image.height() - 1 - y)];
        for (int x = 0; x < image.width(); ++x) {
            Rgb c = image.pixel(x, y);
            line[3 * x] = c.b;
            line[3 * x + 1] = c.g;
            line[3 * x + 2] = c.r;
        }
    }
    return out;
}

} // namespace dispcraft
