#include "lamp/LampFile.h"

#include "base/FileIo.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dispcraft {

namespace {

void setError(std::string* error, int err) {
    if (error) {
        *error = std::strerror(err);
    }
}

} // namespace

int LampFile::sizeForLength(size_t length) {
    if (length == LampPicture::byteCount(LampPicture::kSmall)) {
        return LampPicture::kSmall;
    }
    if (length == LampPicture::byteCount(LampPicture::kLarge)) {
        return LampPicture::kLarge;
    }
    return 0;
}

std::optional<LampPicture> LampFile::fromBytes(const uint8_t* data, size_t length) {
    int size = sizeForLength(length);
    if (size == 0) {
        return std::nullopt;
    }
    LampPicture p;
    p.size = size;
    p.dots.assign(data, data + length);
    return p;
}

LampFile::ReadResult LampFile::read(const std::string& path) {
    ReadResult result;
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return result;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        ::close(fd);
        return result;
    }
    // Only two lengths can be lamp pictures; read one byte more than the larger so that a file
    // that grew beyond it (or a pipe) is told apart without reading all of it.
    const size_t limit = LampPicture::byteCount(LampPicture::kLarge) + 1;
    uint8_t buf[LampPicture::byteCount(LampPicture::kLarge) + 1];
    size_t got = 0;
    while (got < limit) {
        ssize_t n = ::read(fd, buf + got, limit - got);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            ::close(fd);
            return result;
        }
        if (n == 0) {
            break;
        }
        got += static_cast<size_t>(n);
    }
    ::close(fd);
    if (auto p = fromBytes(buf, got)) {
        result.status = ReadStatus::Ok;
        result.picture = std::move(*p);
    } else {
        result.status = ReadStatus::NotALampPicture;
    }
    return result;
}

bool LampFile::write(const std::string& path, const LampPicture& picture, std::string* error) {
    if (!picture.isValid()) {
        setError(error, EINVAL);
        return false;
    }
    return FileIo::writeAtomic(path, picture.dots.data(), picture.dots.size(), error);
}

std::string LampFile::writeFailureMessage(const std::string& path, const std::string& reason) {
    std::string m = "无法创建或写入目标文件！\n" + path;
    if (!reason.empty()) {
        m += "\n(" + reason + ")";
    }
    return m;
}

} // namespace dispcraft
