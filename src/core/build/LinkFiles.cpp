#include "build/LinkFiles.h"

#include "config/PrivateProfile.h"
#include "config/ProgramDirectory.h"
#include "model/ProjectStore.h"

namespace dispcraft::linkfiles {

std::string protocolName(const ProjectStore& store, int port) {
    const std::string& copy = port == 2 ? store.com2ProtocolName : store.com1ProtocolName;
    if (!copy.empty()) {
        return copy;
    }
    return ProjectBlock::nameOf(port == 2 ? store.projectBlock.com2Protocol : store.projectBlock.com1Protocol);
}

bool unsafeName(const std::string& name) {
    return name.find('/') != std::string::npos || name.find('\\') != std::string::npos ||
           name.find("..") != std::string::npos;
}

uint8_t linkKind(const ProjectStore& store, const ProgramDirectory& dir, int port) {
    const std::string name = protocolName(store, port);
    if (unsafeName(name)) {
        return 0;
    }
    std::string relative;
    if (port == 1 && store.cpuId == 1) {
        relative = "Protocol\\" + name + ".ini";
    } else {
        relative = std::string("Protocol120\\comport") + (port == 2 ? "2" : "1") + "\\" + name + ".ini";
    }
    const std::string text = PrivateProfile::getString(dir.file(relative), "LinkProtocol", "PLCID", "000");
    // Three decimal digits; the value is kept in one byte.
    int value = 0;
    for (size_t i = 0; i < 3; ++i) {
        const int c = i < text.size() ? static_cast<unsigned char>(text[i]) : 0;
        value = value * 10 + (c - '0');
    }
    return static_cast<uint8_t>(value & 0xFF);
}

std::string imageDriverPath(const ProgramDirectory& dir, const std::string& com1Name) {
    return dir.file("Protocol\\" + com1Name + ".bin");
}

} // namespace dispcraft::linkfiles
