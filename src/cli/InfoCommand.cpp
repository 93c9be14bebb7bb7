#include "cli/CliProject.h"
#include "cli/Commands.h"
#include "cli/ExitStatus.h"

#include "text/Gb2312.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace dispcraft::cli {

namespace {

// Store texts are GB2312; the summary is UTF-8.
std::string utf8(const std::string& gb) { return Gb2312::toUtf8Lossy(gb); }

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
    using Json = nlohmann::ordered_json; // keys in the order a reader expects them
    Json o;
    o["project"] = path;
    o["format"] = r.fileFormat;
    o["model"] = utf8(st.modelTitle);
    o["links"] = Json::array();
    for (const Link& l : links(st)) {
        const std::string parity =
            l.serial.parity ? std::string(1, l.serial.parity) : std::string();
        o["links"].push_back({{"port", l.port},
                              {"protocol", l.protocol},
                              {"linkName", l.linkName},
                              {"baud", l.serial.baud},
                              {"dataBits", l.serial.dataBits},
                              {"stopBits", l.serial.stopBits},
                              {"parity", parity},
                              {"portNumber", l.portNumber}});
    }
    o["startScreen"] = st.projectBlock.startScreen;
    o["screens"] = Json::array();
    for (int s = capacity::kFirstScreen; s <= capacity::kLastScreen; ++s) {
        if (!st.screenExists(s)) {
            continue;
        }
        const ScreenEntry& e = st.entries[s];
        Json objects = Json::object();
        for (const KindCount& k : counts(e)) {
            objects[k.name] = k.count;
        }
        o["screens"].push_back({{"number", s},
                                {"name", utf8(e.nameString())},
                                {"objects", std::move(objects)},
                                {"textBytes", st.screens[s].textPool.size()}});
    }
    o["pictures"] = Json::array();
    for (int i = 1; i <= capacity::kLastPicture; ++i) {
        if (st.pictures[i].defined(i)) {
            const PictureTableEntry& p = st.pictures[i];
            o["pictures"].push_back({{"number", i}, {"width", p.width}, {"height", p.height}});
        }
    }
    o["alarmGroups"] = Json::array();
    for (int g = 0; g < 2; ++g) {
        if (!alarmGroupInUse(st, g)) {
            continue;
        }
        const AlarmBlock& a = st.alarms[g];
        Json messages = Json::array();
        for (int i = 0; i < a.count; ++i) {
            messages.push_back(alarmText(st, g, i));
        }
        o["alarmGroups"].push_back({{"group", g + 1},
                                    {"startAddress", a.startAddress},
                                    {"options", a.options},
                                    {"messages", std::move(messages)}});
    }
    o["changeRecords"] = st.changeCount;
    o["endsEarly"] = r.endsEarly;
    // A path or text that is not UTF-8 shows replacement characters rather than breaking the
    // document.
    const std::string text = o.dump(2, ' ', false, Json::error_handler_t::replace);
    std::fputs(text.c_str(), stdout);
    std::fputc('\n', stdout);
}

struct InfoArguments {
    std::string path;
    bool asJson = false;
};

// A summary of a project file: format, model, links, screens with their object counts and
// names, pictures, alarms and change records; --json gives the same as JSON. Exit status 0; 3
// when the file ends early (the summary shows what it holds); 1 when it cannot be read.
int runInfo(const CliContext& ctx, const InfoArguments& args) {
    auto store = std::make_unique<ProjectStore>();
    TrnReader::Result r;
    if (!openProject("info", ctx, args.path, *store, &r)) {
        return kExitFailed;
    }
    if (args.asJson) {
        printJson(*store, args.path, r);
    } else {
        printText(*store, args.path, r);
    }
    return r.endsEarly ? kEndsEarlyStatus : kExitDone;
}

} // namespace

CommandRunner addInfo(CLI::App& app, const CliContext& ctx) {
    auto args = std::make_shared<InfoArguments>();
    CLI::App* info = app.add_subcommand(
        "info", "Summarises a project: format, model, links, screens, pictures, alarms");
    info->add_option("IN.trn", args->path, "The project")->required()->type_name("");
    info->add_flag("--json", args->asJson, "The same as one JSON document");
    info->footer("Exit status: 0 shown; 3 shown, but the file ends early; 1 the file cannot be "
                 "read; 2 wrong arguments.");
    return [args, &ctx] { return runInfo(ctx, *args); };
}

} // namespace dispcraft::cli
