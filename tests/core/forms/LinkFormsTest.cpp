#include "LinkFormsTestSupport.h"
#include "forms/ModelLinkForm.h"
#include "forms/PortParamForm.h"
#include "text/LanguageStrings.h"
#include "base/RecordingSink.h"

#include <gtest/gtest.h>

using namespace dispcraft;
using L = ModelLinkForm;
using P = PortParamForm;

namespace {

std::vector<int> ids(const RecordingSink& sink) {
    std::vector<int> v;
    for (const Message& m : sink.shown()) {
        v.push_back(m.id);
    }
    return v;
}

struct LinkDir {
    test::SettingsScratch scratch{"links"};
    ProgramDirectory dir{scratch.path()};
    LinkDir() { test::writeLinkProgramDir(scratch); }
};

P::Preset portPreset(const ProgramDirectory& dir, int mode, int port, const std::string& name) {
    P::Preset p;
    p.dir = dir;
    p.directoryMode = mode;
    p.portIndex = port;
    p.protocolName = name;
    return p;
}

} // namespace

TEST(ModelLink, OnePortModel) {
    LinkDir d;
    L f(d.dir, d.dir.modelFile());
    RecordingSink sink;
    f.open(sink);
    EXPECT_TRUE(sink.shown().empty());
    EXPECT_EQ(f.modelEntries(), (std::vector<std::string>{"Single", "Dual", "Dual plus"}));
    EXPECT_FALSE(f.twoPort());
    EXPECT_FALSE(f.enabled(L::kCom2List));
    EXPECT_FALSE(f.enabled(L::kCom2Params));
    EXPECT_EQ(f.protocolEntries(0), (std::vector<std::string>{"AB", "EMPTY", "FX_CPU"}));
    EXPECT_TRUE(f.protocolEntries(1).empty());
    EXPECT_EQ(f.fields().protocols[0], "FX_CPU"); // COM1_default "fx", any case
    EXPECT_EQ(f.link(0).settings, "9600,7,1,e");
    EXPECT_EQ(f.link(0).baud, 9600);
    EXPECT_EQ(f.link(0).plcId, 1);
    EXPECT_EQ(f.summary(), "COM1:\r\nFX serial\r\n\r\nCOM2:\r\n" +
                               LanguageStrings::current().text(61594));
    // COM2 does nothing on a one-port model.
    f.protocolChanged(1, sink);
    EXPECT_TRUE(sink.shown().empty());

    f.fields().protocols[0] = "AB";
    f.protocolChanged(0, sink);
    EXPECT_EQ(f.link(0).baud, 49664); // 115200 in 16 bits
    EXPECT_EQ(f.link(0).plcId, 0);     // no PLCID
    auto r = f.ok(sink);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.values->choice.modelTitle, "TR - A");
    EXPECT_EQ(r.values->choice.com1ProtocolName, "AB");
    EXPECT_EQ(r.values->choice.com2ProtocolName, "");
    EXPECT_EQ(r.values->choice.com1.baud, 115200u);
    EXPECT_EQ(r.values->choice.com1.parity, 'n');
    EXPECT_EQ(r.values->linkSettings[0], "115200,8,1,n");
}

TEST(ModelLink, MissingComsettingKeysKeepTheirValues) {
    LinkDir d;
    L f(d.dir, d.dir.modelFile());
    RecordingSink sink;
    f.open(sink);
    f.fields().protocols[0] = "EMPTY";
    f.protocolChanged(0, sink);
    EXPECT_EQ(ids(sink), (std::vector<int>{61595}));
    EXPECT_EQ(f.link(0).settings, "9600,7,1,e");
}

