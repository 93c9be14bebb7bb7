#include "platform/PanelAnnouncements.h"

#include "base/FileIo.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace dispcraft {

namespace {

constexpr const char* kSuffix = ".panel";

// Makes dir (and its parent) private to this user; false when it exists and is not ours, as a
// directory in /tmp may be another user's trap.
bool makePrivateDirectory(const std::string& dir) {
    const size_t slash = dir.rfind('/');
    if (slash != std::string::npos && slash > 0) {
        const std::string parent = dir.substr(0, slash);
        if (::mkdir(parent.c_str(), 0700) != 0 && errno != EEXIST) {
            return false;
        }
    }
    if (::mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST) {
        return false;
    }
    struct stat st {};
    return ::lstat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid();
}

bool ownedDirectory(const std::string& dir) {
    struct stat st {};
    return ::lstat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid();
}

bool processRuns(long pid) {
    // Panels are this user's processes: one we may not signal is someone else's.
    if (pid <= 0 || ::kill(static_cast<pid_t>(pid), 0) != 0) {
        return false;
    }
    // A process id may be taken again after a panel was killed: where the system says what
    // runs under it, it must be a panel.
    std::ifstream comm("/proc/" + std::to_string(pid) + "/comm");
    std::string name;
    if (comm && std::getline(comm, name)) {
        return name.rfind("dispcraft-pane", 0) == 0;
    }
    return true;
}

} // namespace

PanelAnnouncements PanelAnnouncements::forUser() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && runtime[0] == '/') {
        return PanelAnnouncements(std::string(runtime) + "/dispcraft/panels");
    }
    return PanelAnnouncements("/tmp/dispcraft-" + std::to_string(::getuid()) + "/panels");
}

std::string PanelAnnouncements::announce(const std::string& device) const {
    if (!makePrivateDirectory(m_dir)) {
        return {};
    }
    const std::string file = m_dir + "/" + std::to_string(::getpid()) + kSuffix;
    // Readers never see a half-written announcement: its temporary name lacks the suffix.
    if (!FileIo::writeAtomic(file, device + "\n")) {
        return {};
    }
    return file;
}

void PanelAnnouncements::withdraw(const std::string& file) {
    if (!file.empty()) {
        ::unlink(file.c_str());
    }
}

std::vector<PanelAnnouncements::Panel> PanelAnnouncements::running() const {
    std::vector<Panel> out;
    if (!ownedDirectory(m_dir)) {
        return out;
    }
    DIR* d = ::opendir(m_dir.c_str());
    if (!d) {
        return out;
    }
    std::vector<std::string> names;
    while (dirent* e = ::readdir(d)) {
        names.emplace_back(e->d_name);
    }
    ::closedir(d);
    for (const std::string& name : names) {
        const size_t dot = name.find('.');
        if (dot == std::string::npos || dot == 0 || name.substr(dot) != kSuffix ||
            !std::all_of(name.begin(), name.begin() + static_cast<long>(dot), ::isdigit) ||
            dot > 9) {
            continue;
        }
        const long pid = std::atol(name.substr(0, dot).c_str());
        const std::string file = m_dir + "/" + name;
        std::string device;
        {
            std::ifstream in(file);
            std::getline(in, device);
        }
        struct stat st {};
        const bool trusted =
            device.rfind("/dev/", 0) == 0 && device.find("/../") == std::string::npos;
        if (!processRuns(pid) || !trusted || ::stat(device.c_str(), &st) != 0 ||
            !S_ISCHR(st.st_mode)) {
            ::unlink(file.c_str());
            continue;
        }
        out.push_back(Panel{pid, device});
    }
    std::sort(out.begin(), out.end(), [](const Panel& a, const Panel& b) { return a.pid < b.pid; });
    return out;
}

} // namespace dispcraft
