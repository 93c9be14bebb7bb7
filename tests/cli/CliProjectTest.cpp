#include "CliRun.h"

#include "core/model/TrnTestSupport.h"

#include "config/PanelModelFile.h"
#include "base/ProgramDirectory.h"
#include "config/ProtocolFile.h"
#include "model/TrnReader.h"
#include "model/TrnWriter.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <memory>

using namespace dispcraft;
using namespace dispcraft::test;

namespace {

void writeFile(const std::string& path, const std::string& bytes) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

// A program directory of its own: a one-port model (T1) and a two-port model (T2) with their
// protocol files, written the way such files usually come (CRLF, Windows directory names).
class FixtureProgramDir {
public:
    FixtureProgramDir() {
        writeFile(m_dir.file("qelsys.ini"),
                  "[TYPE]\r\nT1=One port\r\nT2=Two ports\r\nT3=none\r\n"
                  "[T1]\r\ncom=1\r\nCOM1=\\Protocol\r\nCOM1_default=FX_CPU\r\nID_STR=TR - A\r\n"
                  "[T2]\r\ncom=2\r\nCOM1=\\Protocol120\\comport1\r\nCOM2=\\Protocol120\\comport2\r\n"
                  "COM2_default=MODBUS\r\nID_STR=TR - B\r\n"
                  "[TR - A]\r\nLCD_X=208\r\nLCD_Y=100\r\nCPU_ID=1\r\n"
                  "[TR - B]\r\nLCD_X=209\r\nLCD_Y=120\r\nCPU_ID=2\r\nALarmnum=2\r\n");
        protocol("Protocol/FX_CPU.ini", "9600", "7", "1", "e", "Serial PLC A", "3");
        protocol("Protocol/HOSTLINK.ini", "19200", "8", "1", "n", "Host link", "1");
        protocol("Protocol120/comport1/FX_CPU.ini", "115200", "7", "1", "e", "Serial PLC A", "2");
        protocol("Protocol120/comport2/MODBUS.ini", "38400", "8", "2", "o", "Modbus slave", "1");
    }
    const std::string& path() const { return m_dir.path(); }

private:
    void protocol(const std::string& name, const char* bdrt, const char* data, const char* stop,
                  const char* parity, const char* link, const char* station) {
        writeFile(m_dir.file(name), std::string("[Comsetting]\r\nbdrt=") + bdrt + "\r\ndatalen=" + data +
                                        "\r\nstopbit=" + stop + "\r\nparity=" + parity +
                                        "\r\n[LinkProtocol]\r\nPLCID=001\r\nLinkName=" + link +
                                        "\r\n[Station]\r\nDefaultstation=" + station + "\r\n");
    }
    TempDir m_dir;
};

const FixtureProgramDir& fixture() {
    static FixtureProgramDir dir;
    return dir;
}

CliRun runIn(const std::string& programDir, std::vector<std::string> args) {
    args.insert(args.begin(), {"--program-dir", programDir});
    return runCli(args, false);
}

std::string firstProtocol(const ProgramDirectory& dir, const ModelType& t, int port) {
    auto list = ProtocolFile::list(dir.file(port == 1 ? t.com1Directory : t.com2Directory));
    return list.empty() ? std::string() : list.front();
}

std::unique_ptr<ProjectStore> readFile(const std::string& path) {
    auto st = std::make_unique<ProjectStore>();
    auto r = TrnReader::load(*st, path);
    EXPECT_TRUE(r.ok) << path << ": " << r.message.id;
    return st;
}

// A valid project to damage, written by the writer itself.
std::string validProject() {
    auto st = sampleProject();
    TrnWriter::prepare(*st);
    return TrnWriter::serialise(*st);
}

// New then resave for every model of a program directory: both files read back to the same
// store, byte for byte.
void newThenResaveEveryModel(const std::string& programDir) {
    ProgramDirectory pd(programDir);
    PanelModelFile models(pd.modelFile());
    auto types = models.types();
    ASSERT_GE(types.size(), 2u);
    TempDir dir;
    for (const ModelType& t : types) {
        SCOPED_TRACE(t.idStr);
        std::string com1 = firstProtocol(pd, t, 1);
        ASSERT_FALSE(com1.empty());
        std::vector<std::string> args = {"new", dir.file("new.trn"), "--model",
                                         std::to_string(t.number), "--com1", com1};
        if (t.twoPort) {
            args.insert(args.end(), {"--com2", firstProtocol(pd, t, 2)});
        }
        CliRun made = runIn(programDir, args);
        ASSERT_EQ(made.status, 0) << made.err;
        CliRun resaved = runIn(programDir, {"resave", dir.file("new.trn"), dir.file("again.trn")});
        ASSERT_EQ(resaved.status, 0) << resaved.err;

        auto a = readFile(dir.file("new.trn"));
        auto b = readFile(dir.file("again.trn"));
        expectSameStore(*a, *b);
        EXPECT_EQ(slurp(dir.file("new.trn")), slurp(dir.file("again.trn")));

        // What a new project holds.
        EXPECT_EQ(a->modelTitle, t.idStr);
        EXPECT_EQ(a->com1ProtocolName, com1);
        EXPECT_EQ(a->projectBlock.startScreen, 1);
        EXPECT_EQ(a->projectBlock.panelSetting2, 5);
        for (int s = 1; s <= 199; ++s) {
            ASSERT_FALSE(a->screenExists(s));
        }
        ProtocolFile p1(ProtocolFile::dialogPath(pd, t.twoPort, 1, com1));
        EXPECT_EQ(std::to_string(a->serial(1).baud), p1.baudText());
        EXPECT_EQ(a->projectBlock.controlAreaAndBit2, p1.defaultStation());
        EXPECT_EQ(a->com2ProtocolName.empty(), !t.twoPort);
    }
}

} // namespace