TEST(ModelLink, TwoPortModelRatesAndDefaults) {
    LinkDir d;
    L f(d.dir, d.dir.modelFile());
    RecordingSink sink;
    f.open(sink);
    f.fields().model = 1;
    f.modelChanged(sink);
    EXPECT_TRUE(f.twoPort());
    EXPECT_TRUE(f.enabled(L::kCom2List));
    EXPECT_EQ(f.protocolEntries(0), (std::vector<std::string>{"FX_CPU", "KV_MODE"}));
    EXPECT_EQ(f.fields().protocols[0], "KV_MODE");
    EXPECT_EQ(f.fields().protocols[1], "FX_CPU");
    // 14400 is no rate COM1 takes: the previous rate stays. COM2 takes it as it is.
    EXPECT_EQ(ids(sink), (std::vector<int>{63519}));
    EXPECT_EQ(f.link(0).settings, "9600,8,2,n");
    EXPECT_EQ(f.link(0).baud, 9600);
    EXPECT_EQ(f.link(1).settings, "14400,8,2,n");
    EXPECT_EQ(f.link(1).baud, 14400);
    EXPECT_EQ(f.link(1).plcId, 250);
    EXPECT_EQ(f.summary(), "COM1:\r\nKV upper link\r\n\r\nCOM2:\r\nFX on port 2");

    // A model without defaults preselects FX_CPU on both ports.
    f.fields().model = 2;
    f.modelChanged(sink);
    EXPECT_EQ(f.fields().protocols[0], "FX_CPU");
    EXPECT_EQ(f.link(0).settings, "19200,8,1,o");
    auto r = f.ok(sink);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.values->choice.modelTitle, "TR - C");
    EXPECT_EQ(r.values->choice.com2.baud, 14400u);
    EXPECT_EQ(r.values->choice.com2LinkName, "FX on port 2");
}

TEST(ModelLink, PortOverrideIsAppliedAtOk) {
    LinkDir d;
    L f(d.dir, d.dir.modelFile());
    RecordingSink sink;
    f.open(sink);
    f.fields().model = 1;
    f.modelChanged(sink);
    sink.clear();
    std::string presetBaud;
    f.portParameters(1, sink, [&](P& p) -> std::optional<P::Values> {
        presetBaud = p.fields().choices.baudText;
        EXPECT_EQ(p.protocolDirectory(), "\\Protocol120\\comport2");
        p.fields().protocolName = "MB";
        p.protocolChanged(sink);
        p.fields().choices.dataBits = 0;
        p.fields().choices.parity = 1;
        p.fields().choices.baudText = "38400";
        p.fields().portNumber = 12;
        return p.ok().values;
    });
    EXPECT_EQ(presetBaud, "1200"); // 14400 is no entry of the rate list
    EXPECT_EQ(f.fields().protocols[1], "MB");
    EXPECT_EQ(f.link(1).override.dataBits, 7);
    EXPECT_EQ(f.link(1).override.parity, 'e');
    EXPECT_EQ(f.link(1).settings, "19200,7,2,e"); // the file's, until OK
    auto r = f.ok(sink);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.values->choice.com2.baud, 38400u);
    EXPECT_EQ(r.values->choice.com2.dataBits, 7);
    EXPECT_EQ(r.values->choice.com2.stopBits, 2);
    EXPECT_EQ(r.values->choice.com2.parity, 'e');
    EXPECT_EQ(r.values->choice.com2PortNumber, 12);
    EXPECT_EQ(r.values->choice.com2ProtocolName, "MB");
    // COM1 without an override keeps its file's settings.
    EXPECT_EQ(r.values->choice.com1.dataBits, 8);

    // The next opening starts from the override.
    P again = f.portParamForm(1, sink);
    EXPECT_EQ(again.fields().choices.baudText, "38400");
    EXPECT_EQ(again.fields().choices.dataBits, 0);
    EXPECT_EQ(again.fields().choices.stopBits, 1);
    EXPECT_EQ(again.fields().choices.parity, 1);
    EXPECT_EQ(again.fields().portNumber, 12);
}

TEST(ModelLink, CancelledParametersStillRereadTheProtocol) {
    LinkDir d;
    L f(d.dir, d.dir.modelFile());
    RecordingSink sink;
    f.open(sink);
    f.portParameters(0, sink, [](P&) { return std::nullopt; });
    EXPECT_EQ(f.link(0).override.dataBits, 0);
    EXPECT_EQ(f.link(0).settings, "9600,7,1,e");
}

TEST(ModelLink, MissingModelFile) {
    test::SettingsScratch s("nomodels");
    ProgramDirectory dir(s.path());
    L f(dir, dir.modelFile());
    RecordingSink sink;
    f.open(sink);
    EXPECT_TRUE(f.modelEntries().empty());
    EXPECT_TRUE(f.protocolEntries(0).empty());
    EXPECT_EQ(f.fields().protocols[0], "");
    auto r = f.ok(sink);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.values->choice.modelTitle, "TR - A");
}

