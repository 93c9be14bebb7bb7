#include "config/ProtocolFile.h"
#include "model/PanelCpu.h"

#include "config/PrivateProfile.h"
#include "base/ProgramDirectory.h"
#include "base/FileIo.h"
#include "model/ProjectStore.h"

#include <algorithm>
#include <cctype>
#include <dirent.h>

namespace dispcraft {

namespace {

// Protocol names come from project files, which may be damaged or hostile: a name must stay a
// file name inside its protocol directory.
std::string fileName(const std::string& name, const char* suffix) {
    std::string safe = name;
    for (char& c : safe) {
        if (c == '/' || c == '\\') {
            c = '_';
        }
    }
    return safe + suffix;
}

} // namespace

ProtocolFile::ProtocolFile(const std::string& path) {
    auto t = FileIo::readText(path);
    m_found = t.has_value();
    m_ini = t ? IniFile(*t) : IniFile();
}

std::string ProtocolFile::text(const char* section, const std::string& key, const char* def) const {
    return PrivateProfile::getString(m_ini, section, key, def);
}

std::string ProtocolFile::baudText() const { return text("Comsetting", "bdrt", kMissing); }
std::string ProtocolFile::dataBitsText() const { return text("Comsetting", "datalen", kMissing); }
std::string ProtocolFile::stopBitsText() const { return text("Comsetting", "stopbit", kMissing); }
std::string ProtocolFile::parityText() const { return text("Comsetting", "parity", kMissing); }

uint8_t ProtocolFile::plcId() const {
    // Kept in one byte: 300 becomes 44.
    return static_cast<uint8_t>(threeDigits(text("LinkProtocol", "PLCID", "000")));
}

std::string ProtocolFile::linkName() const { return text("LinkProtocol", "LinkName", "000"); }

std::array<AddressArea, capacity::kAreas> ProtocolFile::areas(const char* section,
                                                              const char* prefix) const {
    std::array<AddressArea, capacity::kAreas> out;
    for (int d = 0; d < capacity::kAreas; ++d) {
        std::string k = prefix + std::to_string(d);
        AddressArea& a = out[static_cast<size_t>(d)];
        a.name = text(section, k, kMissing);
        a.range = text(section, k + "rang", kMissing);
        a.format = text(section, k + "format", kMissing);
    }
    return out;
}

std::array<AddressArea, capacity::kAreas> ProtocolFile::wordAreas() const {
    return areas("Changword", "reg");
}

std::array<AddressArea, capacity::kAreas> ProtocolFile::bitAreas() const {
    return areas("Changebit", "relay");
}

std::string ProtocolFile::stationText() const { return text("station", "station", kMissing); }
int ProtocolFile::defaultStation() const {
    return PrivateProfile::getInt(m_ini, "Station", "Defaultstation", 1);
}
int ProtocolFile::maxStation() const { return PrivateProfile::getInt(m_ini, "Station", "Maxstation", 1); }
int ProtocolFile::minStation() const { return PrivateProfile::getInt(m_ini, "Station", "Minstation", 1); }
int ProtocolFile::changePerLen() const { return threeDigits(text("Changdata", "changeperlen", "016")); }
int ProtocolFile::changeMaxNum() const { return threeDigits(text("Changdata", "chengmaxnum", "010")); }

PortProtocol ProtocolFile::portProtocol() const {
    PortProtocol p;
    p.wordAreas = wordAreas();
    p.bitAreas = bitAreas();
    p.stationText = stationText();
    p.changePerLen = changePerLen();
    p.changeMaxNum = changeMaxNum();
    return p;
}

int ProtocolFile::threeDigits(const std::string& t) {
    auto c = [&](size_t i) { return i < t.size() ? static_cast<int>(static_cast<unsigned char>(t[i])) : 0; };
    return (c(0) - '0') * 100 + (c(1) - '0') * 10 + (c(2) - '0');
}

std::vector<std::string> ProtocolFile::list(const std::string& directory) {
    std::vector<std::string> titles;
    DIR* d = ::opendir(directory.c_str());
    if (!d) {
        return titles;
    }
    while (dirent* e = ::readdir(d)) {
        std::string name = e->d_name;
        if (name.size() <= 4) {
            continue;
        }
        std::string ext = name.substr(name.size() - 4);
        std::transform(ext.begin(), ext.end(), ext.begin(),
                       [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
        if (ext != ".ini" || FileIo::isDirectory(directory + "/" + name)) {
            continue;
        }
        titles.push_back(name.substr(0, name.size() - 4));
    }
    ::closedir(d);
    std::sort(titles.begin(), titles.end());
    return titles;
}

std::string ProtocolFile::projectPath(const ProgramDirectory& dir, int cpuId, int port,
                                      const std::string& name) {
    if (port == 2) {
        return dir.file("Protocol120\\comport2\\" + fileName(name, ".ini"));
    }
    return dir.file((PanelCpu(cpuId).secondGeneration() ? "Protocol120\\comport1\\" : "Protocol\\") +
                    fileName(name, ".ini"));
}

std::string ProtocolFile::buildPath(const ProgramDirectory& dir, int cpuId, int port,
                                    const std::string& name) {
    if (port == 2) {
        return dir.file("Protocol120\\comport2\\" + fileName(name, ".ini"));
    }
    return dir.file((PanelCpu(cpuId).onePort() ? "Protocol\\" : "Protocol120\\comport1\\") +
                    fileName(name, ".ini"));
}

std::string ProtocolFile::dialogPath(const ProgramDirectory& dir, bool twoPort, int port,
                                     const std::string& name) {
    if (port == 2) {
        return dir.file("Protocol120\\comport2\\" + fileName(name, ".ini"));
    }
    return dir.file((twoPort ? "Protocol120\\comport1\\" : "Protocol\\") + fileName(name, ".ini"));
}

std::string ProtocolFile::imageDriverPath(const ProgramDirectory& dir, const std::string& com1Name) {
    return dir.file("Protocol\\" + fileName(com1Name, ".bin"));
}

std::string ProtocolFile::downloadDriverPath(const ProgramDirectory& dir, int port,
                                             const std::string& name, bool typeB) {
    std::string sub = typeB ? "comport_B\\" : (port == 2 ? "comport2\\" : "comport1\\");
    return dir.file("Protocol120\\" + sub + fileName(name, port == 2 ? "_2.bin" : "_1.bin"));
}

void ProtocolFile::readIntoStore(ProjectStore& store, const ProgramDirectory& dir) {
    store.maxChangeLength = 1;
    store.maxChangeCount = 1;
    // A port without a protocol must not keep the areas of the previous project.
    const ProtocolFile none{IniFile()};
    if (!store.com1ProtocolName.empty()) {
        ProtocolFile f(projectPath(dir, store.cpuId, 1, store.com1ProtocolName));
        store.com1Protocol = f.portProtocol();
        store.defaultStation = static_cast<uint8_t>(f.defaultStation());
        store.maxStation = static_cast<uint8_t>(f.maxStation());
        store.minStation = static_cast<uint8_t>(f.minStation());
    } else {
        store.com1Protocol = none.portProtocol();
        store.defaultStation = static_cast<uint8_t>(none.defaultStation());
        store.maxStation = static_cast<uint8_t>(none.maxStation());
        store.minStation = static_cast<uint8_t>(none.minStation());
    }
    if (!store.com2ProtocolName.empty()) {
        ProtocolFile f(projectPath(dir, store.cpuId, 2, store.com2ProtocolName));
        store.com2Protocol = f.portProtocol();
        // Three-digit values of a damaged file can be anything; a limit below 0 would make the
        // build refuse even an empty exchange table.
        auto limit = [](int a, int b) { return std::clamp(std::min(a, b), 0, kMaxExchangeLimit); };
        store.maxChangeLength = limit(store.com1Protocol.changePerLen, store.com2Protocol.changePerLen);
        store.maxChangeCount = limit(store.com1Protocol.changeMaxNum, store.com2Protocol.changeMaxNum);
    } else {
        store.com2Protocol = none.portProtocol();
    }
}

uint8_t ProtocolFile::readLinkKind(const ProjectStore& store, const ProgramDirectory& dir, int port) {
    const std::string& name = port == 2 ? store.com2ProtocolName : store.com1ProtocolName;
    return ProtocolFile(buildPath(dir, store.cpuId, port, name)).plcId();
}

} // namespace dispcraft
