#pragma once

#include "model/AlarmBlock.h"
#include "model/Capacity.h"
#include "model/ChangeRecord.h"
#include "model/FileHeader.h"
#include "model/FileIndex.h"
#include "model/KeyRect.h"
#include "model/PanelCpu.h"
#include "model/PictureDirEntry.h"
#include "model/PortProtocol.h"
#include "model/ProjectBlock.h"
#include "model/ScreenBlock.h"
#include "model/ScreenEntry.h"
#include "model/SerialSettings.h"
#include "model/SystemBlock.h"
#include "objects/PanelKeys.h"
#include "objects/PictureTable.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>

namespace dispcraft {

class TrnFileForm;

// The whole open project. One instance lives for the whole run (allocate it on the heap: the
// screen blocks alone take about 4 MB); every subsystem reads and writes it directly.
struct ProjectStore {
    ProjectStore();

    // Program paths and settings kept with the store.
    std::string projectPath;    // empty = untitled
    std::string modelFilePath;  // "qelsys.ini" in the program directory
    uint16_t oemFlag = 0;       // 1 when the settings file names the OEM "varnoke"
    int32_t cpuId = 0;          // CPU_ID of the panel model; cpu() says what it decides
    std::string modelTitle;     // "TR - " + model code character
    std::string com1ProtocolName;
    std::string com2ProtocolName;
    std::string com1LinkName;
    std::string com2LinkName;
    int32_t com1PortNumber = 0; // the port's station as the port parameter dialog sets it
    int32_t com2PortNumber = 0;
    int32_t lcdX = 0;
    int32_t lcdY = 0;
    int32_t pictureWidth = 800;
    int32_t pictureHeight = 600;
    std::array<KeyRect, capacity::kFunctionKeys> fnKeyRects{};
    std::array<KeyRect, capacity::kPanelKeys> panelKeyRects{};
    int32_t maxChangeLength = 1;
    int32_t maxChangeCount = 1;
    std::array<int32_t, capacity::kScreenSlots> screenOpen{}; // 1 while an editor shows it

    std::array<ScreenBlock, capacity::kScreenSlots> screens;
    std::array<ScreenEntry, capacity::kScreenSlots> entries{};
    std::array<PictureDirEntry, capacity::kPictureSlots> pictureDir{};
    std::string pictureDotPool;
    ProjectBlock projectBlock{};
    FileHeader header{};
    FileIndex fileIndex{};
    std::array<OldKeyRecord, capacity::kOldKeys> globalOldKeys{};
    std::array<KeyRecord, capacity::kPanelKeys> globalKeys{};
    std::array<AlarmBlock, 2> alarms{};
    std::string globalPool;
    std::string scratchPool;
    std::array<std::string, 2> alarmPools;
    PictureTable pictures;
    SystemBlock systemBlock{};
    uint8_t changeCount = 0;
    std::array<ChangeRecord, capacity::kChangeRecords> changes{};

    // Alarm settings of the panel model.
    uint8_t alarmGroupCount = 1; // ALarmnum
    int32_t alarmBackup = 0;
    int32_t screenPassword = 0;
    int32_t alarmView = 0;

    std::array<std::string, capacity::kRecentFiles> recentFiles;

    // What the protocol files say about the two ports; stations come from the COM1 file only.
    PortProtocol com1Protocol;
    PortProtocol com2Protocol;
    uint8_t defaultStation = 1;
    uint8_t maxStation = 1;
    uint8_t minStation = 1;

    // What the opened file held in the parts saving works out anew (none for a new project or
    // a file of an older layout): saving writes those of them that nothing changed as they were.
    std::shared_ptr<const TrnFileForm> fileForm;

    bool projectOpen = false;
    // Set when the project changes outside the screen editors (a dialog of the workspace tree,
    // a screen stored or renumbered); the project document adds the editors' own changes.
    bool treeChanged = false;

    // Empties the project (used by new and open).
    void reset();
    // The store's part of a new project, after the model section and the protocol files have
    // been read: header, links, serial settings and the defaults of every block.
    void initialiseNewProject(const SerialSettings& com1, const SerialSettings& com2);

    bool screenExists(int s) const {
        return s >= capacity::kFirstScreen && s <= capacity::kLastScreen && entries[s].number == s;
    }
    int format() const { return header.format; }
    PanelCpu cpu() const { return PanelCpu(cpuId); }
    char modelCode() const { return modelTitle.size() > 5 ? modelTitle[5] : '\0'; }
    SerialSettings serial(int port) const;
    void setSerial(int port, const SerialSettings& s);
    const PortProtocol& protocol(int port) const { return port == 2 ? com2Protocol : com1Protocol; }
};

} // namespace dispcraft