TEST(PortParam, ProtocolDefaultsSetTheChoices) {
    LinkDir d;
    RecordingSink sink;
    P f(portPreset(d.dir, 1, 1, "MB"));
    f.protocolChanged(sink);
    f.open(sink);
    EXPECT_TRUE(sink.shown().empty());
    EXPECT_EQ(f.protocolEntries(), (std::vector<std::string>{"BADPAR", "FX_CPU", "MB"}));
    EXPECT_EQ(f.protocolSelection(), 2);
    EXPECT_EQ(f.fields().choices.baudText, "19200");
    EXPECT_EQ(f.baudSelection(), 4);
    EXPECT_EQ(f.fields().choices.dataBits, 0);
    EXPECT_EQ(f.fields().choices.stopBits, 1);
    EXPECT_EQ(f.fields().choices.parity, 1);
    EXPECT_TRUE(f.visible(P::kBaudList));
    EXPECT_FALSE(f.visible(P::kValueButton));

    // Refused values keep the fields.
    f.fields().protocolName = "BADPAR";
    f.protocolChanged(sink);
    EXPECT_EQ(ids(sink), (std::vector<int>{63520, 63522, 63523}));
    EXPECT_EQ(f.fields().choices.baudText, "9600");
    EXPECT_EQ(f.fields().choices.dataBits, 0);
    EXPECT_EQ(f.fields().choices.parity, 1);
}

TEST(PortParam, PlcIdDecidesWhatIsShown) {
    LinkDir d;
    RecordingSink sink;
    P f(portPreset(d.dir, 1, 1, "FX_CPU"));
    f.open(sink);
    EXPECT_EQ(f.plcId(), 250);
    EXPECT_FALSE(f.visible(P::kBaudList));
    EXPECT_TRUE(f.visible(P::kFixedRateNote));
    f.fields().protocolName = "MB";
    f.protocolChanged(sink);
    EXPECT_TRUE(f.visible(P::kBaudList));
    EXPECT_FALSE(f.visible(P::kFixedRateNote));

    P g(portPreset(d.dir, 1, 0, "FX"));
    g.open(sink);
    EXPECT_EQ(g.fields().protocolName, "FX_CPU"); // the first entry that begins with it
    EXPECT_EQ(g.plcId(), 2);
    EXPECT_TRUE(g.visible(P::kValueButton));
    g.valueButton([](NumberForm& n) -> std::optional<NumberForm::Values> {
        n.fields().value = 4711;
        return n.ok().values;
    });
    EXPECT_EQ(g.fields().portNumber, 4711);
    g.valueButton([](NumberForm&) { return std::nullopt; });
    EXPECT_EQ(g.ok().values->portNumber, 4711);
}

TEST(PortParam, DirectoryModesAndMissingFiles) {
    LinkDir d;
    RecordingSink sink;
    P one(portPreset(d.dir, 0, 0, "AB"));
    one.open(sink);
    EXPECT_EQ(one.protocolDirectory(), "\\Protocol");
    EXPECT_EQ(one.protocolEntries().size(), 3u);

    P bad(portPreset(d.dir, 1, 2, ""));
    bad.open(sink);
    P worse(portPreset(d.dir, 3, 0, ""));
    worse.open(sink);
    EXPECT_EQ(ids(sink), (std::vector<int>{63517, 63518}));
    EXPECT_EQ(bad.protocolDirectory(), "\\Protocol");

    sink.clear();
    P none(portPreset(d.dir, 0, 0, "NOSUCH"));
    none.protocolChanged(sink);
    EXPECT_EQ(ids(sink), (std::vector<int>{61599, 61596, 61597, 61598}));
    sink.clear();
    none.defaults(sink);
    EXPECT_EQ(ids(sink), (std::vector<int>{61600, 61596, 61597, 61598}));
    sink.clear();
    P kv(portPreset(d.dir, 1, 0, "KV_MODE"));
    kv.defaults(sink);
    EXPECT_EQ(ids(sink), (std::vector<int>{63519}));
    sink.clear();
    kv.protocolChanged(sink);
    EXPECT_EQ(ids(sink), (std::vector<int>{63521}));
}

TEST(PortParam, ChoiceConversions) {
    EXPECT_EQ(P::dataBitsOf(0), 7);
    EXPECT_EQ(P::dataBitsOf(1), 8);
    EXPECT_EQ(P::stopBitsOf(1), 2);
    EXPECT_EQ(P::parityOf(0), 'o');
    EXPECT_EQ(P::parityOf(2), 'n');
    EXPECT_EQ(P::parityChoice('e'), 1);
    EXPECT_EQ(P::baudNumber("115200"), 49664);
    EXPECT_EQ(P::baudNumber(" 96 00"), 9600);
}
