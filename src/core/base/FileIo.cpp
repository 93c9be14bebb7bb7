#include "base/FileIo.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <string_view>
#include <sys/file.h>
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

std::string temporaryPrefix(const std::string& base) { return "." + base + "."; }

// Whether name is one of our temporary files for the prefix: "<prefix><pid>.XXXXXX".
bool isTemporaryName(std::string_view name, const std::string& prefix) {
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) {
        return false;
    }
    const std::string_view rest = name.substr(prefix.size());
    const size_t dot = rest.find('.');
    if (dot == 0 || dot == std::string_view::npos || rest.size() - dot - 1 != 6) {
        return false;
    }
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    const auto alnum = [&](char c) {
        return digit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    };
    return std::all_of(rest.begin(), rest.begin() + static_cast<long>(dot), digit) &&
           std::all_of(rest.begin() + static_cast<long>(dot) + 1, rest.end(), alnum);
}

// Temporary files of this target that a writer left when it was killed half-way. A writer holds
// a lock on its file until it is renamed, and the system drops the lock when the writer dies:
// a file whose lock can be taken has no writer any more. Those of a writer still at work (another
// program saving the same file this moment) are left alone.
void removeLeftovers(const std::string& dir, const std::string& base) {
    DIR* d = ::opendir(dir.c_str());
    if (d == nullptr) {
        return;
    }
    const std::string prefix = temporaryPrefix(base);
    const int dirFd = ::dirfd(d);
    while (const dirent* e = ::readdir(d)) {
        if (!isTemporaryName(e->d_name, prefix)) {
            continue;
        }
        const int fd = ::openat(dirFd, e->d_name, O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
        if (fd < 0) {
            continue;
        }
        struct stat st {};
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            ::unlinkat(dirFd, e->d_name, 0);
        }
        ::close(fd);
    }
    ::closedir(d);
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
    // ".<name>.<pid>.XXXXXX": hidden beside the target, on the same file system for the rename.
    std::string tmpl = dir + "/" + temporaryPrefix(base) + std::to_string(::getpid()) + ".XXXXXX";
    std::vector<char> name(tmpl.begin(), tmpl.end());
    name.push_back('\0');
    int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) {
        setError(error, errno);
        return false;
    }
    // Held until the file has its final name: a lock that can be taken marks the file of a
    // writer that died half-way (see removeLeftovers).
    ::flock(fd, LOCK_EX);
    auto failWith = [&](int err) {
        ::unlink(name.data());
        ::close(fd);
        setError(error, err);
        return false;
    };
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
            return failWith(errno);
        }
        p += w;
        left -= static_cast<size_t>(w);
    }
    if (::fsync(fd) != 0 && errno != EINVAL) {
        return failWith(errno);
    }
    if (::rename(name.data(), path.c_str()) != 0) {
        return failWith(errno);
    }
    // Closed only now, so that the lock covers the file until it is no longer temporary.
    if (::close(fd) != 0) {
        setError(error, errno);
        return false;
    }
    removeLeftovers(dir, base);
    return true;
}

} // namespace dispcraft
