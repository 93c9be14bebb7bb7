#include "LinkFormsTestSupport.h"
#include "forms/NewProjectFlow.h"
#include "forms/WorkspaceExchange.h"
#include "text/LanguageStrings.h"
#include "model/ProjectStore.h"
#include "base/RecordingSink.h"

#include <gtest/gtest.h>

#include <memory>

using namespace dispcraft;
using W = WorkspaceExchange;

namespace {

struct Project {
    test::SettingsScratch scratch{"exchange"};
    ProgramDirectory dir{scratch.path()};
    std::unique_ptr<ProjectStore> store = std::make_unique<ProjectStore>();
    RecordingSink sink;

    // A new two-port project: model "Dual" with KV_MODE on COM1 and FX_CPU on COM2.
    Project() {
        test::writeLinkProgramDir(scratch);
        NewProjectFlow::run(*store, dir, sink, [](ModelLinkForm& f) -> std::optional<ModelLinkForm::Values> {
            RecordingSink inner;
            f.fields().model = 1;
            f.modelChanged(inner);
            return f.ok(inner).values;
        });
        sink.clear();
    }
};

} // namespace

TEST(NewProject, DialogIsShownUntilConfirmed) {
    test::SettingsScratch scratch("newproject");
    test::writeLinkProgramDir(scratch);
    ProgramDirectory dir(scratch.path());
    auto store = std::make_unique<ProjectStore>();
    store->entries[4].number = 4; // left over from the previous project
    RecordingSink sink;
    int shown = 0;
    auto values = NewProjectFlow::run(*store, dir, sink, [&](ModelLinkForm& f) -> std::optional<ModelLinkForm::Values> {
        if (++shown < 3) {
            return std::nullopt;
        }
        RecordingSink inner;
        f.fields().model = 1;
        f.modelChanged(inner);
        return f.ok(inner).values;
    });
    EXPECT_EQ(shown, 3);
    int refusals = 0;
    for (const Message& m : sink.shown()) {
        refusals += m.id == 61556;
    }
    EXPECT_EQ(refusals, 2);
    EXPECT_EQ(values.choice.modelTitle, "TR - B");
    EXPECT_EQ(store->modelTitle, "TR - B");
    EXPECT_EQ(store->cpuId, 2);
    EXPECT_EQ(store->com1ProtocolName, "KV_MODE");
    EXPECT_EQ(ProjectBlock::nameOf(store->projectBlock.com2Protocol), "FX_CPU");
    EXPECT_EQ(store->com2LinkName, "FX on port 2");
    EXPECT_EQ(store->projectBlock.baud[1], 14400);
    EXPECT_EQ(store->alarms[0].areaAndBit, 3); // Defaultstation of the COM1 protocol
    EXPECT_FALSE(store->screenExists(4));
    EXPECT_TRUE(store->projectOpen);
}

TEST(WorkspaceExchange, PortParametersRoundTrip) {
    Project p;
    ProjectBlock& b = p.store->projectBlock;
    b.baud[1] = 49664;
    b.dataBits[1] = 7;
    b.stopBits[1] = 2;
    b.parity[1] = 'e';
    p.store->com2PortNumber = 5;
    PortParamForm f = W::portParamForm(*p.store, p.dir, 2);
    f.open(p.sink);
    EXPECT_EQ(f.protocolDirectory(), "\\Protocol120\\comport2");
    EXPECT_EQ(f.fields().choices.baudText, "115200");
    EXPECT_EQ(f.fields().choices.dataBits, 0);
    EXPECT_EQ(f.fields().choices.stopBits, 1);
    EXPECT_EQ(f.fields().choices.parity, 1);
    EXPECT_EQ(f.fields().portNumber, 5);
    EXPECT_EQ(f.fields().protocolName, "FX_CPU");

    f.fields().protocolName = "MB";
    f.fields().choices.baudText = "57600";
    f.fields().choices.parity = 0;
    f.fields().portNumber = 9;
    p.store->treeChanged = false;
    W::applyPortParams(*p.store, p.dir, 2, *f.ok().values);
    EXPECT_EQ(b.baud[1], 57600);
    EXPECT_EQ(b.dataBits[1], 7);
    EXPECT_EQ(b.parity[1], 'o');
    EXPECT_EQ(p.store->com2PortNumber, 9);
    EXPECT_EQ(b.portNumbers & 0xFFFF, 9u);
    EXPECT_EQ(ProjectBlock::nameOf(b.com2Protocol), "MB");
    EXPECT_EQ(p.store->com2LinkName, "Modbus");
    EXPECT_EQ(p.store->com2Protocol.wordAreas[0].name, "D"); // protocol files read again
    EXPECT_TRUE(p.store->treeChanged);
}

