#include "cli/CliProject.h"
#include "cli/Commands.h"

#include "text/Gb2312.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace dispcraft::cli {

namespace {

// Store texts are GB2312; the summary is UTF-8.
std::string utf8(const std::string& gb) { return Gb2312::toUtf8Lossy(gb); }

std::string json(const std::string& s) {
    std::string out = "\"";
    for (unsigned char c : s) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", c);
                out += buf;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out + "\"";
}

struct KindCount {
    const char* name;
    int count;
};

std::vector<KindCount> counts(const ScreenEntry& e) {
    return {{"TextString", e.textCount}, {"MsgDisp", e.msgCount},     {"NumDisp", e.numCount},
            {"BarGraph", e.barCount},     {"TrendGraph", e.trendCount}, {"Lamp", e.lampCount},
            {"Picture", e.pictureCount}};
}

struct Link {
    int port;
    std::string protocol;
    std::string linkName;
    SerialSettings serial;
    int portNumber;
};

std::vector<Link> links(const ProjectStore& st) {
    std::vector<Link> out;
    out.push_back({1, utf8(st.com1ProtocolName), utf8(st.com1LinkName), st.serial(1), st.com1PortNumber});
    if (!st.com2ProtocolName.empty()) {
        out.push_back({2, utf8(st.com2ProtocolName), utf8(st.com2LinkName), st.serial(2), st.com2PortNumber});
    }
    return out;
}

int screenCount(const ProjectStore& st) {
    int n = 0;
    for (int s = capacity::kFirstScreen; s <= capacity::kLastScreen; ++s) {
        n += st.screenExists(s);
    }
    return n;
}

// The reader has checked every non-empty message against its pool.
std::string alarmText(const ProjectStore& st, int g, int i) {
    const AlarmBlock& a = st.alarms[g];
    return a.lengths[i] == 0 ? std::string() : utf8(st.alarmPools[g].substr(a.offsets[i], a.lengths[i]));
}

// Alarm group 2 counts only on models with two groups and while it holds messages.
bool alarmGroupInUse(const ProjectStore& st, int g) {
    return g == 0 || st.alarms[1].count != 0;
}

void printText(const ProjectStore& st, const std::string& path, const TrnReader::Result& r) {
    std::printf("project: %s\n", path.c_str());
    std::printf("format: %d\n", r.fileFormat);
    std::printf("model: %s\n", utf8(st.modelTitle).c_str());
    for (const Link& l : links(st)) {
        std::printf("COM%d: %s", l.port, l.protocol.empty() ? "(none)" : l.protocol.c_str());
        if (!l.linkName.empty()) {
            std::printf(" (%s)", l.linkName.c_str());
        }
        std::printf(", %u,%d,%d,%c, port number %d\n", l.serial.baud, l.serial.dataBits,
                    l.serial.stopBits, l.serial.parity ? l.serial.parity : '?', l.portNumber);
    }
    std::printf("start screen: %d\n", st.projectBlock.startScreen);
    std::printf("screens: %d\n", screenCount(st));
    for (int s = capacity::kFirstScreen; s <= capacity::kLastScreen; ++s) {
        if (!st.screenExists(s)) {
            continue;
        }
        const ScreenEntry& e = st.entries[s];
        std::printf("  %3d \"%s\":", s, utf8(e.nameString()).c_str());
        const char* sep = " ";
        for (const KindCount& k : counts(e)) {
            std::printf("%s%d %s", sep, k.count, k.name);
            sep = ", ";
        }
        std::printf("; %zu text bytes\n", st.screens[s].textPool.size());
    }
    int pictures = 0;
    for (int i = 1; i <= capacity::kLastPicture; ++i) {
        pictures += st.pictures[i].defined(i);
    }
    std::printf("pictures: %d\n", pictures);
    for (int i = 1; i <= capacity::kLastPicture; ++i) {
        if (st.pictures[i].defined(i)) {
            std::printf("  %2d: %d x %d dots\n", i, st.pictures[i].width, st.pictures[i].height);
        }
    }
    std::printf("alarm groups:\n");
    for (int g = 0; g < 2; ++g) {
        if (!alarmGroupInUse(st, g)) {
            continue;
        }
        const AlarmBlock& a = st.alarms[g];
        std::printf("  %d: %d message%s from device %u, options %u\n", g + 1, a.count, a.count == 1 ? "" : "s",
                    a.startAddress, a.options);
        for (int i = 0; i < a.count; ++i) {
            std::printf("     %2d \"%s\"\n", i + 1,
                        alarmText(st, g, i).c_str());
        }
    }
    std::printf("change records: %d\n", st.changeCount);
    if (r.endsEarly) {
        std::printf("note: the file ends early\n");
    }
}

void printJson(const ProjectStore& st, const std::string& path, const TrnReader::Result& r) {
    std::string o = "{\n";
    o += "  \"project\": " + json(path) + ",\n";
    o += "  \"format\": " + std::to_string(r.fileFormat) + ",\n";
    o += "  \"model\": " + json(utf8(st.modelTitle)) + ",\n";
    o += "  \"links\": [";
    const char* sep = "\n";
    for (const Link& l : links(st)) {
        o += sep;
        o += "    {\"port\": " + std::to_string(l.port) + ", \"protocol\": " + json(l.protocol) +
             ", \"linkName\": " + json(l.linkName) + ", \"baud\": " + std::to_string(l.serial.baud) +
             ", \"dataBits\": " + std::to_string(l.serial.dataBits) +
             ", \"stopBits\": " + std::to_string(l.serial.stopBits) + ", \"parity\": " +
             json(l.serial.parity ? std::string(1, l.serial.parity) : std::string()) +
             ", \"portNumber\": " + std::to_string(l.portNumber) + "}";
        sep = ",\n";
    }
    o += "\n  ],\n";
    o += "  \"startScreen\": " + std::to_string(st.projectBlock.startScreen) + ",\n";
    o += "  \"screens\": [";
    sep = "\n";
    for (int s = capacity::kFirstScreen; s <= capacity::kLastScreen; ++s) {
        if (!st.screenExists(s)) {
            continue;
        }
        const ScreenEntry& e = st.entries[s];
        o += sep;
        o += "    {\"number\": " + std::to_string(s) + ", \"name\": " + json(utf8(e.nameString())) +
             ", \"objects\": {";
        const char* inner = "";
        for (const KindCount& k : counts(e)) {
            o += inner;
            o += json(k.name) + ": " + std::to_string(k.count);
            inner = ", ";
        }
        o += "}, \"textBytes\": " + std::to_string(st.screens[s].textPool.size()) + "}";
        sep = ",\n";
    }
    o += screenCount(st) ? "\n  ],\n" : "],\n";
    o += "  \"pictures\": [";
    sep = "";
    for (int i = 1; i <= capacity::kLastPicture; ++i) {
        if (st.pictures[i].defined(i)) {
            o += sep;
            o += "{\"number\": " + std::to_string(i) + ", \"width\": " +
                 std::to_string(st.pictures[i].width) + ", \"height\": " +
                 std::to_string(st.pictures[i].height) + "}";
            sep = ", ";
        }
    }
    o += "],\n";
    o += "  \"alarmGroups\": [";
    sep = "";
    for (int g = 0; g < 2; ++g) {
        if (!alarmGroupInUse(st, g)) {
            continue;
        }
        const AlarmBlock& a = st.alarms[g];
        o += sep;
        o += "{\"group\": " + std::to_string(g + 1) + ", \"startAddress\": " +
             std::to_string(a.startAddress) + ", \"options\": " + std::to_string(a.options) +
             ", \"messages\": [";
        for (int i = 0; i < a.count; ++i) {
            o += i ? ", " : "";
            o += json(alarmText(st, g, i));
        }
        o += "]}";
        sep = ", ";
    }
    o += "],\n";
    o += "  \"changeRecords\": " + std::to_string(st.changeCount) + ",\n";
    o += std::string("  \"endsEarly\": ") + (r.endsEarly ? "true" : "false") + "\n}\n";
    std::fputs(o.c_str(), stdout);
}

} // namespace

// A summary of a project file: format, model, links, screens with their object counts and
// names, pictures, alarms and change records; --json gives the same as JSON. Exit status 0; 3
// when the file ends early (the summary shows what it holds); 1 when it cannot be read.
int runInfo(const CliContext& ctx) {
    std::string path;
    bool asJson = false;
    for (const std::string& a : ctx.args) {
        if (a == "--json") {
            asJson = true;
        } else if (path.empty() && !a.empty() && a[0] != '-') {
            path = a;
        } else {
            path.clear();
            break;
        }
    }
    if (path.empty()) {
        std::fputs("dispcraft-cli info: usage: dispcraft-cli info IN.trn [--json]\n", stderr);
        return 1;
    }
    auto store = std::make_unique<ProjectStore>();
    TrnReader::Result r;
    if (!openProject("info", ctx, path, *store, &r)) {
        return 1;
    }
    if (asJson) {
        printJson(*store, path, r);
    } else {
        printText(*store, path, r);
    }
    return r.endsEarly ? kEndsEarlyStatus : 0;
}

} // namespace dispcraft::cli
