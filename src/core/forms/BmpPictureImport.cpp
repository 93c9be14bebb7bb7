#include "forms/BmpPictureImport.h"

#include "forms/ObjectFormMessages.h"
#include "base/BmpHeader.h"
#include "base/FileIo.h"

namespace dispcraft {

namespace {

BmpPictureImport::Result refuse(Message m) {
    BmpPictureImport::Result r;
    r.message = std::move(m);
    return r;
}

} // namespace

BmpPictureImport::Result BmpPictureImport::fromFile(const std::string& path) {
    std::optional<std::vector<uint8_t>> bytes = FileIo::readBytes(path);
    if (!bytes) {
        return refuse(Message::string(objectform::kPictureCannotOpen));
    }
    return fromBytes(*bytes);
}

BmpPictureImport::Result BmpPictureImport::fromBytes(const std::vector<uint8_t>& b) {
    const std::optional<BmpHeader> header = BmpHeader::parse(b.data(), b.size());
    if (!header) {
        return refuse(Message::string(objectform::kNotBmp));
    }
    const BmpHeader& h = *header;
    // The declared size must be the real size; a file too short for its headers is damaged too.
    if (b.size() < BmpHeader::kFileHeaderSize + BmpHeader::kInfoHeaderSize ||
        h.declaredFileSize() != b.size()) {
        return refuse(Message::string(objectform::kBmpDamaged));
    }
    if (h.bitCount() != 1) {
        return refuse(Message::string(objectform::kBmpNotMonochrome));
    }
    // The 40-byte header and the longer ones (108 and 124 bytes, as GIMP and ImageMagick write)
    // hold these fields at the same places.
    if (!h.hasInfoHeader() || h.compression() != 0) {
        return refuse(Message::string(objectform::kBmpUnsupported));
    }
    const uint32_t offBits = h.pixelOffset();
    if (offBits < h.colourTableOffset() || offBits > b.size()) {
        return refuse(Message::string(objectform::kBmpDamaged));
    }
    const long long width = h.width();
    const long long height = h.rows();
    // A negative height marks a bitmap stored top row first.
    const bool topDown = h.topDown();
    if (height > kMaxHeight) {
        return refuse(Message::string(objectform::kPictureTooHigh));
    }
    if (width > kMaxWidth) {
        return refuse(Message::string(objectform::kPictureTooWide));
    }
    if (width <= 0 || height == 0) {
        return refuse(Message::string(objectform::kBmpEmpty));
    }
    const size_t rowLength = static_cast<size_t>((width + 31) / 32 * 4);
    const size_t bytesPerRow = static_cast<size_t>((width + 7) / 8);
    const size_t pixelBytes = b.size() - offBits;
    // Black pixels become dark dots whatever the order of the colour table (see LampConverter).
    const bool lightFirst = h.lightFirst(b.data(), b.size());
    if ((static_cast<size_t>(height) - 1) * rowLength + bytesPerRow > pixelBytes) {
        return refuse(Message::string(objectform::kBmpDamaged));
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
                const bool set = (byte & (0x80 >> bit)) != 0;
                r.dots[row * stride + column] = set != lightFirst ? '\1' : '\0';
            }
        }
    }
    return r;
}

} // namespace dispcraft
