#include "config/ProjectSetup.h"

#include "config/ConfigMessages.h"
#include "config/PanelModelFile.h"
#include "config/PrivateProfile.h"
#include "base/ProgramDirectory.h"
#include "config/ProtocolFile.h"
#include "model/ProjectStore.h"
#include "text/Gb2312.h"
#include "text/LanguageStrings.h"

#include <algorithm>
#include <cctype>

namespace dispcraft {

namespace {

constexpr int kOnePortCom2Link = configmsg::kNotUsedLinkName;

void readModel(ProjectStore& store, const ProgramDirectory& dir) {
    store.modelFilePath = dir.modelFile();
    PanelModelFile(store.modelFilePath).section(store.modelTitle).applyTo(store);
}

template <typename Records>
void moveRecords(Records& records, size_t count, int dx, int dy) {
    count = std::min(count, records.size());
    for (size_t i = 0; i < count; ++i) {
        // Packed fields: read and write by value.
        records[i].x = static_cast<uint16_t>(records[i].x + dx);
        records[i].y = static_cast<uint16_t>(records[i].y + dy);
    }
}

std::string lower(std::string s) {
    for (char& c : s) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return s;
}

// The list entry that the dialog selects for a wanted name: the first that begins with it,
// case-insensitively, else the first entry.
std::string preselect(const std::vector<std::string>& list, const std::string& wanted) {
    std::string w = lower(wanted);
    for (const std::string& t : list) {
        if (lower(t).rfind(w, 0) == 0) {
            return t;
        }
    }
    return list.empty() ? std::string() : list.front();
}

// Digits of a rate text as the dialog reads them, value x 10 + digit.
uint32_t rateValue(const std::string& text) {
    uint32_t v = 0;
    for (char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c))) {
            break;
        }
        v = v * 10 + static_cast<uint32_t>(c - '0');
    }
    return v;
}

bool isKnownRate(const std::string& text) {
    static const char* const kRates[] = {"1200", "2400", "4800", "9600", "19200", "38400", "57600", "115200"};
    for (const char* r : kRates) {
        if (text == r) {
            return true;
        }
    }
    return false;
}

// One port's settings as "protocol changed" of the new-project dialog takes them.
void portDefaults(const ProtocolFile& f, int port, SerialSettings& s, std::vector<Message>& warnings) {
    std::string bdrt = f.baudText();
    if (lower(bdrt) == ProtocolFile::kMissing) {
        warnings.push_back(Message::string(port == 2 ? configmsg::kPortNoBaudRate : configmsg::kCom1NoBaudRate));
        if (port == 2) {
            return;
        }
    } else if (port == 2 || isKnownRate(bdrt)) {
        s.baud = rateValue(bdrt);
    } else {
        warnings.push_back(Message::string(configmsg::kUnsupportedBaud));
    }
    struct Field {
        std::string text;
        int missing;
    };
    const Field fields[] = {{f.dataBitsText(), configmsg::kNoDataBits},
                            {f.stopBitsText(), configmsg::kNoStopBits},
                            {f.parityText(), configmsg::kNoParity}};
    for (size_t i = 0; i < 3; ++i) {
        const std::string& t = fields[i].text;
        if (lower(t) == ProtocolFile::kMissing || t.empty()) {
            warnings.push_back(Message::string(fields[i].missing));
            continue;
        }
        if (i == 0) {
            s.dataBits = static_cast<uint8_t>(t[0] - '0');
        } else if (i == 1) {
            s.stopBits = static_cast<uint8_t>(t[0] - '0');
        } else {
            s.parity = t[0];
        }
    }
}

} // namespace

void ProjectSetup::newProject(ProjectStore& store, const ProgramDirectory& dir,
                              const NewProjectChoice& choice) {
    store.reset();
    store.modelTitle = choice.modelTitle;
    store.com1ProtocolName = choice.com1ProtocolName;
    store.com2ProtocolName = choice.com2ProtocolName;
    store.com1LinkName = choice.com1LinkName;
    store.com2LinkName = choice.com2LinkName;
    store.com1PortNumber = choice.com1PortNumber;
    store.com2PortNumber = choice.com2PortNumber;
    readModel(store, dir);
    ProtocolFile::readIntoStore(store, dir);
    store.initialiseNewProject(choice.com1, choice.com2);
}

void ProjectSetup::afterLoad(ProjectStore& store, const ProgramDirectory& dir) {
    store.projectOpen = true;
    store.com1ProtocolName = ProjectBlock::nameOf(store.projectBlock.com1Protocol);
    store.com2ProtocolName = ProjectBlock::nameOf(store.projectBlock.com2Protocol);
    store.modelTitle = "TR - ";
    // A zero code would end the title in the original's C string; keep the title clean.
    if (char code = static_cast<char>(store.header.modelCode & 0xFF); code != '\0') {
        store.modelTitle += code;
    }
    readModel(store, dir);
    ProtocolFile::readIntoStore(store, dir);
    // The file keeps no link names; without these the workspace tree would show blank links.
    store.com1LinkName.clear();
    store.com2LinkName.clear();
    if (!store.com1ProtocolName.empty()) {
        store.com1LinkName =
            ProtocolFile(ProtocolFile::projectPath(dir, store.cpuId, 1, store.com1ProtocolName)).linkName();
    }
    if (!store.com2ProtocolName.empty()) {
        store.com2LinkName =
            ProtocolFile(ProtocolFile::projectPath(dir, store.cpuId, 2, store.com2ProtocolName)).linkName();
    }
}

