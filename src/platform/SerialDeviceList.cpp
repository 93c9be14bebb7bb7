#include "platform/SerialDeviceList.h"

#include <algorithm>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <map>
#include <unistd.h>

namespace dispcraft {

namespace {

const char* const kFamilies[] = {"ttyS", "ttyUSB", "ttyACM"};

// The family index and number of a device name, or false.
bool parseName(const std::string& name, int* family, long* number) {
    for (int f = 0; f < 3; ++f) {
        std::string prefix = kFamilies[f];
        if (name.size() > prefix.size() && name.compare(0, prefix.size(), prefix) == 0) {
            std::string digits = name.substr(prefix.size());
            if (std::all_of(digits.begin(), digits.end(), ::isdigit) && digits.size() < 9) {
                *family = f;
                *number = std::atol(digits.c_str());
                return true;
            }
        }
    }
    return false;
}

std::vector<std::string> entries(const std::string& dir) {
    std::vector<std::string> out;
    if (DIR* d = ::opendir(dir.c_str())) {
        while (dirent* e = ::readdir(d)) {
            if (e->d_name[0] != '.') {
                out.emplace_back(e->d_name);
            }
        }
        ::closedir(d);
    }
    return out;
}

// Built-in 8250 ports exist whether or not a UART is fitted; the kernel says type 0 for none.
bool hasUart(const std::string& sysRoot, const std::string& name) {
    std::ifstream f(sysRoot + "/class/tty/" + name + "/type");
    int type = -1;
    if (!(f >> type)) {
        return true; // nothing to tell: keep it
    }
    return type != 0;
}

} // namespace

std::vector<SerialDevice> SerialDeviceList::list(const std::string& devRoot,
                                                 const std::string& sysRoot,
                                                 const std::string& extra) {
    // by-id links point at "../../ttyUSB0".
    std::map<std::string, std::string> byId;
    std::string idDir = devRoot + "/serial/by-id";
    for (const std::string& link : entries(idDir)) {
        char buf[4096];
        ssize_t n = ::readlink((idDir + "/" + link).c_str(), buf, sizeof buf - 1);
        if (n > 0) {
            std::string target(buf, static_cast<size_t>(n));
            size_t slash = target.rfind('/');
            byId.emplace(slash == std::string::npos ? target : target.substr(slash + 1), link);
        }
    }
    struct Found {
        int family;
        long number;
        std::string name;
    };
    std::vector<Found> found;
    for (const std::string& name : entries(devRoot)) {
        int family;
        long number;
        if (!parseName(name, &family, &number)) {
            continue;
        }
        if (family == 0 && !hasUart(sysRoot, name)) {
            continue;
        }
        found.push_back({family, number, name});
    }
    std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
        return a.family != b.family ? a.family < b.family : a.number < b.number;
    });
    std::vector<SerialDevice> out;
    for (const Found& f : found) {
        SerialDevice d;
        d.path = devRoot + "/" + f.name;
        d.name = f.name;
        auto id = byId.find(f.name);
        if (id != byId.end()) {
            d.byId = id->second;
        }
        out.push_back(d);
    }
    size_t start = 0;
    while (start < extra.size()) {
        size_t colon = extra.find(':', start);
        std::string path = extra.substr(start, colon == std::string::npos ? colon : colon - start);
        start = colon == std::string::npos ? extra.size() : colon + 1;
        if (path.empty()) {
            continue;
        }
        SerialDevice d;
        d.path = path;
        d.name = path.rfind("/dev/", 0) == 0 ? path.substr(5) : path;
        out.push_back(d);
    }
    return out;
}

std::vector<SerialDevice> SerialDeviceList::list() {
    const char* extra = std::getenv("DISPCRAFT_SERIAL_DEVICES");
    return list("/dev", "/sys", extra ? extra : "");
}

std::string SerialDeviceList::devicePath(int portNumber) {
    std::vector<SerialDevice> all = list();
    if (portNumber < 1 || portNumber > static_cast<int>(all.size())) {
        return {};
    }
    return all[static_cast<size_t>(portNumber - 1)].path;
}

} // namespace dispcraft
