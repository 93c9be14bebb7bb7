#include "editor/LampFiles.h"

#include "config/ProgramDirectory.h"

#include <fstream>

namespace dispcraft {

bool LampFiles::safeName(const std::string& name) {
    return name.find('/') == std::string::npos && name.find('\\') == std::string::npos &&
           name.find("..") == std::string::npos && name.find('\0') == std::string::npos;
}

std::string LampFiles::path(const ProgramDirectory& dir, const std::string& name) {
    return dir.file("\\lampdata\\" + name + ".lmp");
}

LampFileRead LampFiles::readFile(const std::string& path) {
    LampFileRead r;
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) {
        return r;
    }
    std::streamoff end = in.tellg();
    if (end < 0) {
        return r;
    }
    r.opened = true;
    r.length = static_cast<uint64_t>(end);
    if (r.length == 512 || r.length == 2048) {
        r.bytes.resize(static_cast<size_t>(r.length));
        in.seekg(0);
        if (!in.read(r.bytes.data(), static_cast<std::streamsize>(r.bytes.size()))) {
            r = LampFileRead{};
        }
    }
    return r;
}

LampFileRead LampFiles::read(const ProgramDirectory& dir, const std::string& name) {
    if (!safeName(name)) {
        return {};
    }
    return readFile(path(dir, name));
}

} // namespace dispcraft
