#pragma once

#include "config/IniFile.h"
#include "model/Capacity.h"
#include "model/KeyRect.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace dispcraft {

struct ProjectStore;

// One entry "T<n>" of the model list: how many ports the model has and where its protocol
// choices live. Directory values are as the file gives them, relative to the program
// directory and usually starting with "\"; resolve them with ProgramDirectory::file().
struct ModelType {
    int number = 0;          // n of section "T<n>"
    std::string displayName; // "T<n>" of section "TYPE"
    std::string com = "1";   // key "com" as written
    bool twoPort = false;    // integer value of "com" is not 1
    std::string com1Directory;
    std::string com2Directory;
    std::string com1Default = "FX_CPU";
    std::string com2Default = "FX_CPU";
    std::string idStr = "TR - A"; // model title = name of the model section
};

// The model section as read, before it is applied to a project.
struct ModelSection {
    int32_t lcdX = 0;
    int32_t lcdY = 0;
    std::array<KeyRect, capacity::kFunctionKeys> fnKeyRects{};
    std::array<KeyRect, capacity::kPanelKeys> panelKeyRects{};
    int32_t scrX = 37; // taken as the picture width only when above 384
    int32_t scrY = 37; // taken as the picture height only when above 128
    int32_t cpuId = 37;
    uint8_t alarmGroupCount = 1;
    bool alarmBackup = false;
    bool alarmView = false;
    bool screenPassword = false;

    // Copies the section into the store; the picture size keeps its previous value unless the
    // section's value passes the rule above.
    void applyTo(ProjectStore& store) const;
};

// The panel model file "qelsys.ini". The file is read once when constructed; every lookup
// follows the private-profile rules (100-byte buffers, defaults for missing keys).
class PanelModelFile {
public:
    static constexpr int kMaxModels = 20;
    // The picture size a model section must exceed before it replaces the current one: the LCD
    // itself is 384 x 128 picture pixels.
    static constexpr int32_t kMinPictureWidth = 384;
    static constexpr int32_t kMinPictureHeight = 128;

    PanelModelFile() = default;
    explicit PanelModelFile(const std::string& path);
    explicit PanelModelFile(IniFile ini) : m_ini(std::move(ini)) {}

    // Display names of "T1".."T20" of section "TYPE", up to the first "none" (any case).
    std::vector<std::string> modelNames() const;
    // Section "T<n>" (n = 1..20; other values read as missing sections and give the defaults).
    ModelType type(int n) const;
    // Every listed model in order.
    std::vector<ModelType> types() const;

    // The model section named by a model title, read in the file's key order, whose defaults
    // depend on it: "0" up to the first width key, "37" after it up to and including CPU_ID.
    ModelSection section(const std::string& modelTitle) const;
    // Key "trlist" (default "0"): the model's name in the workspace tree.
    std::string treeName(const std::string& modelTitle) const;
    // Key "bmp" (default "none"): the panel picture, relative to the program directory.
    std::string pictureFile(const std::string& modelTitle) const;

    const IniFile& ini() const { return m_ini; }

private:
    IniFile m_ini;
};

} // namespace dispcraft
