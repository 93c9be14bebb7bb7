#include "base/ProgramDirectory.h"
#include "config/ProtocolFile.h"
#include "model/ProjectStore.h"

#include "TempProgramDir.h"

#include <gtest/gtest.h>

#include <memory>

using namespace dispcraft;

namespace {

std::string protocol(const std::string& plcid, const std::string& len, const std::string& num,
                     int station = 1) {
    std::string s = "[LinkProtocol]\r\nPLCID=" + plcid + "\r\nLinkName=Link " + plcid + "\r\n"
                    "[Changword]\r\nreg0=D\r\nreg0rang=7999\r\nreg0format=9999\r\n"
                    "[Changebit]\r\nrelay0=M\r\nrelay0rang=1777\r\nrelay0format=7777\r\n"
                    "[station]\r\nstation=0-31\r\n"
                    "[Station]\r\nDefaultstation=" + std::to_string(station) +
                    "\r\nMaxstation=31\r\nMinstation=0\r\n";
    if (!len.empty()) {
        s += "[Changdata]\r\nchangeperlen=" + len + "\r\nchengmaxnum=" + num + "\r\n";
    }
    return s;
}

} // namespace

TEST(ProtocolFile, KeysNamesAndDefaults) {
    ProtocolFile f(IniFile("[Comsetting]\nbdrt=19200\ndatalen=7\n[LinkProtocol]\nPLCID=300\n"
                           "[Changword]\nreg3=R\nreg3rang=FFFF\nreg3format=FFFF\n"
                           "[changebit]\nRELAY1=X\n[Station]\nMaxstation=9\n[station]\nstation=0-9\n"));
    EXPECT_EQ(f.baudText(), "19200");
    EXPECT_EQ(f.dataBitsText(), "7");
    EXPECT_EQ(f.stopBitsText(), "end");
    EXPECT_EQ(f.parityText(), "end");
    EXPECT_EQ(f.plcId(), 44); // 300 modulo 256
    EXPECT_EQ(f.linkName(), "000");
    auto words = f.wordAreas();
    EXPECT_EQ(words[3].name, "R");
    EXPECT_EQ(words[3].range, "FFFF");
    EXPECT_EQ(words[3].format, "FFFF");
    EXPECT_EQ(words[0].name, "end");
    EXPECT_EQ(f.bitAreas()[1].name, "X");
    // "station" and "Station" are one section to the profile rules; both must stay readable.
    EXPECT_EQ(f.stationText(), "0-9");
    EXPECT_EQ(f.maxStation(), 9);
    EXPECT_EQ(f.minStation(), 1);
    EXPECT_EQ(f.changePerLen(), 16);
    EXPECT_EQ(f.changeMaxNum(), 10);

    ProtocolFile missing(std::string("/nonexistent/none.ini"));
    EXPECT_FALSE(missing.found());
    EXPECT_EQ(missing.plcId(), 0);
    EXPECT_EQ(missing.defaultStation(), 1);
    EXPECT_EQ(ProtocolFile(IniFile("[LinkProtocol]\nPLCID=250\n")).plcId(), 250);
}

TEST(ProtocolFile, ThreeDigitRule) {
    EXPECT_EQ(ProtocolFile::threeDigits("016"), 16);
    EXPECT_EQ(ProtocolFile::threeDigits("150x"), 150);
    EXPECT_EQ(ProtocolFile::threeDigits("10"), 100 + 0 - '0'); // unchecked, as the file format has it
    EXPECT_EQ(ProtocolFile::threeDigits(""), -111 * '0');
}

TEST(ProtocolFile, ListsIniTitlesSorted) {
    test::TempProgramDir dir;
    dir.write("Protocol/zeta.ini", "");
    dir.write("Protocol/Alpha.INI", "");
    dir.write("Protocol/beta.ini", "");
    dir.write("Protocol/beta_1.bin", "");
    dir.write("Protocol/notes.txt", "");
    EXPECT_EQ(ProtocolFile::list(dir.path() + "/Protocol"),
              (std::vector<std::string>{"Alpha", "beta", "zeta"}));
    EXPECT_TRUE(ProtocolFile::list(dir.path() + "/missing").empty());
}