TEST(WorkspaceExchange, AlarmGroupPoolIsRebuilt) {
    Project p;
    AlarmBlock& a = p.store->alarms[1];
    a.count = 2;
    a.lengths[0] = 2;
    a.lengths[1] = 3;
    a.offsets[1] = 2;
    a.startAddress = 8;
    a.areaAndBit = 0x00;
    a.options = 0x04 | 0x02;
    p.store->alarmPools[1] = "ABCDE";
    p.store->alarmBackup = 1;
    AlarmGroupForm f = W::alarmGroupForm(*p.store, 1);
    f.open(p.sink);
    EXPECT_TRUE(f.enabled(AlarmGroupForm::kOption2));
    EXPECT_EQ(f.fields().port, 1);
    EXPECT_TRUE(f.fields().option2);
    ASSERT_EQ(f.rows().size(), 2u);
    EXPECT_EQ(f.rows()[0].text, "AB");
    EXPECT_EQ(f.rows()[1].text, "CDE");
    EXPECT_EQ(f.rows()[0].bitLabel, "0010=ON"); // M on COM2 is octal
    f.textEdited(0, "Pressure", p.sink);
    f.fields().count = 3;
    f.rebuild(p.sink);
    f.textEdited(2, "Z", p.sink);
    f.fields().option2 = false;
    W::applyAlarmGroup(*p.store, 1, *f.ok().values);
    EXPECT_EQ(p.store->alarmPools[1], "PressureCDEZ");
    EXPECT_EQ(a.count, 3);
    EXPECT_EQ(a.offsets[0], 0u);
    EXPECT_EQ(a.offsets[1], 8u);
    EXPECT_EQ(a.offsets[2], 11u);
    EXPECT_EQ(a.lengths[2], 1);
    EXPECT_EQ(a.lengths[3], 0);
    EXPECT_EQ(a.options, 0x04u);

    // A message outside its pool is empty, as the build takes it; the others are where their
    // offsets say.
    a.count = 60;
    a.lengths[0] = 200;
    a.offsets[1] = 3;
    AlarmGroupForm g = W::alarmGroupForm(*p.store, 1);
    g.open(p.sink);
    EXPECT_EQ(g.fields().texts[0], LanguageStrings::current().text(61452));
    EXPECT_EQ(g.fields().texts[1], "ssu");
}

TEST(WorkspaceExchange, AlarmItemNamesItsGroup) {
    Project p;
    p.store->alarmGroupCount = 1;
    EXPECT_EQ(W::alarmGroupOf(*p.store, '2'), 0);
    p.store->alarmGroupCount = 2;
    EXPECT_EQ(W::alarmGroupOf(*p.store, '1'), 0);
    EXPECT_EQ(W::alarmGroupOf(*p.store, '2'), 1);
}

TEST(WorkspaceExchange, PanelSettingsKeepEveryValue) {
    Project p;
    PanelSettingsForm f = W::panelSettingsForm(*p.store, p.dir);
    f.open(p.sink);
    EXPECT_EQ(f.fields().startScreen, 1); // a new project starts on screen 1
    EXPECT_EQ(f.fields().setting2, 5);
    f.fields().use2 = true;
    f.address2().fields().port = 1;
    f.port2Changed();
    EXPECT_TRUE(f.visible(PanelSettingsForm::kTableButton)); // COM2's FX_CPU has PLC ID 250
    f.address2().fields().addressText = "0100";
    f.fields().setting4 = 1999;
    f.fields().setting3 = 9999;
    f.fields().startScreen = 12;
    W::applyPanelSettings(*p.store, *f.ok().values);
    const ProjectBlock& b = p.store->projectBlock;
    EXPECT_EQ(b.startScreen, 12);
    EXPECT_EQ(b.panelOptions, 0x0A);
    EXPECT_EQ(b.controlAddress2, 100);
    EXPECT_EQ(b.panelSetting3, 9999);
    PanelSettingsForm again = W::panelSettingsForm(*p.store, p.dir);
    again.open(p.sink);
    EXPECT_EQ(again.fields().setting4, 1999);
    EXPECT_EQ(again.address2().fields().addressText, "0100");
    EXPECT_EQ(again.address2().fields().port, 1);
}

TEST(WorkspaceExchange, ChangeTableRoundTrip) {
    Project p;
    p.store->maxChangeCount = 5;
    ChangeTableForm t = W::changeTableForm(*p.store);
    t.add(p.sink, [](ChangeRecordForm& f) -> std::optional<ChangeRecordForm::Values> {
        f.fields().firstText = "0012";
        return f.ok().values;
    });
    W::applyChangeTable(*p.store, t.ok());
    EXPECT_EQ(p.store->changeCount, 1);
    EXPECT_EQ(+p.store->changes[0].firstAddress, 12); // a copy: the record is packed
    EXPECT_EQ(p.store->changes[0].length, 1);
}

