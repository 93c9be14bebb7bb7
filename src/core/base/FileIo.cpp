#include "base/FileIo.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dispcraft {

namespace {

bool readAll(const std::string& path, std::string& out) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
        return false;
    }
    struct stat st {};
    if (fstat(fileno(f), &st) == 0 && S_ISDIR(st.st_mode)) {
        std::fclose(f);
        return false;
    }
    char buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) {
        out.append(buf, n);
    }
    bool ok = !std::ferror(f);
    std::fclose(f);
    return ok;
}

void setError(std::string* error, int err) {
    if (error) {
        *error = std::strerror(err);
    }
}

} // namespace

std::optional<std::string> FileIo::readText(const std::string& path) {
    std::string s;
    if (!readAll(path, s)) {
        return std::nullopt;
    }
    return s;
}

std::optional<std::vector<uint8_t>> FileIo::readBytes(const std::string& path) {
    std::string s;
    if (!readAll(path, s)) {
        return std::nullopt;
    }
    return std::vector<uint8_t>(s.begin(), s.end());
}

bool FileIo::exists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

bool FileIo::isDirectory(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool FileIo::writeAtomic(const std::string& target, const void* data, size_t size,
                         std::string* error) {
    // A symbolic link keeps pointing at the file it names: that file is the one replaced.
    std::string path = target;
    struct stat link {};
    if (::lstat(target.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
        if (char* real = ::realpath(target.c_str(), nullptr)) {
            path = real;
            std::free(real);
        }
    }
    // Writing in place would fail on a read-only file; the rename must not get round that.
    struct stat old {};
    if (::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode) &&
        ((old.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0)) {
        setError(error, EACCES);
        return false;
    }
    std::string dir = ".";
    size_t slash = path.rfind('/');
    if (slash != std::string::npos) {
        dir = slash == 0 ? "/" : path.substr(0, slash);
    }
    std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    std::string tmpl = dir + "/." + base + ".XXXXXX";
    std::vector<char> name(tmpl.begin(), tmpl.end());
    name.push_back('\0');
    int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) {
        setError(error, errno);
        return false;
    }
    // Keep the permissions of the file being replaced, else the usual ones for a new file.
    struct stat st {};
    mode_t mode = 0666;
    if (::stat(path.c_str(), &st) == 0) {
        mode = st.st_mode & 07777;
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        mode &= ~mask;
    }
    ::fchmod(fd, mode);
    const char* p = static_cast<const char*>(data);
    size_t left = size;
    while (left > 0) {
        ssize_t w = ::write(fd, p, left);
        if (w < 0) {
            if (errno == EINTR) {
                continue;
            }
            int err = errno;
            ::close(fd);
            ::unlink(name.data());
            setError(error, err);
            return false;
        }
        p += w;
        left -= static_cast<size_t>(w);
    }
    if (::fsync(fd) != 0 && errno != EINVAL) {
        int err = errno;
        ::close(fd);
        ::unlink(name.data());
        setError(error, err);
        return false;
    }
    if (::close(fd) != 0) {
        int err = errno;
        ::unlink(name.data());
        setError(error, err);
        return false;
    }
    if (::rename(name.data(), path.c_str()) != 0) {
        int err = errno;
        ::unlink(name.data());
        setError(error, err);
        return false;
    }
    return true;
}

} // namespace dispcraft
