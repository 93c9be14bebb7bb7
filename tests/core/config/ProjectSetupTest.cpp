#include "base/ProgramDirectory.h"
#include "config/ProjectSetup.h"
#include "model/ProjectStore.h"

#include "TempProgramDir.h"

#include <gtest/gtest.h>

#include <memory>

using namespace dispcraft;

namespace {

void writeProgramDir(const test::TempProgramDir& dir) {
    dir.write("qelsys.ini",
              "[TYPE]\r\nT1=One port\r\nT2=Two ports\r\nT3=none\r\n"
              "[T1]\r\ncom=1\r\nCOM1=\\Protocol\r\nCOM1_default=fx\r\nID_STR=TR - A\r\n"
              "[T2]\r\ncom=2\r\nCOM1=\\Protocol120\\comport1\r\nCOM2=\\Protocol120\\comport2\r\n"
              "COM2_default=NOPE\r\nID_STR=TR - B\r\n"
              "[TR - A]\r\nLCD_X=208\r\nLCD_Y=60\r\nCPU_ID=1\r\n"
              "[TR - B]\r\nLCD_X=100\r\nLCD_Y=60\r\nCPU_ID=2\r\nALarmnum=2\r\n");
    dir.write("Protocol/FX_CPU.ini", "[Comsetting]\r\nbdrt=19200\r\ndatalen=7\r\nstopbit=1\r\nparity=e\r\n"
                                     "[LinkProtocol]\r\nPLCID=001\r\nLinkName=FX link\r\n"
                                     "[Station]\r\nDefaultstation=4\r\n");
    dir.write("Protocol/Other.ini", "[Comsetting]\r\nbdrt=14400\r\n");
    dir.write("Protocol120/comport1/Host.ini", "[Comsetting]\r\nbdrt=115200\r\ndatalen=8\r\nstopbit=2\r\n"
                                               "parity=o\r\n[LinkProtocol]\r\nPLCID=002\r\nLinkName=Host\r\n"
                                               "[Station]\r\nDefaultstation=2\r\n"
                                               "[Changdata]\r\nchangeperlen=032\r\nchengmaxnum=020\r\n");
    dir.write("Protocol120/comport2/Dev.ini", "[Comsetting]\r\nbdrt=14400\r\ndatalen=8\r\nstopbit=1\r\n"
                                              "parity=n\r\n[LinkProtocol]\r\nPLCID=250\r\nLinkName=Dev\r\n"
                                              "[Changdata]\r\nchangeperlen=016\r\nchengmaxnum=050\r\n");
}

} // namespace

TEST(ProjectSetup, DefaultChoiceFollowsTheDialog) {
    test::TempProgramDir dir;
    writeProgramDir(dir);
    ProgramDirectory pd(dir.path());
    NewProjectChoice c;
    std::vector<Message> warnings;
    ASSERT_FALSE(ProjectSetup::defaultChoice(pd, 1, "", "", c, &warnings));
    EXPECT_EQ(c.modelTitle, "TR - A");
    EXPECT_EQ(c.com1ProtocolName, "FX_CPU"); // first entry beginning with "fx"
    EXPECT_EQ(c.com1, (SerialSettings{19200, 7, 1, 'e'}));
    EXPECT_EQ(c.com1LinkName, "FX link");
    EXPECT_TRUE(c.com2ProtocolName.empty());
    EXPECT_TRUE(warnings.empty());

    // A rate outside the list is refused for COM1 (63519) but taken for COM2.
    warnings.clear();
    ASSERT_FALSE(ProjectSetup::defaultChoice(pd, 1, "other", "", c, &warnings));
    EXPECT_EQ(c.com1ProtocolName, "Other");
    EXPECT_EQ(c.com1.baud, 9600u);
    ASSERT_EQ(warnings.size(), 4u);
    EXPECT_EQ(warnings[0].id, 63519);
    EXPECT_EQ(warnings[3].id, 61598);

    ASSERT_FALSE(ProjectSetup::defaultChoice(pd, 2, "", "", c));
    EXPECT_EQ(c.com1ProtocolName, "Host");
    EXPECT_EQ(c.com2ProtocolName, "Dev"); // no match for the default: the first entry
    EXPECT_EQ(c.com2.baud, 14400u);
    EXPECT_EQ(c.com1, (SerialSettings{115200, 8, 2, 'o'}));

    auto e = ProjectSetup::defaultChoice(pd, 3, "", "", c);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->id, ProjectSetup::kNoSuchModel);
    e = ProjectSetup::defaultChoice(pd, 2, "Host", "Nothing", c);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->id, ProjectSetup::kNoSuchProtocol);
}

TEST(ProjectSetup, NewProjectThenLoadReadsModelAndProtocols) {
    test::TempProgramDir dir;
    writeProgramDir(dir);
    ProgramDirectory pd(dir.path());
    NewProjectChoice c;
    ASSERT_FALSE(ProjectSetup::defaultChoice(pd, 2, "", "", c));
    c.com1PortNumber = 5;
    auto store = std::make_unique<ProjectStore>();
    store->projectPath = "/old.trn";
    store->changeCount = 3;
    ProjectSetup::newProject(*store, pd, c);
    EXPECT_TRUE(store->projectPath.empty());
    EXPECT_EQ(store->changeCount, 0);
    EXPECT_EQ(store->cpuId, 2);
    EXPECT_EQ(store->lcdX, 100);
    EXPECT_EQ(store->alarmGroupCount, 2);
    EXPECT_EQ(store->com1PortNumber, 5);
    EXPECT_EQ(store->header.format, 51);
    EXPECT_EQ(store->header.modelCode, 'B');
    EXPECT_EQ(store->projectBlock.baud[0], 49664);
    EXPECT_EQ(store->projectBlock.baud[1], 14400);
    EXPECT_EQ(store->defaultStation, 2);
    EXPECT_EQ(store->alarms[1].areaAndBit, 2);
    EXPECT_EQ(store->projectBlock.controlAreaAndBit2, 2);
    EXPECT_EQ(store->maxChangeLength, 16);
    EXPECT_EQ(store->maxChangeCount, 20);
    EXPECT_TRUE(store->projectOpen);

    // What a load leaves: the ProjectBlock and the header; the rest comes from the files.
    auto loaded = std::make_unique<ProjectStore>();
    loaded->projectBlock = store->projectBlock;
    loaded->header = store->header;
    ProjectSetup::afterLoad(*loaded, pd);
    EXPECT_EQ(loaded->modelTitle, "TR - B");
    EXPECT_EQ(loaded->com1ProtocolName, "Host");
    EXPECT_EQ(loaded->com2ProtocolName, "Dev");
    EXPECT_EQ(loaded->com1LinkName, "Host");
    EXPECT_EQ(loaded->com2LinkName, "Dev");
    EXPECT_EQ(loaded->cpuId, 2);
    EXPECT_EQ(loaded->maxChangeCount, 20);
    EXPECT_TRUE(loaded->projectOpen);

    // Changing to the one-port model reads COM1's file from "Protocol" now.
    loaded->com1ProtocolName = "FX_CPU";
    ProjectSetup::changeModel(*loaded, pd, "TR - A");
    EXPECT_EQ(loaded->cpuId, 1);
    EXPECT_EQ(loaded->defaultStation, 4);
}