TEST(CliNewResave, EveryModelGivesAProjectThatResavesToTheSameStore) {
    newThenResaveEveryModel(fixture().path());
}

TEST(CliNewResave, NewTakesTheProtocolFilesDefaults) {
    TempDir dir;
    CliRun r = runIn(fixture().path(), {"new", dir.file("b.trn"), "--model", "2", "--com1",
                                        "fx_cpu", "--com2", "MODBUS"});
    ASSERT_EQ(r.status, 0) << r.err;
    auto st = readFile(dir.file("b.trn"));
    EXPECT_EQ(st->modelTitle, "TR - B");
    EXPECT_EQ(st->com1ProtocolName, "FX_CPU");
    EXPECT_EQ(st->com2ProtocolName, "MODBUS");
    EXPECT_EQ(st->serial(1), (SerialSettings{115200, 7, 1, 'e'}));
    EXPECT_EQ(st->projectBlock.baud[0], 49664);
    EXPECT_EQ(st->serial(2), (SerialSettings{38400, 8, 2, 'o'}));
    EXPECT_EQ(st->alarms[0].areaAndBit, 2);
    // The one-port model: COM1 from "Protocol", no COM2.
    r = runIn(fixture().path(), {"new", dir.file("a.trn"), "--model", "1", "--com1", "HOSTLINK"});
    ASSERT_EQ(r.status, 0) << r.err;
    st = readFile(dir.file("a.trn"));
    EXPECT_EQ(st->serial(1), (SerialSettings{19200, 8, 1, 'n'}));
    EXPECT_TRUE(st->com2ProtocolName.empty());
    // No COM2 line: its serial fields stay 0, as the new-project dialog leaves them.
    EXPECT_EQ(st->projectBlock.baud[1], 0);
    EXPECT_EQ(st->projectBlock.dataBits[1], 0);
    EXPECT_EQ(st->projectBlock.stopBits[1], 0);
    EXPECT_EQ(st->projectBlock.parity[1], 0);
    CliRun info = runIn(fixture().path(), {"info", dir.file("a.trn")});
    ASSERT_EQ(info.status, 0) << info.err;
    EXPECT_NE(info.out.find("COM1: HOSTLINK (Host link), 19200,8,1,n"), std::string::npos) << info.out;
}

