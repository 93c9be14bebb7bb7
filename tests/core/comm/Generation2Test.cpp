#include "CommFakes.h"

#include "comm/Packets.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace dispcraft;
using namespace dispcraft::test;

namespace {

// Bytes of a driver as the panel keeps it: the body, zero-padded to whole packets, at least one.
Bytes asStored(const Bytes& body) {
    Bytes b = body;
    size_t packets = std::max<size_t>(1, (body.size() + 128) / 128);
    if (body.size() % 128 == 0 && !body.empty()) {
        packets = body.size() / 128;
    }
    b.resize(packets * 128, 0);
    return b;
}

struct Files {
    TempDir dir;
    Bytes image = pattern(300, 3);
    Bytes bodyA1 = pattern(128, 1); // exactly 17 + 128 bytes
    Bytes bodyA2;                   // only its header
    Bytes bodyB1 = pattern(200, 5);
    Bytes bodyB2 = pattern(10, 6);
    DownloadInputs inputs;

    Files() {
        inputs.cpuId = 2;
        inputs.imagePath = dir.write("qelsoft.qel", image);
        inputs.typeA.com1 = dir.write("a_1.bin", driverFile(2, bodyA1));
        inputs.typeA.com2 = dir.write("a_2.bin", driverFile(2, bodyA2));
        inputs.typeB.com1 = dir.write("b_1.bin", driverFile(3, bodyB1));
        inputs.typeB.com2 = dir.write("b_2.bin", driverFile(3, bodyB2));
    }
};

} // namespace

TEST(Generation2, ProjectOfTypeA) {
    Files f;
    Rig rig(f.inputs);
    VirtualPanel& panel = rig.panel();
    EXPECT_TRUE(rig.session->controls().clockBox);
    EXPECT_EQ(rig.session->expectedFileType(), 2);
    rig.session->download();
    EXPECT_EQ(rig.session->progressMax(), 300 + 145 + 17);
    EXPECT_EQ(rig.session->statusText().id, 61481);
    EXPECT_FALSE(rig.session->controls().download);
    EXPECT_FALSE(rig.session->controls().clockBox);
    EXPECT_TRUE(rig.session->controls().stop);
    rig.run();

    EXPECT_EQ(rig.session->outcome(), DownloadOutcome::Finished);
    EXPECT_EQ(rig.clock.timers, std::vector<int>{2000});
    auto data = rig.transport->dataPackets();
    // One packet for each driver, three for the image.
    ASSERT_EQ(data.size(), 5u);
    std::vector<std::pair<int, int>> order;
    for (const Bytes& p : data) {
        order.emplace_back(p[2], (p[3] << 8) | p[4]);
    }
    EXPECT_EQ(order, (std::vector<std::pair<int, int>>{{3, 0}, {4, 0}, {5, 0}, {5, 1}, {5, 2}}));
    EXPECT_EQ(Bytes(data[0].begin() + 5, data[0].begin() + 133), f.bodyA1);
    EXPECT_EQ(Bytes(data[1].begin() + 5, data[1].begin() + 133), Bytes(128, 0));
    EXPECT_EQ(panel.files().at(VirtualPanel::FileKind::Com1Driver), asStored(f.bodyA1));
    EXPECT_EQ(panel.files().at(VirtualPanel::FileKind::Com2Driver), Bytes(128, 0));
    EXPECT_EQ(panel.files().at(VirtualPanel::FileKind::Image), asStored(f.image));

    EXPECT_EQ(rig.logIds(),
              (std::vector<int>{61494, 61458, 63001, 63004, 61477, 0, 61459, 61479, 61471}));
    EXPECT_EQ(rig.session->log()[5].literal, std::string(40, '-') + "\r\n");
    EXPECT_EQ(rig.session->progressPosition(), rig.session->progressMax());
    EXPECT_TRUE(rig.session->controls().clockBox);
    EXPECT_TRUE(rig.sink.shown().empty());
    EXPECT_EQ(rig.transport->events.back(), "close");
}

TEST(Generation2, TypeBTakesItsDriversAndFileType) {
    Files f;
    Rig rig(f.inputs);
    PanelFaults faults;
    faults.typeB = true;
    VirtualPanel& panel = rig.panel(faults);
    rig.session->download();
    rig.run();
    EXPECT_EQ(rig.session->outcome(), DownloadOutcome::Finished);
    EXPECT_EQ(rig.session->activeDrivers(), f.inputs.typeB);
    EXPECT_EQ(rig.session->expectedFileType(), 3);
    EXPECT_EQ(rig.session->progressMax(), 300 + 217 + 27);
    EXPECT_EQ(panel.files().at(VirtualPanel::FileKind::Com1Driver), asStored(f.bodyB1));
    EXPECT_EQ(panel.files().at(VirtualPanel::FileKind::Com2Driver), asStored(f.bodyB2));
    // No type-A lines.
    EXPECT_EQ(rig.logIds(), (std::vector<int>{61494, 61458, 61459, 61479, 61471}));

    // The next transfer to a type-A panel starts over from the type-A drivers.
    Rig again(f.inputs);
    VirtualPanel& a = again.panel();
    again.session->download();
    again.run();
    EXPECT_EQ(a.files().at(VirtualPanel::FileKind::Com1Driver), asStored(f.bodyA1));
}