TEST(WorkspaceExchange, ScreensFromTheTree) {
    Project p;
    p.store->entries[3].number = 3;
    p.store->entries[3].setName("Three");
    p.store->screenOpen[3] = 1;
    EXPECT_FALSE(W::canDeleteScreen(*p.store, 3));
    EXPECT_FALSE(W::deleteScreen(*p.store, 3, p.sink));
    p.store->screenOpen[3] = 0;
    p.sink.script({Answer::No, Answer::Yes});
    EXPECT_FALSE(W::deleteScreen(*p.store, 3, p.sink));
    EXPECT_TRUE(p.store->screenExists(3));
    EXPECT_TRUE(W::deleteScreen(*p.store, 3, p.sink));
    EXPECT_FALSE(p.store->screenExists(3));
    EXPECT_EQ(p.sink.asked().back(), Message::string(63574, {"3"}));
    EXPECT_FALSE(W::canDeleteScreen(*p.store, 0));

    p.store->entries[8].number = 8;
    EXPECT_EQ(W::applyScreenManager(*p.store, ScreenManagerForm::Values{8}), 8);
    EXPECT_EQ(W::applyScreenManager(*p.store, ScreenManagerForm::Values{3}), 0);
    EXPECT_EQ(W::applyScreenManager(*p.store, std::nullopt), 0);
}

TEST(WorkspaceExchange, PanelModelChangeMovesTheProject) {
    Project p;
    PanelModelForm f = W::panelModelForm(*p.store, p.dir);
    EXPECT_EQ(f.fields().selected, 1);
    f.fields().selected = 0;
    W::applyPanelModel(*p.store, p.dir, *f.ok(p.sink).values);
    EXPECT_EQ(p.store->modelTitle, "TR - A");
    EXPECT_EQ(p.store->cpuId, 1);
    EXPECT_EQ(p.store->header.modelCode, 'A');
}

TEST(WorkspaceExchange, TreeItemFlowsWriteBackOnlyWhenConfirmed) {
    Project p;
    ProjectBlock& b = p.store->projectBlock;
    const uint16_t baud = b.baud[0];
    p.store->treeChanged = false;
    bool shownFirst = false;
    auto cancel = [&](PortParamForm& f) -> std::optional<PortParamForm::Values> {
        shownFirst = !p.sink.shown().empty() && p.sink.shown()[0] == Message::string(63545);
        f.fields().choices.baudText = "1200";
        return std::nullopt;
    };
    EXPECT_FALSE(W::editPortParams(*p.store, p.dir, 1, p.sink, cancel));
    EXPECT_TRUE(shownFirst); // the notice comes before the dialog
    EXPECT_EQ(b.baud[0], baud);
    EXPECT_FALSE(p.store->treeChanged);
    EXPECT_TRUE(W::editPortParams(*p.store, p.dir, 1, p.sink, [](PortParamForm& f) {
        f.fields().choices.baudText = "1200";
        return f.ok().values;
    }));
    EXPECT_EQ(b.baud[0], 1200);
    EXPECT_TRUE(p.store->treeChanged);

    p.store->treeChanged = false;
    EXPECT_FALSE(W::editAlarmGroup(*p.store, 0, p.sink, [](AlarmGroupForm& f) {
        f.fields().count = 2;
        return std::optional<AlarmGroupForm::Values>();
    }));
    EXPECT_EQ(p.store->alarms[0].count, 0);
    EXPECT_FALSE(p.store->treeChanged);
    EXPECT_TRUE(W::editAlarmGroup(*p.store, 0, p.sink, [&](AlarmGroupForm& f) {
        f.fields().count = 2;
        f.rebuild(p.sink);
        return f.ok().values;
    }));
    EXPECT_EQ(p.store->alarms[0].count, 2);
    EXPECT_TRUE(p.store->treeChanged);

    EXPECT_TRUE(W::editPanelSettings(*p.store, p.dir, p.sink, [](PanelSettingsForm& f) {
        f.fields().startScreen = 7;
        return f.ok().values;
    }));
    EXPECT_EQ(b.startScreen, 7);
    EXPECT_FALSE(W::editChangeTable(*p.store, [](ChangeTableForm&) {
        return std::optional<ChangeTableForm::Values>();
    }));

    // With an editor window active the model item only says why not.
    p.sink.clear();
    int runs = 0;
    auto model = [&](PanelModelForm& f) {
        ++runs;
        f.fields().selected = 0;
        return f.ok(p.sink).values;
    };
    EXPECT_FALSE(W::editPanelModel(*p.store, p.dir, true, p.sink, model));
    EXPECT_EQ(runs, 0);
    ASSERT_EQ(p.sink.shown().size(), 1u);
    EXPECT_EQ(p.sink.shown()[0].id, 63544);
    EXPECT_EQ(p.store->modelTitle, "TR - B");
    EXPECT_TRUE(W::editPanelModel(*p.store, p.dir, false, p.sink, model));
    EXPECT_EQ(p.store->modelTitle, "TR - A");
}