TEST(CliNewResave, TheShippedModelsGiveProjectsThatResaveToTheSameStore) {
    ProgramDirectory pd(DISPCRAFT_TEST_PROGRAM_DIR);
    if (PanelModelFile(pd.modelFile()).types().empty()) {
        GTEST_SKIP() << "the program directory lists no panel models";
    }
    newThenResaveEveryModel(DISPCRAFT_TEST_PROGRAM_DIR);
}

std::string joined(const std::vector<std::string>& args) {
    std::string line;
    for (const auto& a : args) {
        line += a + " ";
    }
    return line;
}

TEST(CliNewResave, BadArgumentsAreRefusedAndWriteNothing) {
    const std::string com1 = "FX_CPU";
    const std::string model = "1"; // one port
    TempDir dir;
    std::string out = dir.file("p.trn");
    // The command line itself is wrong: status 2.
    const std::vector<std::vector<std::string>> malformed = {
        {"new"},
        {"new", out},
        {"new", out, "--model", model},
        {"new", out, "--com1", com1},
        {"new", out, "--model", "0", "--com1", com1},
        {"new", out, "--model", "x", "--com1", com1},
        {"new", out, "--model", model, "--com1", ""},
        {"new", out, "--model", model, "--com1", com1, "--bogus"},
        {"new", out, "--model", model, "--com1", com1, "extra"},
        {"resave"},
        {"resave", out},
        {"resave", out, out, out},
        {"info"},
        {"info", out, "--yaml"},
    };
    for (const auto& args : malformed) {
        SCOPED_TRACE(joined(args));
        CliRun r = runIn(fixture().path(), args);
        expectOneLineFailure(r);
        EXPECT_EQ(r.status, 2);
        EXPECT_FALSE(std::filesystem::exists(out));
    }
    // Well formed, but the program directory has no such model or protocol: status 1.
    const std::vector<std::vector<std::string>> unknown = {
        {"new", out, "--model", "99", "--com1", com1},
        {"new", out, "--model", model, "--com1", "NO_SUCH_PROTOCOL"},
        {"new", out, "--model", model, "--com1", com1, "--com2", com1},
    };
    for (const auto& args : unknown) {
        SCOPED_TRACE(joined(args));
        CliRun r = runIn(fixture().path(), args);
        expectOneLineFailure(r);
        EXPECT_EQ(r.status, 1);
        EXPECT_FALSE(std::filesystem::exists(out));
    }
}

TEST(CliArguments, EveryCommandHasItsHelpAndOneFormForAWrongCommandLine) {
    const char* commands[] = {"new", "resave", "info", "build", "download", "lamp", "render"};
    CliRun top = runCli({"--help"});
    EXPECT_EQ(top.status, 0) << top.err;
    EXPECT_NE(top.out.find("Exit status:"), std::string::npos) << top.out;
    for (const char* c : commands) {
        SCOPED_TRACE(c);
        EXPECT_NE(top.out.find(std::string("\n  ") + c + " "), std::string::npos) << top.out;
        CliRun help = runCli({c, "--help"});
        EXPECT_EQ(help.status, 0) << help.err;
        EXPECT_TRUE(help.err.empty()) << help.err;
        EXPECT_NE(help.out.find(std::string("Usage: dispcraft-cli ") + c + " "), std::string::npos)
            << help.out;
        // Whatever else is missing, an unknown option is named in the one form.
        CliRun bad = runCli({c, "--no-such-option"});
        expectOneLineFailure(bad);
        EXPECT_EQ(bad.status, 2);
        const std::string form = std::string("dispcraft-cli ") + c + ": ";
        EXPECT_EQ(bad.err.rfind(form, 0), 0u) << bad.err;
        EXPECT_NE(bad.err.find("see 'dispcraft-cli " + std::string(c) + " --help'"), std::string::npos)
            << bad.err;
    }
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{}, {"frobnicate"}, {"--program-dir"}, {"--bogus"}}) {
        SCOPED_TRACE(joined(args));
        CliRun r = runCli(args, false);
        expectOneLineFailure(r);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.err.rfind("dispcraft-cli: ", 0), 0u) << r.err;
    }
    EXPECT_NE(runCli({"frobnicate"}).err.find("unknown command 'frobnicate'"), std::string::npos);
}