TEST(Generation2, SystemProgramTypeMustMatchThePanel) {
    Files f;
    Bytes body = pattern(300, 8);
    std::string type2 = f.dir.write("sys2.bin", driverFile(2, body));
    std::string type3 = f.dir.write("sys3.bin", driverFile(3, body));
    {
        Rig rig(f.inputs);
        VirtualPanel& panel = rig.panel();
        rig.session->downloadSystemProgram([&](const Message&) { return type2; });
        EXPECT_EQ(rig.session->progressMax(), 317 + 2048);
        rig.run();
        EXPECT_EQ(rig.session->outcome(), DownloadOutcome::Finished);
        EXPECT_EQ(rig.transport->writes.front(), (Bytes{0x1B, 0x51, 0x41, 0xAD, 0x00, 0x0D}));
        EXPECT_EQ(rig.clock.timers, std::vector<int>{5000});
        auto data = rig.transport->dataPackets();
        ASSERT_EQ(data.size(), 3u);
        EXPECT_EQ(data[2][2], 7);
        EXPECT_EQ(data[2][4], 2);
        EXPECT_EQ(panel.files().at(VirtualPanel::FileKind::SystemProgram), asStored(body));
        EXPECT_EQ(rig.logIds()[7], 61478);
    }
    {
        Rig rig(f.inputs);
        PanelFaults faults;
        faults.typeB = true;
        rig.panel(faults);
        rig.session->downloadSystemProgram([&](const Message&) { return type2; });
        rig.run();
        EXPECT_EQ(rig.session->outcome(), DownloadOutcome::Failed);
        EXPECT_EQ(rig.shownIds(), std::vector<int>{61488});
        EXPECT_TRUE(rig.transport->dataPackets().empty());
    }
    {
        Rig rig(f.inputs);
        PanelFaults faults;
        faults.typeB = true;
        VirtualPanel& panel = rig.panel(faults);
        rig.session->downloadSystemProgram([&](const Message&) { return type3; });
        rig.run();
        EXPECT_EQ(rig.session->outcome(), DownloadOutcome::Finished);
        EXPECT_EQ(panel.files().at(VirtualPanel::FileKind::SystemProgram), asStored(body));
    }
}

TEST(Generation2, FailureRows) {
    Files f;
    auto runWith = [&](PanelFaults faults, const DownloadInputs& in) {
        auto rig = std::make_unique<Rig>(in);
        rig->panel(faults);
        rig->session->download();
        rig->run();
        return rig;
    };
    {
        PanelFaults x;
        x.generation = 1; // a panel of the other generation never answers
        auto rig = runWith(x, f.inputs);
        EXPECT_EQ(rig->transport->writes.size(), 11u);
        EXPECT_EQ(rig->logIds().back(), 61462);
        EXPECT_EQ(rig->session->outcome(), DownloadOutcome::Failed);
    }
    {
        PanelFaults x;
        x.garbageReplies = 3;
        auto rig = runWith(x, f.inputs);
        EXPECT_EQ(rig->shownIds(), std::vector<int>{63002});
    }
    {
        PanelFaults x;
        x.refusePacket = 3;
        x.refuseTimes = 5;
        auto rig = runWith(x, f.inputs);
        ASSERT_EQ(rig->sink.shown().size(), 1u);
        EXPECT_EQ(rig->sink.shown()[0], Message::string(65405, {"4"}));
        EXPECT_EQ(rig->countLog(63005), 4);
    }
    {
        PanelFaults x;
        x.refusePacket = 3;
        x.refuseTimes = 4;
        x.corruptPacket = 1;
        x.corruptReply = 2;
        x.garbageReplies = 2;
        auto rig = runWith(x, f.inputs);
        EXPECT_EQ(rig->session->outcome(), DownloadOutcome::Finished) << ::testing::PrintToString(rig->shownIds());
    }
    {
        DownloadInputs in = f.inputs;
        in.typeA.com2 = f.dir.write("bad_2.bin", pattern(40));
        auto rig = runWith({}, in);
        EXPECT_EQ(rig->shownIds(), std::vector<int>{61487});
        EXPECT_EQ(rig->transport->dataPackets().size(), 1u);
    }
    {
        // A header cut short is no header.
        DownloadInputs in = f.inputs;
        in.typeA.com1 = f.dir.write("cut_1.bin", Bytes{'Q', 'E', 'L', '1', '2', '0', 0, 0});
        auto rig = runWith({}, in);
        EXPECT_EQ(rig->shownIds(), std::vector<int>{61487});
        EXPECT_TRUE(rig->transport->dataPackets().empty());
        EXPECT_FALSE(rig->session->transferring());
    }
}