void ProjectSetup::changeModel(ProjectStore& store, const ProgramDirectory& dir,
                               const std::string& newTitle) {
    int32_t oldX = store.lcdX;
    int32_t oldY = store.lcdY;
    store.modelTitle = newTitle;
    readModel(store, dir);
    // C++ division truncates toward zero, as the move must.
    moveObjects(store, (store.lcdX - oldX) / 2, (store.lcdY - oldY) / 2);
    ProtocolFile::readIntoStore(store, dir);
}

void ProjectSetup::linksChanged(ProjectStore& store, const ProgramDirectory& dir) {
    ProtocolFile::readIntoStore(store, dir);
}

void ProjectSetup::moveObjects(ProjectStore& store, int dx, int dy) {
    if (dx == 0 && dy == 0) {
        return;
    }
    for (int s = capacity::kFirstScreen; s <= capacity::kLastScreen; ++s) {
        if (!store.screenExists(s)) {
            continue;
        }
        const ScreenEntry& e = store.entries[static_cast<size_t>(s)];
        ScreenBlock& b = store.screens[static_cast<size_t>(s)];
        moveRecords(b.textStrings, e.textCount, dx, dy);
        moveRecords(b.msgDisps, e.msgCount, dx, dy);
        moveRecords(b.numDisps, e.numCount, dx, dy);
        moveRecords(b.barGraphs, e.barCount, dx, dy);
        moveRecords(b.trendGraphs, e.trendCount, dx, dy);
        moveRecords(b.lamps, e.lampCount, dx, dy);
        moveRecords(b.pictures, e.pictureCount, dx, dy);
    }
}

std::optional<Message> ProjectSetup::defaultChoice(const ProgramDirectory& dir, int modelNumber,
                                                   const std::string& com1, const std::string& com2,
                                                   NewProjectChoice& out,
                                                   std::vector<Message>* warnings) {
    std::vector<Message> local;
    std::vector<Message>& warn = warnings ? *warnings : local;
    PanelModelFile models(dir.modelFile());
    std::vector<std::string> names = models.modelNames();
    if (modelNumber < 1 || modelNumber > static_cast<int>(names.size())) {
        return Message::string(kNoSuchModel, {std::to_string(modelNumber), dir.modelFile()});
    }
    ModelType type = models.type(modelNumber);
    out = NewProjectChoice{};
    out.modelTitle = type.idStr;

    auto pick = [&](int port, const std::string& wanted, const std::string& directory,
                    const std::string& preset, std::string& name) -> std::optional<Message> {
        std::string path = dir.file(directory);
        std::vector<std::string> list = ProtocolFile::list(path);
        std::string portName = port == 2 ? "COM2" : "COM1";
        if (list.empty()) {
            return Message::string(kNoProtocols, {path, portName});
        }
        if (wanted.empty()) {
            name = preselect(list, preset);
            return std::nullopt;
        }
        for (const std::string& t : list) {
            if (lower(t) == lower(wanted)) {
                name = t;
                return std::nullopt;
            }
        }
        return Message::string(kNoSuchProtocol, {wanted, path, portName});
    };

    if (auto e = pick(1, com1, type.com1Directory, type.com1Default, out.com1ProtocolName)) {
        return e;
    }
    ProtocolFile f1(ProtocolFile::dialogPath(dir, type.twoPort, 1, out.com1ProtocolName));
    portDefaults(f1, 1, out.com1, warn);
    out.com1LinkName = f1.linkName();
    if (type.twoPort) {
        if (auto e = pick(2, com2, type.com2Directory, type.com2Default, out.com2ProtocolName)) {
            return e;
        }
        ProtocolFile f2(ProtocolFile::dialogPath(dir, true, 2, out.com2ProtocolName));
        portDefaults(f2, 2, out.com2, warn);
        out.com2LinkName = f2.linkName();
    } else {
        // No COM2 line: its serial fields stay 0, as the new-project dialog leaves them.
        out.com2 = SerialSettings{0, 0, 0, 0};
        // Store texts are GB2312 like the link names read from the protocol files.
        std::string text = LanguageStrings::current().text(kOnePortCom2Link);
        Gb2312::Result gb = Gb2312::fromUtf8(text);
        out.com2LinkName = gb.ok ? gb.text : text;
    }
    return std::nullopt;
}

} // namespace dispcraft
