#include "editor/BmpImage.h"

#include "base/BmpHeader.h"
#include "base/FileIo.h"

#include <cstring>

namespace dispcraft {

namespace {

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
    const std::optional<BmpHeader> header = BmpHeader::parse(data, size);
    if (!header) {
        return fail(error, "not a BMP file");
    }
    const BmpHeader& h = *header;
    if (h.layout() != BmpHeader::Layout::Core && h.layout() != BmpHeader::Layout::Info) {
        return fail(error, h.layout() == BmpHeader::Layout::Missing ? "not a BMP file"
                                                                     : "unknown BMP header");
    }
    const uint64_t pixelOffset = h.pixelOffset();
    const int64_t width = h.width();
    const int64_t height = h.rows();
    const bool topDown = h.topDown();
    const unsigned bits = h.bitCount();
    const unsigned compression = h.compression();
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) {
        return fail(error, "BMP size out of range");
    }
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) {
        return fail(error, "unsupported BMP colour depth");
    }
    if (compression == 3 && bits == 32) {
        // Bit fields are taken only when they are the plain blue-green-red order.
        const auto masks = h.bitFields(data, size);
        if (!masks || (*masks)[0] != 0x00FF0000 || (*masks)[1] != 0x0000FF00 ||
            (*masks)[2] != 0x000000FF) {
            return fail(error, "unsupported BMP bit fields");
        }
    } else if (compression != 0) {
        return fail(error, "compressed BMP");
    }
    std::vector<Rgb> palette;
    if (bits <= 8) {
        const uint32_t colours = h.coloursUsed();
        const unsigned n = colours == 0 || colours > (1u << bits) ? (1u << bits) : colours;
        for (unsigned i = 0; i < n; ++i) {
            const auto c = h.colour(data, size, i);
            if (!c) {
                break;
            }
            palette.push_back({(*c)[0], (*c)[1], (*c)[2]});
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