TEST(Generation2, MissingFiles) {
    Files f;
    {
        DownloadInputs in = f.inputs;
        in.imagePath = f.dir.path() + "/none.qel";
        Rig rig(in);
        rig.session->download();
        ASSERT_EQ(rig.sink.asked().size(), 1u);
        EXPECT_EQ(rig.sink.asked()[0].id, 61482);
        EXPECT_FALSE(rig.session->transferring());
    }
    {
        DownloadInputs in = f.inputs;
        in.typeA.com2 = f.dir.path() + "/none_2.bin";
        Rig rig(in);
        rig.session->download();
        ASSERT_EQ(rig.sink.asked().size(), 1u);
        EXPECT_EQ(rig.sink.asked()[0].id, 61484);
    }
    {
        // The type-B drivers are only needed once the panel says it is type B.
        DownloadInputs in = f.inputs;
        in.typeB.com1 = f.dir.path() + "/none_1.bin";
        Rig rig(in);
        PanelFaults faults;
        faults.typeB = true;
        rig.panel(faults);
        rig.session->download();
        rig.run();
        ASSERT_EQ(rig.sink.asked().size(), 1u);
        EXPECT_EQ(rig.sink.asked()[0].id, 61484);
        EXPECT_EQ(rig.shownIds(), std::vector<int>{61486});
        EXPECT_EQ(rig.sink.shown()[0].args, std::vector<std::string>{"4"});
    }
    {
        // The image vanishing half-way fails with its slot.
        Rig rig(f.inputs);
        VirtualPanel& panel = rig.panel();
        std::string image = f.inputs.imagePath;
        rig.transport->responder = [&](const Bytes& w) {
            if (w[1] == 0x3E && w[2] == 5) {
                std::remove(image.c_str());
            }
            return panel.receive(w.data(), w.size());
        };
        rig.session->download();
        rig.run();
        EXPECT_EQ(rig.shownIds(), std::vector<int>{61486});
        EXPECT_EQ(rig.sink.shown()[0].args, std::vector<std::string>{"6"});
    }
}

TEST(Generation2, Clock) {
    Files f;
    {
        Rig rig(f.inputs);
        VirtualPanel& panel = rig.panel();
        rig.clock.now = LocalTime{2008, 10, 10, 9, 5, 33, 5};
        rig.session->setClockChecked(true);
        rig.session->download();
        rig.run();
        EXPECT_EQ(rig.session->outcome(), DownloadOutcome::Finished);
        auto clockPacket = packets::gen2Clock(rig.clock.now);
        EXPECT_EQ(rig.transport->writes.back(), Bytes(clockPacket.begin(), clockPacket.end()));
        ASSERT_TRUE(panel.clock());
        EXPECT_EQ(panel.clock()->year, 2008);
        EXPECT_EQ(panel.clock()->minute, 5);
        EXPECT_EQ(rig.logIds().back(), 61471);
        EXPECT_EQ(rig.transport->events.end()[-3], "rts off");
        EXPECT_EQ(rig.transport->events.end()[-2], "rts on");
    }
    {
        // Refused twice, accepted the third time.
        Rig rig(f.inputs);
        PanelFaults x;
        x.refuseClock = 2;
        VirtualPanel& panel = rig.panel(x);
        rig.session->setClockChecked(true);
        rig.session->download();
        rig.run();
        EXPECT_EQ(rig.session->outcome(), DownloadOutcome::Finished);
        EXPECT_TRUE(panel.clock());
    }
    {
        // Never accepted: the data is there, and the log says the clock was not set.
        Rig rig(f.inputs);
        PanelFaults x;
        x.refuseClock = 3;
        VirtualPanel& panel = rig.panel(x);
        rig.session->setClockChecked(true);
        rig.session->download();
        rig.run();
        EXPECT_EQ(rig.session->outcome(), DownloadOutcome::ClockNotSet);
        EXPECT_EQ(rig.logIds().back(), DownloadSession::kLogClockNotSet);
        EXPECT_TRUE(rig.sink.shown().empty());
        EXPECT_FALSE(panel.clock());
        EXPECT_EQ(panel.files().at(VirtualPanel::FileKind::Image), asStored(f.image));
        EXPECT_FALSE(rig.transport->isOpen());
    }
}
