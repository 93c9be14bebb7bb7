#include "lamp/LampConverter.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dispcraft {

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr size_t kInfoHeaderSize = 40;

uint16_t u16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t u32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

bool readWholeFile(const std::string& path, std::vector<uint8_t>& out) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        ::close(fd);
        return false;
    }
    uint8_t buf[65536];
    for (;;) {
        ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            ::close(fd);
            return false;
        }
        if (n == 0) {
            break;
        }
        out.insert(out.end(), buf, buf + n);
    }
    ::close(fd);
    return true;
}

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
    std::vector<uint8_t> bytes;
    if (!readWholeFile(path, bytes)) {
        return failure(Error::CannotOpen);
    }
    return convert(bytes.data(), bytes.size(), size);
}

LampConverter::Result LampConverter::convert(const uint8_t* data, size_t length, int size) {
    if (LampPicture::byteCount(size) == 0) {
        return failure(Error::BadSize);
    }
    if (length < 2 || data[0] != 'B' || data[1] != 'M') {
        return failure(Error::NotBmp);
    }
    if (length < kFileHeaderSize || u32(data + 2) != length) {
        return failure(Error::Damaged);
    }
    if (length < kFileHeaderSize + kInfoHeaderSize) {
        return failure(Error::Damaged);
    }
    const uint8_t* info = data + kFileHeaderSize;
    if (u16(info + 14) != 1) {
        return failure(Error::NotMonochrome);
    }
    // Larger headers (and the old 12-byte one) put the colour table and often the fields
    // elsewhere; the dots would come out shifted, so such files are refused.
    if (u32(info) != kInfoHeaderSize) {
        return failure(Error::HeaderFormat);
    }
    if (u32(info + 16) != 0) {
        return failure(Error::Compressed);
    }
    const int64_t width = static_cast<int32_t>(u32(info + 4));
    const int64_t height = static_cast<int32_t>(u32(info + 8));
    const uint32_t offBits = u32(data + 10);
    // The dots start where the header says they do; an offset inside the headers or past the
    // end cannot be right.
    if (width <= 0 || height == 0 || offBits < kFileHeaderSize + kInfoHeaderSize ||
        offBits > length) {
        return failure(Error::Damaged);
    }

    const bool topDown = height < 0;
    const int64_t rows = topDown ? -height : height;
    const int64_t stride = (width + 31) / 32 * 4; // stored rows are padded to 4 bytes
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
            out[col] = (pixels[byte] >> (7 - col % 8)) & 1;
        }
    }
    return r;
}

} // namespace dispcraft