TEST(ProtocolFile, ReadIntoStoreLimitsAndDirectories) {
    test::TempProgramDir dir;
    ProgramDirectory pd(dir.path());
    dir.write("Protocol120/comport1/P1.ini", protocol("002", "016", "150", 3));
    dir.write("Protocol120/comport2/P2.ini", protocol("009", "032", "150", 7));
    dir.write("Protocol/P1.ini", protocol("250", "", ""));
    auto store = std::make_unique<ProjectStore>();
    store->com1ProtocolName = "P1";
    store->com2ProtocolName = "P2";

    store->cpuId = 2;
    ProtocolFile::readIntoStore(*store, pd);
    EXPECT_EQ(store->maxChangeLength, 16);
    EXPECT_EQ(store->maxChangeCount, 100); // 150 on both sides, capped
    EXPECT_EQ(store->defaultStation, 3);   // from COM1 only
    EXPECT_EQ(store->maxStation, 31);
    EXPECT_EQ(store->minStation, 0);
    EXPECT_EQ(store->com1Protocol.wordAreas[0].name, "D");
    EXPECT_EQ(store->com2Protocol.bitAreas[0].range, "1777");
    EXPECT_EQ(store->com2Protocol.stationText, "0-31");
    EXPECT_EQ(ProtocolFile::readLinkKind(*store, pd, 1), 2);
    EXPECT_EQ(ProtocolFile::readLinkKind(*store, pd, 2), 9);

    // CPU_ID 1 reads COM1 from "Protocol"; that file has no Changdata: 16 and 10.
    store->cpuId = 1;
    ProtocolFile::readIntoStore(*store, pd);
    EXPECT_EQ(store->com1Protocol.changePerLen, 16);
    EXPECT_EQ(store->com1Protocol.changeMaxNum, 10);
    EXPECT_EQ(store->maxChangeLength, 16);
    EXPECT_EQ(store->maxChangeCount, 10);
    EXPECT_EQ(ProtocolFile::readLinkKind(*store, pd, 1), 250);

    // Another CPU kind: the project reader stays in "Protocol", the build's link kind does not.
    store->cpuId = 37;
    ProtocolFile::readIntoStore(*store, pd);
    EXPECT_EQ(store->com1Protocol.changeMaxNum, 10);
    EXPECT_EQ(ProtocolFile::readLinkKind(*store, pd, 1), 2);

    // Without a COM2 protocol both limits stay 1, and no stale COM2 areas remain.
    store->cpuId = 2;
    store->com2ProtocolName.clear();
    ProtocolFile::readIntoStore(*store, pd);
    EXPECT_EQ(store->maxChangeLength, 1);
    EXPECT_EQ(store->maxChangeCount, 1);
    EXPECT_EQ(store->com2Protocol.wordAreas[0].name, "end");
}

TEST(ProtocolFile, DamagedLimitsAndHostileNames) {
    test::TempProgramDir dir;
    ProgramDirectory pd(dir.path());
    dir.write("Protocol120/comport1/A.ini", protocol("001", "0-1", "abc"));
    dir.write("Protocol120/comport2/B.ini", protocol("001", "050", "050"));
    dir.write("secret.ini", protocol("123", "", ""));
    auto store = std::make_unique<ProjectStore>();
    store->cpuId = 2;
    store->com1ProtocolName = "A";
    store->com2ProtocolName = "B";
    ProtocolFile::readIntoStore(*store, pd);
    EXPECT_EQ(store->maxChangeLength, 0); // a negative reading is no limit below zero
    EXPECT_EQ(store->maxChangeCount, 50);

    store->com1ProtocolName = "../../secret";
    EXPECT_EQ(ProtocolFile::readLinkKind(*store, pd, 1), 0);
    EXPECT_EQ(ProtocolFile::downloadDriverPath(pd, 2, "X", true),
              dir.path() + "/Protocol120/comport_B/X_2.bin");
    EXPECT_EQ(ProtocolFile::imageDriverPath(pd, "X"), dir.path() + "/Protocol/X.bin");
}
