#include "image/LinkFiles.h"

#include "config/ProtocolFile.h"
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
    return ProtocolFile::readLinkKind(store, dir, port);
}

std::string imageDriverPath(const ProgramDirectory& dir, const std::string& com1Name) {
    return ProtocolFile::imageDriverPath(dir, com1Name);
}

} // namespace dispcraft::linkfiles
