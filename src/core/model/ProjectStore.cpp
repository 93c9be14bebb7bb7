#include "model/ProjectStore.h"

#include <cstring>

namespace dispcraft {

ProjectStore::ProjectStore() {
    // A fresh store has every screen free; the rest starts as an empty project would.
    reset();
}

void ProjectStore::reset() {
    projectPath.clear();
    modelTitle.clear();
    com1ProtocolName.clear();
    com2ProtocolName.clear();
    com1LinkName.clear();
    com2LinkName.clear();
    projectOpen = false;
    for (auto& p : pictures) {
        p = PictureTableEntry{};
    }
    for (int s = 0; s < capacity::kScreenSlots; ++s) {
        entries[s] = ScreenEntry{};
        screens[s].textPool.clear();
        for (auto& o : screens[s].oldKeys) {
            o.address = 0;
            o.word8 = 0;
            o.areaAndBit = 0;
            o.screen = 0;
            o.flags = 2;
        }
    }
    for (auto& k : globalKeys) {
        k.kind = 0;
        k.byte1 = 0;
        k.flags = 0;
        k.areaAndBit = 0;
        k.screen = 0;
        k.address = 0;
        k.word8 = 0;
        k.operand = 0;
    }
    projectBlock.controlAreaAndBit1 = 0;
    projectBlock.controlAreaAndBit2 = 0;
    for (auto& c : changes) {
        c = ChangeRecord{};
    }
    changeCount = 0;
}

void ProjectStore::initialiseNewProject(const SerialSettings& com1, const SerialSettings& com2) {
    std::memcpy(header.magic, "DAVO", 4);
    header.format = 51;
    header.modelCode = static_cast<int16_t>(static_cast<signed char>(modelCode()));
    ProjectBlock::setName(projectBlock.com1Protocol, com1ProtocolName);
    ProjectBlock::setName(projectBlock.com2Protocol, com2ProtocolName);
    setSerial(1, com1);
    setSerial(2, com2);
    projectBlock.startScreen = 1;
    projectBlock.panelOptions = 0;
    projectBlock.panelSetting1 = 0;
    projectBlock.controlAddress1 = 0;
    projectBlock.controlAddress2 = 0;
    projectBlock.panelSetting4 = 0;
    projectBlock.panelSetting3 = 0;
    projectBlock.panelSetting2 = 5;
    systemBlock = SystemBlock{};
    for (auto& e : entries) {
        e.number = 0;
        std::memset(e.name, 0, sizeof e.name);
    }
    globalPool.clear();
    scratchPool.clear();
    alarms[0] = AlarmBlock{};
    alarms[1] = AlarmBlock{};
    alarmPools[0].clear();
    alarmPools[1].clear();
    alarms[0].areaAndBit = defaultStation;
    alarms[1].areaAndBit = defaultStation;
    for (auto& o : globalOldKeys) {
        o.areaAndBit = defaultStation;
    }
    for (auto& k : globalKeys) {
        k.areaAndBit = defaultStation;
    }
    projectBlock.controlAreaAndBit1 = defaultStation;
    projectBlock.controlAreaAndBit2 = defaultStation;
    projectOpen = true;
}

SerialSettings ProjectStore::serial(int port) const {
    const ProjectBlock& b = projectBlock;
    const size_t i = ProjectBlock::portIndex(port);
    SerialSettings s;
    s.baud = baudFromStored(b.baud[i]);
    s.dataBits = b.dataBits[i];
    s.stopBits = b.stopBits[i];
    s.parity = static_cast<char>(b.parity[i]);
    return s;
}

void ProjectStore::setSerial(int port, const SerialSettings& s) {
    ProjectBlock& b = projectBlock;
    const size_t i = ProjectBlock::portIndex(port);
    b.baud[i] = storedBaud(s.baud);
    b.dataBits[i] = s.dataBits;
    b.stopBits[i] = s.stopBits;
    b.parity[i] = static_cast<uint8_t>(s.parity);
}

} // namespace dispcraft
