#include "forms/WorkspaceExchange.h"

#include "config/ProjectSetup.h"
#include "config/ProtocolFile.h"
#include "forms/FormMessages.h"
#include "model/ProjectStore.h"
#include "text/LanguageStrings.h"

#include <algorithm>
#include <string>

namespace dispcraft {

namespace {

bool validScreen(int n) { return n >= capacity::kFirstScreen && n <= capacity::kLastScreen; }

uint8_t plcIdOf(const ProjectStore& store, const ProgramDirectory& dir, int port) {
    const std::string& name = port == 2 ? store.com2ProtocolName : store.com1ProtocolName;
    if (name.empty()) {
        return 0;
    }
    return ProtocolFile(ProtocolFile::projectPath(dir, store.cpuId, port, name)).plcId();
}

} // namespace

std::array<PlcPortAreas, 2> WorkspaceExchange::portAreas(const ProjectStore& store) {
    return {PlcPortAreas::fromProtocol(store.com1Protocol),
            PlcPortAreas::fromProtocol(store.com2Protocol)};
}

PortParamForm WorkspaceExchange::portParamForm(const ProjectStore& store,
                                               const ProgramDirectory& dir, int port) {
    const bool com2 = port == 2;
    PortParamForm::Preset p;
    p.dir = dir;
    p.directoryMode = store.cpu().hasCom2() ? 1 : 0;
    p.portIndex = com2 ? 1 : 0;
    p.portNumber = com2 ? store.com2PortNumber : store.com1PortNumber;
    p.protocolName = com2 ? store.com2ProtocolName : store.com1ProtocolName;
    const SerialSettings line = store.serial(port);
    PortParamForm::Choices c;
    c.dataBits = std::clamp(line.dataBits - 7, 0, 1);
    c.stopBits = std::clamp(line.stopBits - 1, 0, 1);
    c.parity = PortParamForm::parityChoice(line.parity);
    c.baudText = std::to_string(line.baud);
    p.choices = c;
    return PortParamForm(p);
}

void WorkspaceExchange::applyPortParams(ProjectStore& store, const ProgramDirectory& dir, int port,
                                        const PortParamForm::Values& v) {
    ProjectBlock& b = store.projectBlock;
    const bool com2 = port == 2;
    const auto station = static_cast<int32_t>(v.portNumber);
    SerialSettings line;
    line.baud = PortParamForm::baudNumber(v.choices.baudText);
    line.dataBits = PortParamForm::dataBitsOf(v.choices.dataBits);
    line.stopBits = PortParamForm::stopBitsOf(v.choices.stopBits);
    line.parity = PortParamForm::parityOf(v.choices.parity);
    store.setSerial(port, line);
    (com2 ? store.com2PortNumber : store.com1PortNumber) = station;
    (com2 ? store.com2ProtocolName : store.com1ProtocolName) = v.protocolName;
    ProjectBlock::setName(com2 ? b.com2Protocol : b.com1Protocol, v.protocolName);
    b.portNumbers = (static_cast<uint32_t>(store.com1PortNumber) << 16) |
                    (static_cast<uint32_t>(store.com2PortNumber) & 0xFFFF);
    ProjectSetup::linksChanged(store, dir);
    // The tree shows the link by name: it must name the protocol now chosen.
    if (!v.protocolName.empty()) {
        ProtocolFile f(ProtocolFile::projectPath(dir, store.cpuId, port, v.protocolName));
        (com2 ? store.com2LinkName : store.com1LinkName) = f.linkName();
    }
    store.treeChanged = true;
}

int WorkspaceExchange::alarmGroupOf(const ProjectStore& store, char lastCaptionCharacter) {
    return (store.alarmGroupCount < 2 || lastCaptionCharacter == '1') ? 0 : 1;
}

AlarmGroupForm WorkspaceExchange::alarmGroupForm(const ProjectStore& store, int group) {
    const int g = group == 1 ? 1 : 0;
    const AlarmBlock& a = store.alarms[static_cast<size_t>(g)];
    const std::string& pool = store.alarmPools[static_cast<size_t>(g)];
    AlarmGroupForm::Preset p;
    p.port = (a.options & AlarmBlock::kCom2) ? 1 : 0;
    p.cpuId = store.cpuId;
    p.areaBit = a.areaAndBit;
    p.startAddress = a.startAddress;
    p.count = a.count;
    p.maximum = 48;
    p.option1 = a.options & AlarmBlock::kNewestOnLcd;
    p.option2 = a.options & AlarmBlock::kOption2;
    p.option2Enabled = store.alarmBackup != 0;
    p.ports = portAreas(store);
    p.emptyText = LanguageStrings::current().text(formmsg::kNoText);
    // Each message where its offset says, as the build takes it; one outside the pool is empty.
    const int n = std::min<int>(a.count, capacity::kAlarmMessages);
    for (int i = 0; i < n; ++i) {
        p.texts.push_back(a.message(pool, i));
    }
    return AlarmGroupForm(p);
}

void WorkspaceExchange::applyAlarmGroup(ProjectStore& store, int group,
                                        const AlarmGroupForm::Values& v) {
    const int g = group == 1 ? 1 : 0;
    AlarmBlock& a = store.alarms[static_cast<size_t>(g)];
    std::string& pool = store.alarmPools[static_cast<size_t>(g)];
    a.startAddress = v.startAddress;
    a.count = v.count;
    a.areaAndBit = v.areaBit;
    a.options = (v.option1 ? AlarmBlock::kNewestOnLcd : 0u) | (v.option2 ? AlarmBlock::kOption2 : 0u) |
                (v.port == 1 ? AlarmBlock::kCom2 : 0u);
    pool.clear();
    for (int i = 0; i < capacity::kAlarmMessages; ++i) {
        a.offsets[i] = static_cast<uint32_t>(pool.size());
        a.lengths[i] = 0;
        if (i < static_cast<int>(v.texts.size()) && i < v.count) {
            const std::string& t = v.texts[static_cast<size_t>(i)];
            a.lengths[i] = static_cast<uint8_t>(std::min<size_t>(t.size(), 255));
            pool += t.substr(0, a.lengths[i]);
        }
    }
    store.treeChanged = true;
}

PanelSettingsForm WorkspaceExchange::panelSettingsForm(const ProjectStore& store,
                                                       const ProgramDirectory& dir) {
    const ProjectBlock& b = store.projectBlock;
    PanelSettingsForm::Preset p;
    p.modelMode = store.cpu().hasCom2() ? 2 : 1;
    p.plcIds = {plcIdOf(store, dir, 1), plcIdOf(store, dir, 2)};
    p.ports = portAreas(store);
    p.startScreen = b.startScreen;
    p.options = b.panelOptions;
    p.setting1 = b.panelSetting1;
    p.address1 = b.controlAddress1;
    p.address2 = b.controlAddress2;
    p.areaBit1 = b.controlAreaAndBit1;
    p.areaBit2 = b.controlAreaAndBit2;
    p.setting4 = b.panelSetting4 | (b.panelSetting4High << 8);
    p.setting3 = b.panelSetting3;
    p.setting2 = b.panelSetting2;
    p.tableCount = store.systemBlock.bitScreenCount;
    std::copy(std::begin(store.systemBlock.bitScreens), std::end(store.systemBlock.bitScreens),
              p.table.begin());
    return PanelSettingsForm(p);
}

void WorkspaceExchange::applyPanelSettings(ProjectStore& store, const PanelSettingsForm::Values& v) {
    ProjectBlock& b = store.projectBlock;
    b.startScreen = v.startScreen;
    b.panelOptions = v.options;
    b.panelSetting1 = v.setting1;
    b.controlAddress1 = static_cast<uint16_t>(v.address1);
    b.controlAddress2 = static_cast<uint16_t>(v.address2);
    b.controlAreaAndBit1 = v.areaBit1;
    b.controlAreaAndBit2 = v.areaBit2;
    b.panelSetting4 = static_cast<uint8_t>(v.setting4 & 0xFF);
    b.panelSetting4High = static_cast<uint8_t>(v.setting4 >> 8);
    b.panelSetting3 = v.setting3;
    b.panelSetting2 = v.setting2;
    store.systemBlock.bitScreenCount = v.tableCount;
    std::copy(v.table.begin(), v.table.end(), std::begin(store.systemBlock.bitScreens));
    store.treeChanged = true;
}

ChangeTableForm WorkspaceExchange::changeTableForm(const ProjectStore& store) {
    ChangeTableForm::Preset p;
    p.ports = portAreas(store);
    p.count = store.changeCount;
    p.records = store.changes;
    p.maximum = store.maxChangeCount;
    p.recordMaximum = store.com1Protocol.changePerLen;
    return ChangeTableForm(p);
}

void WorkspaceExchange::applyChangeTable(ProjectStore& store, const ChangeTableForm::Values& v) {
    store.changeCount = v.count;
    store.changes = v.records;
    store.treeChanged = true;
}

int WorkspaceExchange::applyScreenManager(ProjectStore& store,
                                          const std::optional<ScreenManagerForm::Values>& values) {
    // Copy, renumber and delete wrote the directory already; OK only names a screen to open.
    if (!values) {
        return 0;
    }
    store.treeChanged = true;
    store.projectOpen = true;
    return validScreen(values->screen) && store.screenExists(values->screen) ? values->screen : 0;
}

PanelModelForm WorkspaceExchange::panelModelForm(const ProjectStore& store,
                                                 const ProgramDirectory& dir) {
    const std::string file = store.modelFilePath.empty() ? dir.modelFile() : store.modelFilePath;
    return PanelModelForm(store.oemFlag, file, store.modelTitle);
}

void WorkspaceExchange::applyPanelModel(ProjectStore& store, const ProgramDirectory& dir,
                                        const PanelModelForm::Values& values) {
    ProjectSetup::changeModel(store, dir, values.modelTitle);
    store.header.modelCode = static_cast<int16_t>(static_cast<signed char>(store.modelCode()));
    store.treeChanged = true;
}

bool WorkspaceExchange::editPortParams(ProjectStore& store, const ProgramDirectory& dir, int port,
                                       MessageSink& sink, const FormRunner<PortParamForm>& run) {
    sink.show(Message::string(formmsg::kLinksAtNextBuild), Icon::Information);
    PortParamForm form = portParamForm(store, dir, port);
    form.open(sink);
    auto values = run(form);
    if (!values) {
        return false;
    }
    applyPortParams(store, dir, port, *values);
    return true;
}

bool WorkspaceExchange::editAlarmGroup(ProjectStore& store, int group, MessageSink& sink,
                                       const FormRunner<AlarmGroupForm>& run) {
    AlarmGroupForm form = alarmGroupForm(store, group);
    form.open(sink);
    auto values = run(form);
    if (!values) {
        return false;
    }
    applyAlarmGroup(store, group, *values);
    return true;
}

bool WorkspaceExchange::editPanelSettings(ProjectStore& store, const ProgramDirectory& dir,
                                          MessageSink& sink,
                                          const FormRunner<PanelSettingsForm>& run) {
    PanelSettingsForm form = panelSettingsForm(store, dir);
    form.open(sink);
    auto values = run(form);
    if (!values) {
        return false;
    }
    applyPanelSettings(store, *values);
    return true;
}

bool WorkspaceExchange::editChangeTable(ProjectStore& store, const FormRunner<ChangeTableForm>& run) {
    ChangeTableForm form = changeTableForm(store);
    auto values = run(form);
    if (!values) {
        return false;
    }
    applyChangeTable(store, *values);
    return true;
}

bool WorkspaceExchange::editPanelModel(ProjectStore& store, const ProgramDirectory& dir,
                                       bool editorActive, MessageSink& sink,
                                       const FormRunner<PanelModelForm>& run) {
    if (editorActive) {
        sink.show(Message::string(formmsg::kCloseScreensBeforeModel), Icon::Warning);
        return false;
    }
    PanelModelForm form = panelModelForm(store, dir);
    auto values = run(form);
    if (!values) {
        return false;
    }
    applyPanelModel(store, dir, *values);
    return true;
}

bool WorkspaceExchange::canDeleteScreen(const ProjectStore& store, int screen) {
    return validScreen(screen) && store.screenOpen[static_cast<size_t>(screen)] != 1;
}

bool WorkspaceExchange::deleteScreen(ProjectStore& store, int screen, MessageSink& sink) {
    if (!canDeleteScreen(store, screen)) {
        return false;
    }
    if (sink.ask(Message::string(formmsg::kDeleteScreen, {std::to_string(screen)}), Buttons::YesNoDefaultNo) != Answer::Yes) {
        return false;
    }
    ScreenEntry& e = store.entries[static_cast<size_t>(screen)];
    e.number = 0;
    e.name[0] = 0;
    store.screenOpen[static_cast<size_t>(screen)] = 0;
    store.treeChanged = true;
    return true;
}

} // namespace dispcraft
