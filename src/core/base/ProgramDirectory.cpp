#include "base/ProgramDirectory.h"

#include "base/FileIo.h"

#include <cctype>
#include <cstdlib>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace dispcraft {

namespace {

bool equalNoCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

std::string findNoCase(const std::string& dir, const std::string& name) {
    std::string exact = dir + "/" + name;
    if (FileIo::exists(exact)) {
        return exact;
    }
    DIR* d = ::opendir(dir.empty() ? "/" : dir.c_str());
    if (!d) {
        return exact;
    }
    std::string found;
    while (dirent* e = ::readdir(d)) {
        if (equalNoCase(e->d_name, name)) {
            found = dir + "/" + e->d_name;
            break;
        }
    }
    ::closedir(d);
    return found.empty() ? exact : found;
}

bool mkdirs(const std::string& path) {
    if (path.empty() || FileIo::isDirectory(path)) {
        return true;
    }
    size_t slash = path.rfind('/');
    if (slash != std::string::npos && slash > 0 && !mkdirs(path.substr(0, slash))) {
        return false;
    }
    return ::mkdir(path.c_str(), 0755) == 0 || FileIo::isDirectory(path);
}

} // namespace

ProgramDirectory::ProgramDirectory(std::string dir) : m_dir(std::move(dir)) {
    while (m_dir.size() > 1 && m_dir.back() == '/') {
        m_dir.pop_back();
    }
}

std::string ProgramDirectory::executableDirectory(const std::string& argv0) {
    std::vector<char> buf(4096);
    ssize_t n = ::readlink("/proc/self/exe", buf.data(), buf.size() - 1);
    std::string exe = n > 0 ? std::string(buf.data(), static_cast<size_t>(n)) : argv0;
    size_t slash = exe.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : exe.substr(0, slash);
}

ProgramDirectory ProgramDirectory::locate(const std::string& option, const std::string& argv0) {
    if (!option.empty()) {
        return ProgramDirectory(option);
    }
    if (const char* home = std::getenv("DISPCRAFT_HOME"); home && *home) {
        return ProgramDirectory(home);
    }
    std::string exeDir = executableDirectory(argv0);
    if (FileIo::exists(exeDir + "/qelsys.ini")) {
        return ProgramDirectory(exeDir);
    }
#ifdef DISPCRAFT_INSTALLED_DATA_DIR
    return ProgramDirectory(DISPCRAFT_INSTALLED_DATA_DIR);
#else
    return ProgramDirectory(exeDir);
#endif
}

std::string ProgramDirectory::resolve(const std::string& base, const std::string& relative) {
    std::string path = base;
    std::string part;
    auto flush = [&] {
        if (part.empty() || part == ".") {
            part.clear();
            return;
        }
        path = findNoCase(path, part);
        part.clear();
    };
    for (char c : relative) {
        if (c == '\\' || c == '/') {
            flush();
        } else {
            part += c;
        }
    }
    flush();
    return path;
}

std::string ProgramDirectory::file(const std::string& relative) const {
    return resolve(m_dir, relative);
}

std::string ProgramDirectory::settingsFile() const {
    std::string beside = file("qel.ini");
    // Writing goes through a temporary file beside it, so the directory must be writable too.
    struct stat info {};
    bool writable = ::access(m_dir.c_str(), W_OK) == 0 &&
                    (::stat(beside.c_str(), &info) != 0 ||
                     ((info.st_mode & 0222) != 0 && ::access(beside.c_str(), W_OK) == 0));
    if (writable) {
        return beside;
    }
    std::string config;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg) {
        config = xdg;
    } else if (const char* home = std::getenv("HOME"); home && *home) {
        config = std::string(home) + "/.config";
    } else {
        return beside;
    }
    std::string dir = config + "/dispcraft";
    std::string own = dir + "/qel.ini";
    if (!FileIo::exists(own) && mkdirs(dir)) {
        if (auto shipped = FileIo::readText(beside)) {
            FileIo::writeAtomic(own, *shipped);
        }
    }
    return own;
}

} // namespace dispcraft