TEST(CliNewResave, DamagedOrMissingFilesGiveAMessageAndKeepTheOutput) {
    TempDir dir;
    std::string good = validProject();
    std::string out = dir.file("out.trn");
    writeFile(out, "precious");
    struct Damaged {
        const char* name;
        std::string bytes;
    };
    std::string manyTexts = good;
    manyTexts[144 + 7 * 32 + 16] = static_cast<char>(200);
    std::string hugePool = good;
    uint32_t huge = 0x7FFFFFFF;
    std::memcpy(hugePool.data() + 96 + 20, &huge, 4);
    std::string newer = good;
    newer[4] = 80;
    const Damaged cases[] = {
        {"empty.trn", ""},
        {"text.trn", "this is not a project\n"},
        {"cut.trn", good.substr(0, 5000)},
        {"cut-screen.trn", good.substr(0, 7000)},
        {"texts.trn", manyTexts},
        {"pool.trn", hugePool},
        {"newer.trn", newer},
    };
    for (const Damaged& d : cases) {
        SCOPED_TRACE(d.name);
        std::string in = dir.file(d.name);
        writeFile(in, d.bytes);
        expectOneLineFailure(runCli({"info", in}));
        expectOneLineFailure(runCli({"info", in, "--json"}));
        expectOneLineFailure(runCli({"resave", in, out}));
        EXPECT_EQ(slurp(out), "precious");
    }
    expectOneLineFailure(runCli({"info", dir.file("missing.trn")}));
    expectOneLineFailure(runCli({"resave", dir.path(), out}));
    EXPECT_EQ(slurp(out), "precious");
    // A target that cannot be written.
    writeFile(dir.file("good.trn"), good);
    expectOneLineFailure(runCli({"resave", dir.file("good.trn"), dir.file("no/such/dir.trn")}));
}

TEST(CliNewResave, AFileEndingInItsLastPartsIsReadButNotCalledWhole) {
    TempDir dir;
    auto st = sampleProject();
    TrnWriter::prepare(*st);
    std::string good = TrnWriter::serialise(*st);
    // Cut inside alarm group 2: everything before it is there.
    writeFile(dir.file("short.trn"), good.substr(0, good.size() - 100));
    CliRun info = runCli({"info", dir.file("short.trn"), "--json"});
    EXPECT_EQ(info.status, 3) << info.err;
    EXPECT_EQ(nlohmann::json::parse(info.out)["endsEarly"], true) << info.out;
    EXPECT_EQ(info.err.find('\n'), info.err.size() - 1) << info.err;

    CliRun r = runCli({"resave", dir.file("short.trn"), dir.file("whole.trn")});
    EXPECT_EQ(r.status, 3) << r.err;
    EXPECT_NE(r.err.find("ends early"), std::string::npos) << r.err;
    auto back = std::make_unique<ProjectStore>();
    auto loaded = TrnReader::load(*back, dir.file("whole.trn"));
    ASSERT_TRUE(loaded.ok);
    EXPECT_FALSE(loaded.endsEarly);
    EXPECT_EQ(back->screens[7].textPool, st->screens[7].textPool);
    EXPECT_EQ(back->alarms[1].count, 0);
}

TEST(CliNewResave, ResaveUpgradesAnOldFormat) {
    TempDir dir;
    auto st = sampleProject();
    TrnWriter::prepare(*st);
    writeFile(dir.file("old.trn"), legacyFile(*st, 4));
    CliRun r = runCli({"resave", dir.file("old.trn"), dir.file("new.trn")});
    ASSERT_EQ(r.status, 0) << r.err;
    std::string f = slurp(dir.file("new.trn"));
    ASSERT_GT(f.size(), 6u);
    EXPECT_EQ(f[4], 51);
    auto back = readFile(dir.file("new.trn"));
    EXPECT_EQ(back->screens[7].textPool, st->screens[7].textPool);
    EXPECT_EQ(back->globalKeys[5].screen, st->globalOldKeys[5].screen);
}

