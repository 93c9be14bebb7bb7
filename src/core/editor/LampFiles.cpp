#include "editor/LampFiles.h"

#include "base/ProgramDirectory.h"
#include "lamp/LampFile.h"


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
    LampFile::ReadResult f = LampFile::read(path);
    r.opened = f.status != LampFile::ReadStatus::CannotOpen;
    if (f.ok()) {
        r.bytes.assign(f.picture.dots.begin(), f.picture.dots.end());
        r.length = r.bytes.size();
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
