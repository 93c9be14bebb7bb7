#include "config/PanelModelFile.h"

#include "config/PrivateProfile.h"
#include "model/ProjectStore.h"

#include <cctype>

namespace dispcraft {

namespace {

bool isNone(const std::string& s) {
    static const char kNone[] = "none";
    if (s.size() != 4) {
        return false;
    }
    for (size_t i = 0; i < 4; ++i) {
        if (std::tolower(static_cast<unsigned char>(s[i])) != kNone[i]) {
            return false;
        }
    }
    return true;
}

// Reads the numeric keys of a model section in file order. The default of each key depends on
// whether a width key has been read before it, so one reader carries that state along.
class SectionReader {
public:
    SectionReader(const IniFile& ini, const std::string& section) : m_ini(ini), m_section(section) {}

    int32_t position(const std::string& key) { return read(key, m_afterWidth ? "37" : "0"); }
    int32_t width(const std::string& key) {
        m_afterWidth = true;
        return read(key, "37");
    }

private:
    int32_t read(const std::string& key, const char* def) {
        return PrivateProfile::leadingInt(PrivateProfile::getString(m_ini, m_section, key, def));
    }

    const IniFile& m_ini;
    const std::string& m_section;
    bool m_afterWidth = false;
};

KeyRect rectFrom(int32_t x, int32_t y, int32_t w, int32_t h) {
    return KeyRect{x, y, x + w, y + h};
}

} // namespace

PanelModelFile::PanelModelFile(const std::string& path) : m_ini(PrivateProfile::load(path)) {}

std::vector<std::string> PanelModelFile::modelNames() const {
    std::vector<std::string> names;
    for (int n = 1; n <= kMaxModels; ++n) {
        std::string v = PrivateProfile::getString(m_ini, "TYPE", "T" + std::to_string(n), "none");
        if (isNone(v)) {
            break;
        }
        names.push_back(v);
    }
    return names;
}

ModelType PanelModelFile::type(int n) const {
    ModelType t;
    t.number = n;
    std::string section = "T" + std::to_string(n);
    if (n >= 1 && n <= kMaxModels) {
        t.displayName = PrivateProfile::getString(m_ini, "TYPE", section, "none");
    }
    t.com = PrivateProfile::getString(m_ini, section, "com", "1");
    t.twoPort = PrivateProfile::leadingInt(t.com) != 1;
    // Without a directory key the protocols sit where the reader of that model kind looks.
    t.com1Directory = PrivateProfile::getString(
        m_ini, section, "COM1", t.twoPort ? "\\Protocol120\\comport1" : "\\Protocol");
    t.com2Directory = PrivateProfile::getString(m_ini, section, "COM2", "\\Protocol120\\comport2");
    t.com1Default = PrivateProfile::getString(m_ini, section, "COM1_default", "FX_CPU");
    t.com2Default = PrivateProfile::getString(m_ini, section, "COM2_default", "FX_CPU");
    t.idStr = PrivateProfile::getString(m_ini, section, "ID_STR", "TR - A");
    return t;
}

std::vector<ModelType> PanelModelFile::types() const {
    std::vector<ModelType> out;
    size_t count = modelNames().size();
    for (size_t i = 0; i < count; ++i) {
        out.push_back(type(static_cast<int>(i) + 1));
    }
    return out;
}

ModelSection PanelModelFile::section(const std::string& title) const {
    ModelSection m;
    SectionReader r(m_ini, title);
    m.lcdX = r.position("LCD_X");
    m.lcdY = r.position("LCD_Y");
    for (int d = 1; d <= capacity::kFunctionKeys; ++d) {
        std::string k = "D_KEY_" + std::to_string(d) + "_";
        int32_t x = r.position(k + "X");
        int32_t y = r.position(k + "Y");
        int32_t w = r.width(k + "W");
        int32_t h = r.position(k + "H");
        m.fnKeyRects[static_cast<size_t>(d - 1)] = rectFrom(x, y, w, h);
    }
    for (int d = 0; d < capacity::kPanelKeys; ++d) {
        std::string k = "FN_KEY_" + std::to_string(d) + "_";
        int32_t x = r.position(k + "X");
        int32_t y = r.position(k + "Y");
        int32_t w = r.width(k + "W");
        int32_t h = r.position(k + "H");
        m.panelKeyRects[static_cast<size_t>(d)] = rectFrom(x, y, w, h);
    }
    m.scrX = r.position("SCR_X");
    m.scrY = r.position("SCR_Y");
    m.cpuId = r.position("CPU_ID");
    m.alarmGroupCount = static_cast<uint8_t>(
        PrivateProfile::leadingInt(PrivateProfile::getString(m_ini, title, "ALarmnum", "1")));
    // The flags are set by exactly "TRUE"; "true" or "True" leave them off.
    m.alarmBackup = PrivateProfile::getString(m_ini, title, "ALarmbackup", "FALSE") == "TRUE";
    m.alarmView = PrivateProfile::getString(m_ini, title, "ALarmview", "FALSE") == "TRUE";
    m.screenPassword = PrivateProfile::getString(m_ini, title, "SCR_password", "FALSE") == "TRUE";
    return m;
}

std::string PanelModelFile::treeName(const std::string& title) const {
    return PrivateProfile::getString(m_ini, title, "trlist", "0");
}

std::string PanelModelFile::pictureFile(const std::string& title) const {
    return PrivateProfile::getString(m_ini, title, "bmp", "none");
}

void ModelSection::applyTo(ProjectStore& store) const {
    store.lcdX = lcdX;
    store.lcdY = lcdY;
    store.fnKeyRects = fnKeyRects;
    store.panelKeyRects = panelKeyRects;
    if (scrX > PanelModelFile::kMinPictureWidth) {
        store.pictureWidth = scrX;
    }
    if (scrY > PanelModelFile::kMinPictureHeight) {
        store.pictureHeight = scrY;
    }
    store.cpuId = cpuId;
    store.alarmGroupCount = alarmGroupCount;
    store.alarmBackup = alarmBackup ? 1 : 0;
    store.alarmView = alarmView ? 1 : 0;
    store.screenPassword = screenPassword ? 1 : 0;
}

} // namespace dispcraft
