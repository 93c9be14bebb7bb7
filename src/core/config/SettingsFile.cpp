#include "config/SettingsFile.h"

#include "config/IniFile.h"
#include "config/PrivateProfile.h"
#include "base/ProgramDirectory.h"
#include "base/FileIo.h"
#include "model/ProjectStore.h"

namespace dispcraft {

namespace {

constexpr size_t kLanguageBuffer = 260;
constexpr size_t kCopyrightBuffer = 200;

std::string recentKey(size_t i) { return "file" + std::to_string(i + 1); }

} // namespace

SettingsFile SettingsFile::of(const ProgramDirectory& dir) { return SettingsFile(dir.settingsFile()); }

std::string SettingsFile::startLanguage() const {
    return PrivateProfile::getString(m_path, "language", "lan", kChinese, kLanguageBuffer);
}

std::string SettingsFile::language(const std::string& sentinel) const {
    return PrivateProfile::getString(m_path, "language", "lan", sentinel);
}

SettingsFile::RecentFiles SettingsFile::recentFiles(const std::string& sentinel) const {
    IniFile ini = PrivateProfile::load(m_path);
    RecentFiles out;
    for (size_t i = 0; i < out.size(); ++i) {
        out[i] = PrivateProfile::getString(ini, "LastFile", recentKey(i), sentinel);
        // The program keeps absolute paths only. Anything else is an unset entry, whatever
        // language wrote its sentinel there ("(none)" read in Chinese is no file name).
        if (out[i].empty() || out[i][0] != '/') {
            out[i] = sentinel;
        }
    }
    return out;
}

std::string SettingsFile::oemName() const {
    return PrivateProfile::getString(m_path, "OEM", "name", "NONE");
}

SettingsFile::Logo SettingsFile::logo() const {
    IniFile ini = PrivateProfile::load(m_path);
    Logo l;
    l.copyright = PrivateProfile::getString(ini, "logo", "copyright", "", kCopyrightBuffer);
    l.http = PrivateProfile::getString(ini, "logo", "http", "");
    l.soft = PrivateProfile::getString(ini, "logo", "soft", "");
    return l;
}

void SettingsFile::applyTo(ProjectStore& store, const std::string& sentinel) const {
    RecentFiles files = recentFiles(sentinel);
    for (size_t i = 0; i < files.size(); ++i) {
        store.recentFiles[i] = files[i];
    }
    store.oemFlag = oem() ? 1 : 0;
}

std::string SettingsFile::downloadPort() const {
    return PrivateProfile::getString(m_path, "Download", "port", "", kLanguageBuffer);
}

bool SettingsFile::writeDownloadPort(const std::string& device) const {
    return PrivateProfile::writeString(m_path, "Download", "port", device);
}

bool SettingsFile::writeLanguage(const std::string& library) const {
    return PrivateProfile::writeString(m_path, "language", "lan", library);
}

bool SettingsFile::writeRecentFiles(const RecentFiles& files, const std::string& sentinel) const {
    // One read and one write for all four keys, so the list is never left half updated.
    IniFile ini = PrivateProfile::load(m_path);
    for (size_t i = 0; i < files.size(); ++i) {
        bool unset = !sentinel.empty() && files[i] == sentinel;
        ini.setValue("LastFile", recentKey(i), unset ? std::string() : files[i]);
    }
    return FileIo::writeAtomic(m_path, ini.text());
}

bool SettingsFile::updateRecentFiles(RecentFiles& files, const std::string& path,
                                     const std::string& sentinel) const {
    pushRecent(files, path);
    return writeRecentFiles(files, sentinel);
}

void SettingsFile::pushRecent(RecentFiles& files, const std::string& path) {
    if (path.empty()) {
        return;
    }
    size_t k = files.size() - 1;
    for (size_t i = 0; i < files.size(); ++i) {
        if (files[i] == path) {
            k = i;
            break;
        }
    }
    for (size_t i = k; i > 0; --i) {
        files[i] = files[i - 1];
    }
    files[0] = path;
}

} // namespace dispcraft
