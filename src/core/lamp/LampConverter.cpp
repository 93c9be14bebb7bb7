#include "lamp/LampConverter.h"

#include "base/BmpHeader.h"
#include "base/FileIo.h"

namespace dispcraft {

namespace {

LampConverter::Result failure(LampConverter::Error e) {
    LampConverter::Result r;
    r.error = e;
    return r;
}

} // namespace

const char* LampConverter::message(Error error) {
    switch (error) {
    case Error::None:
        return "";
    case Error::CannotOpen:
        return "无法打开的BMP文件！";
    case Error::NotBmp:
        return "非BMP文件";
    case Error::Damaged:
        return "文件已损坏，请检查！";
    case Error::NotMonochrome:
        return "单色液晶只能处理单色的BMP文件！\n请利用工具(画图板等)转化！";
    case Error::HeaderFormat:
        return "不支持这种格式的BMP文件！\n请利用工具(画图板等)另存为普通的单色BMP文件！";
    case Error::Compressed:
        return "不支持压缩的BMP文件！\n请利用工具(画图板等)另存为未压缩的单色BMP文件！";
    case Error::BadSize:
        return "灯部品的尺寸只能是16×16或32×32！";
    }
    return "";
}

LampConverter::Result LampConverter::convertFile(const std::string& path, int size) {
    std::optional<std::vector<uint8_t>> bytes = FileIo::readBytes(path);
    if (!bytes) {
        return failure(Error::CannotOpen);
    }
    return convert(bytes->data(), bytes->size(), size);
}

LampConverter::Result LampConverter::convert(const uint8_t* data, size_t length, int size) {
    if (LampPicture::byteCount(size) == 0) {
        return failure(Error::BadSize);
    }
    const std::optional<BmpHeader> header = BmpHeader::parse(data, length);
    if (!header) {
        return failure(Error::NotBmp);
    }
    const BmpHeader& h = *header;
    if (length < BmpHeader::kFileHeaderSize + BmpHeader::kInfoHeaderSize ||
        h.declaredFileSize() != length) {
        return failure(Error::Damaged);
    }
    if (h.bitCount() != 1) {
        return failure(Error::NotMonochrome);
    }
    // The 40-byte header and the longer ones that extend it hold the fields at the same places;
    // the old 12-byte one (or a size of no known kind) would put the dots elsewhere.
    if (!h.hasInfoHeader()) {
        return failure(Error::HeaderFormat);
    }
    if (h.compression() != 0) {
        return failure(Error::Compressed);
    }
    const int64_t width = h.width();
    const int64_t height = h.height();
    const uint32_t offBits = h.pixelOffset();
    // The dots start where the header says they do; an offset inside the headers or past the
    // end cannot be right.
    if (width <= 0 || height == 0 || offBits < h.colourTableOffset() || offBits > length) {
        return failure(Error::Damaged);
    }
    // Black pixels become dark dots (0) whatever the order of the colour table: a table that
    // lists white first (as some tools write for a picture of one colour) turns the bits round.
    const uint8_t flip = h.lightFirst(data, length) ? 1 : 0;

    const bool topDown = height < 0;
    const int64_t rows = topDown ? -height : height;
    const int64_t stride = static_cast<int64_t>(h.stride()); // rows are padded to 4 bytes
    const int64_t available = static_cast<int64_t>(length - offBits);
    const uint8_t* pixels = data + offBits;

    Result r;
    r.bitmapWidth = static_cast<int>(width);
    r.bitmapHeight = static_cast<int>(rows);
    r.picture = LampPicture::blank(size);
    const int lampWidth = 2 * size;
    const int64_t usedColumns = width < lampWidth ? width : lampWidth;
    const int64_t usedRows = rows < size ? rows : size;
    for (int64_t row = 0; row < usedRows; ++row) {
        // Lamp row 0 is the bottom of the image: the first stored row of a bottom-up bitmap,
        // the last one of a top-down bitmap.
        const int64_t stored = topDown ? rows - 1 - row : row;
        const int64_t rowStart = stored * stride;
        uint8_t* out = r.picture.dots.data() + row * lampWidth;
        for (int64_t col = 0; col < usedColumns; ++col) {
            const int64_t byte = rowStart + col / 8;
            if (byte >= available) {
                break;
            }
            out[col] = static_cast<uint8_t>(((pixels[byte] >> (7 - col % 8)) & 1) ^ flip);
        }
    }
    return r;
}

} // namespace dispcraft
