#include "document/RecoveryCopies.h"

#include "base/FileIo.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <random>
#include <sys/file.h>
#include <unistd.h>

namespace dispcraft {

namespace {

constexpr const char* kCopy = ".trn";
constexpr const char* kInfo = ".info";
constexpr const char* kLock = ".lock";

bool absolute(const char* path) {
    return path != nullptr && path[0] == '/';
}

std::string escaped(const std::string& s) {
    std::string out;
    for (char c : s) {
        if (c == '\\') {
            out += "\\\\";
        } else if (c == '\n') {
            out += "\\n";
        } else {
            out += c;
        }
    }
    return out;
}

std::string unescaped(const std::string& s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 1 < s.size()) {
            out += s[++i] == 'n' ? '\n' : s[i];
        } else {
            out += s[i];
        }
    }
    return out;
}

// A lock taken without waiting: -1 when another program holds it (or it cannot be opened).
int takeLock(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        return -1;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

std::string newId() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    std::random_device device;
    char id[64];
    std::snprintf(
        id, sizeof id, "%lld-%08x",
        static_cast<long long>(std::chrono::duration_cast<std::chrono::seconds>(now).count()),
        static_cast<unsigned>(device()));
    return id;
}

} // namespace

std::string RecoveryCopies::defaultDirectory() {
    if (const char* state = std::getenv("XDG_STATE_HOME"); absolute(state)) {
        return std::string(state) + "/dispcraft/recovery";
    }
    if (const char* home = std::getenv("HOME"); absolute(home)) {
        return std::string(home) + "/.local/state/dispcraft/recovery";
    }
    return {};
}

RecoveryCopies::RecoveryCopies(std::string directory, std::string id)
    : m_dir(std::move(directory)), m_id(id.empty() ? newId() : std::move(id)) {}

RecoveryCopies::~RecoveryCopies() {
    if (m_ownLock >= 0) {
        ::close(m_ownLock);
    }
    for (const auto& held : m_heldLocks) {
        ::close(held.second);
    }
}

std::string RecoveryCopies::file(const std::string& id, const char* extension) const {
    return m_dir + "/" + id + extension;
}

bool RecoveryCopies::write(const std::string& projectBytes, const RecoveryCopy& about,
                           std::string* error) {
    if (m_dir.empty()) {
        if (error) {
            *error = std::strerror(ENOENT);
        }
        return false;
    }
    if (!FileIo::makePrivateDirectory(m_dir, error)) {
        return false;
    }
    if (m_ownLock < 0) {
        m_ownLock = takeLock(file(m_id, kLock));
        if (m_ownLock < 0) {
            if (error) {
                *error = std::strerror(errno != 0 ? errno : EWOULDBLOCK);
            }
            return false;
        }
    }
    // The description last: a copy is listed by it, so it is only listed once it is whole.
    return FileIo::writePrivate(file(m_id, kCopy), projectBytes, error) &&
           FileIo::writePrivate(file(m_id, kInfo), describe(about), error);
}

void RecoveryCopies::remove() {
    if (m_ownLock < 0) {
        return;
    }
    ::unlink(file(m_id, kInfo).c_str());
    ::unlink(file(m_id, kCopy).c_str());
    ::unlink(file(m_id, kLock).c_str());
    ::close(m_ownLock);
    m_ownLock = -1;
}

std::vector<RecoveryCopy> RecoveryCopies::orphans() {
    std::vector<RecoveryCopy> found;
    DIR* d = m_dir.empty() ? nullptr : ::opendir(m_dir.c_str());
    if (d == nullptr) {
        return found;
    }
    std::vector<std::string> ids;
    while (const dirent* e = ::readdir(d)) {
        const std::string name = e->d_name;
        const size_t n = std::strlen(kInfo);
        if (name.size() > n && name.compare(name.size() - n, n, kInfo) == 0) {
            ids.push_back(name.substr(0, name.size() - n));
        }
    }
    ::closedir(d);
    for (const std::string& id : ids) {
        if (id == m_id) {
            continue;
        }
        auto held = m_heldLocks.find(id);
        if (held == m_heldLocks.end()) {
            const int fd = takeLock(file(id, kLock));
            if (fd < 0) {
                continue; // its program is still running
            }
            held = m_heldLocks.emplace(id, fd).first;
        }
        RecoveryCopy copy;
        const auto text = FileIo::readText(file(id, kInfo));
        if (!text || !parse(*text, copy) || !FileIo::exists(file(id, kCopy))) {
            // Half removed by its program a moment ago, or not one of ours. The lock is ours, so
            // its program is gone: the lock file goes too rather than stay behind for good.
            ::unlink(file(id, kLock).c_str());
            ::close(held->second);
            m_heldLocks.erase(held);
            continue;
        }
        copy.id = id;
        copy.copyPath = file(id, kCopy);
        found.push_back(std::move(copy));
    }
    std::stable_sort(found.begin(), found.end(), [](const RecoveryCopy& a, const RecoveryCopy& b) {
        return a.savedAt > b.savedAt;
    });
    return found;
}

void RecoveryCopies::discard(const RecoveryCopy& copy) {
    auto held = m_heldLocks.find(copy.id);
    if (held == m_heldLocks.end()) {
        return; // not one found here: another program may own it
    }
    ::unlink(file(copy.id, kInfo).c_str());
    ::unlink(file(copy.id, kCopy).c_str());
    ::unlink(file(copy.id, kLock).c_str());
    ::close(held->second);
    m_heldLocks.erase(held);
}

void RecoveryCopies::setAside(const RecoveryCopy& copy) {
    auto held = m_heldLocks.find(copy.id);
    if (held == m_heldLocks.end()) {
        return;
    }
    ::unlink(file(copy.id, kInfo).c_str());
    ::unlink(file(copy.id, kLock).c_str());
    ::close(held->second);
    m_heldLocks.erase(held);
}

void RecoveryCopies::release() {
    for (const auto& held : m_heldLocks) {
        ::close(held.second);
    }
    m_heldLocks.clear();
}

std::string RecoveryCopies::describe(const RecoveryCopy& about) {
    std::string screens;
    for (int s : about.openScreens) {
        screens += (screens.empty() ? "" : ",") + std::to_string(s);
    }
    return "project=" + escaped(about.projectPath) + "\nsaved=" + std::to_string(about.savedAt) +
           "\nscreens=" + screens + "\n";
}

bool RecoveryCopies::parse(const std::string& text, RecoveryCopy& about) {
    bool saved = false;
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find('\n', at);
        if (end == std::string::npos) {
            end = text.size();
        }
        const std::string line = text.substr(at, end - at);
        at = end + 1;
        const size_t eq = line.find('=');
        if (eq == std::string::npos) {
            continue;
        }
        const std::string key = line.substr(0, eq);
        const std::string value = line.substr(eq + 1);
        if (key == "project") {
            about.projectPath = unescaped(value);
        } else if (key == "saved") {
            char* stop = nullptr;
            errno = 0;
            const long long t = std::strtoll(value.c_str(), &stop, 10);
            saved = !value.empty() && *stop == '\0' && errno == 0;
            about.savedAt = t;
        } else if (key == "screens") {
            about.openScreens.clear();
            size_t p = 0;
            while (p < value.size()) {
                size_t comma = value.find(',', p);
                if (comma == std::string::npos) {
                    comma = value.size();
                }
                const int s = std::atoi(value.substr(p, comma - p).c_str());
                if (s >= 1 && s <= 199) {
                    about.openScreens.push_back(s);
                }
                p = comma + 1;
            }
        }
    }
    return saved;
}

} // namespace dispcraft
