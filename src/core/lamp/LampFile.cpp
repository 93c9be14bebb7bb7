#include "lamp/LampFile.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
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

bool writeAll(int fd, const uint8_t* p, size_t left) {
    while (left > 0) {
        ssize_t w = ::write(fd, p, left);
        if (w < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        p += w;
        left -= static_cast<size_t>(w);
    }
    return true;
}

// A symbolic link is followed, so that the file it names is replaced rather than the link.
std::string resolveTarget(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        if (char* real = ::realpath(path.c_str(), nullptr)) {
            std::string r = real;
            std::free(real);
            return r;
        }
    }
    return path;
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
    const std::string target = resolveTarget(path);
    struct stat st {};
    const bool exists = ::stat(target.c_str(), &st) == 0;
    if (exists && S_ISDIR(st.st_mode)) {
        setError(error, EISDIR);
        return false;
    }
    if (exists && ::access(target.c_str(), W_OK) != 0) {
        setError(error, errno);
        return false;
    }
    size_t slash = target.rfind('/');
    std::string dir = slash == std::string::npos ? "." : (slash == 0 ? "/" : target.substr(0, slash));
    std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
    std::string tmpl = dir + "/." + base + ".XXXXXX";
    std::vector<char> name(tmpl.begin(), tmpl.end());
    name.push_back('\0');
    int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) {
        setError(error, errno);
        return false;
    }
    mode_t mode = 0666;
    if (exists) {
        mode = st.st_mode & 07777;
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        mode &= ~mask;
    }
    ::fchmod(fd, mode);
    if (!writeAll(fd, picture.dots.data(), picture.dots.size()) ||
        (::fsync(fd) != 0 && errno != EINVAL)) {
        int err = errno;
        ::close(fd);
        ::unlink(name.data());
        setError(error, err);
        return false;
    }
    if (::close(fd) != 0 || ::rename(name.data(), target.c_str()) != 0) {
        int err = errno;
        ::unlink(name.data());
        setError(error, err);
        return false;
    }
    return true;
}

std::string LampFile::writeFailureMessage(const std::string& path, const std::string& reason) {
    std::string m = "无法创建或写入目标文件！\n" + path;
    if (!reason.empty()) {
        m += "\n(" + reason + ")";
    }
    return m;
}

} // namespace dispcraft
