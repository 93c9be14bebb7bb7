#include "model/RecentFileList.h"

#include "config/PrivateProfile.h"

namespace dispcraft {

namespace {

const char* const kSection = "LastFile";

std::string keyOf(size_t i) { return "file" + std::to_string(i + 1); }

} // namespace

RecentFileList::Entries RecentFileList::read(const std::string& settingsPath,
                                             const std::string& sentinel) {
    Entries e;
    // Read from the fourth to the first, as the main window does at start.
    for (size_t i = e.size(); i-- > 0;) {
        e[i] = PrivateProfile::getString(settingsPath, kSection, keyOf(i), sentinel, kPathBuffer);
        if (e[i].empty()) {
            e[i] = sentinel;
        }
    }
    return e;
}

void RecentFileList::update(Entries& e, const std::string& path) {
    if (path.empty()) {
        return;
    }
    size_t k = e.size() - 1; // not found: everything moves down, the last one is dropped
    for (size_t i = 0; i < e.size(); ++i) {
        if (e[i] == path) {
            k = i;
            break;
        }
    }
    for (size_t i = k; i > 0; --i) {
        e[i] = e[i - 1];
    }
    e[0] = path;
}

bool RecentFileList::write(const std::string& settingsPath, const Entries& e) {
    bool ok = true;
    for (size_t i = 0; i < e.size(); ++i) {
        ok = PrivateProfile::writeString(settingsPath, kSection, keyOf(i), e[i]) && ok;
    }
    return ok;
}

bool RecentFileList::updateAndWrite(const std::string& settingsPath, Entries& e,
                                    const std::string& path) {
    update(e, path);
    return write(settingsPath, e);
}

} // namespace dispcraft