TEST(CliInfo, SummarisesAProjectAsTextAndJson) {
    TempDir dir;
    auto st = sampleProject();
    ASSERT_TRUE(TrnWriter::save(*st, dir.file("p.trn")).ok);
    CliRun text = runIn(fixture().path(), {"info", dir.file("p.trn")});
    ASSERT_EQ(text.status, 0) << text.err;
    const char* lines[] = {"format: 51", "model: TR - B", "COM1: FX_CPU", "COM2: MODBUS_RTU",
                           "screens: 3", "\"报警\"", "3 TextString, 3 MsgDisp", "pictures: 2",
                           "29: 3 x 2 dots", "1 \"Low\"", "change records: 3"};
    for (const char* l : lines) {
        EXPECT_NE(text.out.find(l), std::string::npos) << l << "\n" << text.out;
    }

    CliRun js = runIn(fixture().path(), {"info", dir.file("p.trn"), "--json"});
    ASSERT_EQ(js.status, 0) << js.err;
    nlohmann::json doc = nlohmann::json::parse(js.out);
    EXPECT_EQ(doc["project"], dir.file("p.trn"));
    EXPECT_EQ(doc["format"], 51);
    EXPECT_EQ(doc["links"][0]["baud"], 115200);
    EXPECT_EQ(doc["links"][1]["protocol"], "MODBUS_RTU");
    ASSERT_EQ(doc["screens"].size(), 3u);
    std::vector<std::string> names;
    for (const auto& screen : doc["screens"]) {
        names.push_back(screen["name"]);
    }
    EXPECT_NE(std::find(names.begin(), names.end(), "报警"), names.end());
    EXPECT_NE(std::find(names.begin(), names.end(), "Last one!!"), names.end());
    EXPECT_EQ(doc["pictures"].size(), 2u);
    EXPECT_EQ(doc["alarmGroups"][0]["messages"], nlohmann::json::array({"Pump ", "fault故障"}));
    EXPECT_EQ(doc["alarmGroups"][1]["messages"], nlohmann::json::array({"Low"}));
    EXPECT_EQ(doc["changeRecords"], 3);
    EXPECT_EQ(doc["endsEarly"], false);
    // A path that is not UTF-8 still gives a document a reader can parse.
    const std::string oddName = dir.file("p\xff.trn");
    std::filesystem::copy_file(dir.file("p.trn"), oddName);
    CliRun odd = runIn(fixture().path(), {"info", oddName, "--json"});
    ASSERT_EQ(odd.status, 0) << odd.err;
    EXPECT_TRUE(nlohmann::json::accept(odd.out)) << odd.out;
    // An old-format file says which format it was.
    TrnWriter::prepare(*st);
    writeFile(dir.file("old.trn"), legacyFile(*st, 6));
    CliRun old = runIn(fixture().path(), {"info", dir.file("old.trn")});
    ASSERT_EQ(old.status, 0) << old.err;
    EXPECT_NE(old.out.find("format: 6"), std::string::npos) << old.out;
}

// The example projects the build writes for the shipped models.
class CliExamples : public ::testing::TestWithParam<const char*> {};

