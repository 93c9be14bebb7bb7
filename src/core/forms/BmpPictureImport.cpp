#include "forms/BmpPictureImport.h"

#include "forms/ObjectFormMessages.h"
#include "base/FileIo.h"

namespace dispcraft {

namespace {

uint32_t u32(const std::vector<uint8_t>& b, size_t at) {
    return static_cast<uint32_t>(b[at]) | static_cast<uint32_t>(b[at + 1]) << 8 |
           static_cast<uint32_t>(b[at + 2]) << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}
uint16_t u16(const std::vector<uint8_t>& b, size_t at) {
    return static_cast<uint16_t>(b[at] | b[at + 1] << 8);
}

BmpPictureImport::Result refuse(Message m) {
    BmpPictureImport::Result r;
    r.message = std::move(m);
    return r;
}

constexpr size_t kFileHeader = 14;
constexpr size_t kInfoHeader = 40;

} // namespace

BmpPictureImport::Result BmpPictureImport::fromFile(const std::string& path) {
    std::optional<std::vector<uint8_t>> bytes = FileIo::readBytes(path);
    if (!bytes) {
        return refuse(Message::string(63506));
    }
    return fromBytes(*bytes);
}

BmpPictureImport::Result BmpPictureImport::fromBytes(const std::vector<uint8_t>& b) {
    if (b.size() < 2 || b[0] != 'B' || b[1] != 'M') {
        return refuse(Message::string(62000));
    }
    // The declared size must be the real size; a file too short for its headers is damaged too.
    if (b.size() < kFileHeader + kInfoHeader || u32(b, 2) != b.size()) {
        return refuse(Message::string(62001));
    }
    if (u16(b, 28) != 1) {
        return refuse(Message::string(63508));
    }
    const uint32_t infoSize = u32(b, 14);
    const uint32_t compression = u32(b, 30);
    if (infoSize < kInfoHeader || compression != 0) {
        return refuse(Message::string(objectform::kBmpUnsupported));
    }
    const uint32_t offBits = u32(b, 10);
    if (offBits < kFileHeader + kInfoHeader || offBits > b.size()) {
        return refuse(Message::string(62001));
    }
    const long long width = static_cast<int32_t>(u32(b, 18));
    long long height = static_cast<int32_t>(u32(b, 22));
    // A negative height marks a bitmap stored top row first.
    const bool topDown = height < 0;
    if (topDown) {
        height = -height;
    }
    if (height > kMaxHeight) {
        return refuse(Message::string(63509));
    }
    if (width > kMaxWidth) {
        return refuse(Message::string(63510));
    }
    if (width <= 0 || height == 0) {
        return refuse(Message::string(objectform::kBmpEmpty));
    }
    const size_t rowLength = static_cast<size_t>((width + 31) / 32 * 4);
    const size_t bytesPerRow = static_cast<size_t>((width + 7) / 8);
    const size_t pixelBytes = b.size() - offBits;
    if ((static_cast<size_t>(height) - 1) * rowLength + bytesPerRow > pixelBytes) {
        return refuse(Message::string(62001));
    }

    Result r;
    r.ok = true;
    r.sourceWidth = static_cast<int>(width);
    r.sourceHeight = static_cast<int>(height);
    r.width = static_cast<int>(bytesPerRow * 8);
    r.height = static_cast<int>((height + 7) / 8 * 8);
    const size_t stride = static_cast<size_t>(r.width);
    r.dots.assign(stride * static_cast<size_t>(r.height), '\1');
    for (long long i = 0; i < height; ++i) {
        const size_t row = static_cast<size_t>(topDown ? height - 1 - i : i);
        const size_t from = offBits + static_cast<size_t>(i) * rowLength;
        for (size_t k = 0; k < bytesPerRow; ++k) {
            const uint8_t byte = b[from + k];
            for (int bit = 0; bit < 8; ++bit) {
                const size_t column = k * 8 + static_cast<size_t>(bit);
                if (column >= static_cast<size_t>(width)) {
                    break;
                }
                r.dots[row * stride + column] = (byte & (0x80 >> bit)) ? '\1' : '\0';
            }
        }
    }
    return r;
}

} // namespace dispcraft
