#include "platform/SerialDeviceList.h"

#include "platform/PanelAnnouncements.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <map>
#include <set>
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

// The product name of the USB device a tty belongs to: its "device" link leads to the USB
// interface (ttyACM) or to the port under it (ttyUSB); the product is on the device above.
std::string usbProduct(const std::string& sysRoot, const std::string& name) {
    char resolved[PATH_MAX];
    if (!::realpath((sysRoot + "/class/tty/" + name + "/device").c_str(), resolved)) {
        return {};
    }
    std::string dir = resolved;
    for (int up = 0; up < 3 && dir.size() > 1; ++up) {
        std::ifstream f(dir + "/product");
        std::string product;
        if (f && std::getline(f, product)) {
            while (!product.empty() && std::isspace(static_cast<unsigned char>(product.back()))) {
                product.pop_back();
            }
            if (!product.empty()) {
                return product;
            }
        }
        dir = dir.substr(0, dir.rfind('/'));
    }
    return {};
}

} // namespace

std::string SerialDevice::label() const {
    if (!product.empty()) {
        return name + " (" + product + ")";
    }
    return byId.empty() ? name : name + " (" + byId + ")";
}

std::vector<SerialDevice> SerialDeviceList::list(const std::string& devRoot,
                                                 const std::string& sysRoot,
                                                 const std::string& extra,
                                                 const std::string& panelDirectory) {
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
        d.kind = f.family == 0 ? SerialDevice::Kind::Builtin : SerialDevice::Kind::Adapter;
        auto id = byId.find(f.name);
        if (id != byId.end()) {
            d.byId = id->second;
        }
        if (f.family != 0) {
            d.product = usbProduct(sysRoot, f.name);
        }
        out.push_back(d);
    }
    std::set<std::string> listed;
    for (const SerialDevice& d : out) {
        listed.insert(d.path);
    }
    auto shortName = [](const std::string& path) {
        return path.rfind("/dev/", 0) == 0 ? path.substr(5) : path;
    };
    size_t start = 0;
    while (start < extra.size()) {
        size_t colon = extra.find(':', start);
        std::string path = extra.substr(start, colon == std::string::npos ? colon : colon - start);
        start = colon == std::string::npos ? extra.size() : colon + 1;
        if (path.empty() || !listed.insert(path).second) {
            continue;
        }
        SerialDevice d;
        d.path = path;
        d.name = shortName(path);
        out.push_back(d);
    }
    if (!panelDirectory.empty()) {
        for (const PanelAnnouncements::Panel& p : PanelAnnouncements(panelDirectory).running()) {
            if (!listed.insert(p.device).second) {
                // Named in the environment as well: it is still a virtual panel.
                for (SerialDevice& d : out) {
                    if (d.path == p.device) {
                        d.kind = SerialDevice::Kind::VirtualPanel;
                    }
                }
                continue;
            }
            SerialDevice d;
            d.path = p.device;
            d.name = shortName(p.device);
            d.kind = SerialDevice::Kind::VirtualPanel;
            out.push_back(d);
        }
    }
    return out;
}

std::vector<SerialDevice> SerialDeviceList::list() {
    const char* extra = std::getenv("DISPCRAFT_SERIAL_DEVICES");
    return list("/dev", "/sys", extra ? extra : "", PanelAnnouncements::forUser().directory());
}

std::string SerialDeviceList::devicePath(int portNumber) {
    std::vector<SerialDevice> all = list();
    if (portNumber < 1 || portNumber > static_cast<int>(all.size())) {
        return {};
    }
    return all[static_cast<size_t>(portNumber - 1)].path;
}

} // namespace dispcraft