TEST_P(CliExamples, ReadBackWithEveryObjectKindInsideTheLcd) {
    std::string path = std::string(DISPCRAFT_TEST_EXAMPLES_DIR) + "/" + GetParam();
    auto st = readFile(path);
    ModelSection model = PanelModelFile(ProgramDirectory(DISPCRAFT_TEST_PROGRAM_DIR).modelFile())
                             .section(st->modelTitle);
    // Stored coordinates are view pixels / 2 with the LCD origin included.
    const int left = model.lcdX / 2;
    const int top = model.lcdY / 2;
    auto inside = [&](int x, int y, int w, int h) {
        return x >= left && y >= top && x + w <= left + 192 && y + h <= top + 64;
    };
    int kinds[8] = {};
    for (int s = 1; s <= 199; ++s) {
        if (!st->screenExists(s)) {
            continue;
        }
        const ScreenEntry& e = st->entries[s];
        const ScreenBlock& b = st->screens[s];
        for (int i = 0; i < e.textCount; ++i) {
            const TextStringRecord& t = b.textStrings[i];
            int cw = (t.attr & 1) ? 16 : 8;
            int ch = (t.attr & 2) ? 32 : 16;
            EXPECT_TRUE(inside(t.x, t.y, cw * t.textLength, ch)) << "screen " << s << " text " << i;
        }
        for (int i = 0; i < e.lampCount; ++i) {
            const LampRecord& l = b.lamps[i];
            int size = (l.attr & 0x40) ? 32 : 16;
            EXPECT_TRUE(inside(l.x, l.y, size, size)) << "screen " << s << " lamp " << i;
            EXPECT_TRUE(l.nameString() == "lamp01_16x16" || l.nameString() == "lamp20_32x32");
        }
        for (int i = 0; i < e.trendCount; ++i) {
            const TrendGraphRecord& t = b.trendGraphs[i];
            EXPECT_TRUE(inside(t.x, t.y, t.width, t.height)) << "screen " << s << " trend " << i;
        }
        for (int i = 0; i < e.pictureCount; ++i) {
            const PictureObjectRecord& p = b.pictures[i];
            EXPECT_TRUE(inside(p.x, p.y, p.width, p.height)) << "screen " << s << " picture " << i;
            EXPECT_TRUE(st->pictures[p.pictureNo].defined(p.pictureNo));
        }
        for (int i = 0; i < e.msgCount; ++i) {
            const MsgDispRecord& m = b.msgDisps[i];
            int longest = *std::max_element(std::begin(m.textLengths), std::end(m.textLengths));
            EXPECT_TRUE(inside(m.x, m.y, 8 * longest, 16)) << "screen " << s << " message " << i;
        }
        for (int i = 0; i < e.numCount; ++i) {
            // Digits, then the sign and the decimal point where there are any.
            const NumDispRecord& n = b.numDisps[i];
            int chars = n.digits + ((n.attr & 0x08) ? 1 : 0) + (n.decimals ? 1 : 0);
            EXPECT_TRUE(inside(n.x, n.y, 8 * chars, 16)) << "screen " << s << " number " << i;
        }
        for (int i = 0; i < e.barCount; ++i) {
            EXPECT_TRUE(inside(b.barGraphs[i].x, b.barGraphs[i].y, b.barGraphs[i].length,
                               b.barGraphs[i].thickness));
        }
        kinds[1] += e.textCount;
        kinds[2] += e.msgCount;
        kinds[3] += e.numCount;
        kinds[4] += e.barCount;
        kinds[5] += e.trendCount;
        kinds[6] += e.lampCount;
        kinds[7] += e.pictureCount;
    }
    for (int k = 1; k <= 7; ++k) {
        EXPECT_GT(kinds[k], 0) << "object kind " << k;
    }
    EXPECT_GT(st->alarms[0].count, 0);
    // Alarm group 2 only where the model has it; the two-port demo picks such a model.
    if (model.alarmGroupCount > 1) {
        EXPECT_GT(st->alarms[1].count, 0);
    } else {
        EXPECT_EQ(st->alarms[1].count, 0);
    }
    EXPECT_EQ(model.alarmGroupCount > 1, std::string(GetParam()) == "two-port-demo.trn");

    CliRun info = runCli({"info", path, "--json"});
    ASSERT_EQ(info.status, 0) << info.err;
    EXPECT_NE(info.out.find("\"name\": \"主画面\""), std::string::npos) << info.out;

    // They build into download images and every screen draws.
    TempDir dir;
    CliRun build = runCli({"build", path, "-o", dir.file("demo.qel")});
    EXPECT_EQ(build.status, 0) << build.err;
    EXPECT_GT(std::filesystem::file_size(dir.file("demo.qel")), 0u);
    for (int s = 1; s <= 199; ++s) {
        if (st->screenExists(s)) {
            CliRun render = runCli({"render", path, "--screen", std::to_string(s), "-o",
                                    dir.file("s" + std::to_string(s) + ".png")});
            EXPECT_EQ(render.status, 0) << "screen " << s << ": " << render.err;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Shipped, CliExamples,
                         ::testing::Values("one-port-demo.trn", "two-port-demo.trn"));
