#include "CommFakes.h"

#include "comm/Packets.h"

#include <gtest/gtest.h>

using namespace dispcraft;
using namespace dispcraft::test;

namespace {

struct Project {
    TempDir dir;
    DownloadInputs inputs;
    explicit Project(int cpuId) {
        inputs.cpuId = cpuId;
        inputs.imagePath = dir.write("qelsoft.qel", pattern(1000));
        inputs.typeA.com1 = dir.write("a_1.bin", driverFile(2, pattern(50)));
        inputs.typeA.com2 = dir.write("a_2.bin", driverFile(2, pattern(60)));
        inputs.typeB = inputs.typeA;
    }
};

} // namespace

TEST(DownloadSession, StopTakesEffectAtTheNextReply) {
    for (int cpu : {1, 2}) {
        Project p(cpu);
        Rig rig(p.inputs);
        VirtualPanel& panel = rig.panel();
        rig.transport->responder = [&](const Bytes& w) {
            Bytes r = panel.receive(w.data(), w.size());
            if (panel.dataPackets() == 3) {
                rig.session->stop();
            }
            return r;
        };
        rig.session->download();
        rig.run();
        EXPECT_EQ(rig.session->outcome(), DownloadOutcome::Cancelled) << cpu;
        EXPECT_EQ(rig.logIds().back(), 63000);
        EXPECT_EQ(rig.transport->dataPackets().size(), 3u);
        EXPECT_FALSE(rig.transport->isOpen());
        DownloadControls idle;
        idle.clockBox = cpu == 2;
        EXPECT_EQ(rig.session->controls(), idle);
        EXPECT_TRUE(rig.sink.shown().empty());

        // A Stop pressed while idle does not cancel the next transfer.
        rig.transport->responder = [&](const Bytes& w) { return panel.receive(w.data(), w.size()); };
        rig.session->stop();
        rig.session->download();
        rig.run();
        EXPECT_EQ(rig.session->outcome(), DownloadOutcome::Finished) << cpu;
    }
}

TEST(DownloadSession, PortFailures) {
    Project p(2);
    {
        Rig rig(p.inputs);
        rig.session->selectPort(2);
        rig.transport->openOk = false;
        rig.transport->openReason = Message::string(65401, {"/dev/ttyUSB0", "dialout"});
        rig.session->download();
        EXPECT_EQ(rig.sink.shown(), (std::vector<Message>{Message::string(61480, {"COM3"}),
                                                          rig.transport->openReason}));
        EXPECT_EQ(rig.transport->events, std::vector<std::string>{"open 3"});
    }
    {
        // The test open works, the transfer's open does not: everything is enabled again.
        Rig rig(p.inputs);
        rig.session->selectPort(0);
        rig.transport->failOpensAfter = 1;
        rig.session->download();
        EXPECT_EQ(rig.shownIds(), std::vector<int>{61495});
        EXPECT_FALSE(rig.session->transferring());
        DownloadControls idle;
        idle.clockBox = true;
        EXPECT_EQ(rig.session->controls(), idle);
    }
    {
        Rig rig(p.inputs);
        rig.transport->queueOk = false;
        rig.session->download();
        EXPECT_EQ(rig.shownIds(), (std::vector<int>{63547, 61480}));
        EXPECT_FALSE(rig.transport->isOpen());
    }
    {
        Rig rig(p.inputs);
        rig.transport->timeoutsOk = false;
        rig.session->download();
        EXPECT_EQ(rig.shownIds(), (std::vector<int>{63542, 61480}));
    }
    {
        // The transfer's time-outs cannot be set after the handshake: the transfer ends.
        Rig rig(p.inputs);
        rig.panel();
        bool handshaken = false;
        auto inner = rig.transport->responder;
        rig.transport->responder = [&](const Bytes& w) {
            handshaken = true;
            rig.transport->timeoutsOk = false;
            return inner(w);
        };
        rig.session->download();
        rig.run();
        EXPECT_TRUE(handshaken);
        EXPECT_EQ(rig.shownIds(), std::vector<int>{61642});
        EXPECT_EQ(rig.session->outcome(), DownloadOutcome::Failed);
        EXPECT_TRUE(rig.session->controls().download);
    }
    {
        // A write that fails comes back like a failed read.
        Rig rig(p.inputs);
        rig.transport->writeCause = cause::kHardIo;
        rig.session->download();
        rig.run();
        EXPECT_EQ(rig.session->outcome(), DownloadOutcome::Failed);
        EXPECT_EQ(rig.logIds().back(), 61462);
    }
}

TEST(DownloadSession, PortChoiceIsRememberedForTheProcess) {
    Project p(1);
    {
        Rig rig(p.inputs);
        rig.session->selectPort(4);
    }
    Rig rig(p.inputs);
    EXPECT_EQ(rig.session->portIndex(), 4);
    EXPECT_EQ(DownloadSession::rememberedPortIndex(), 4);
    rig.panel();
    rig.session->download();
    EXPECT_EQ(rig.transport->events.front(), "open 5");
    rig.session->selectPort(0);
}

TEST(DownloadSession, ControlsDuringATransfer) {
    Project p(2);
    Rig rig(p.inputs);
    rig.panel();
    rig.session->download();
    rig.session->handleReplies();
    // Waiting for the panel after the handshake.
    ASSERT_TRUE(rig.clock.pending);
    DownloadControls busy{false, false, false, true, false, false};
    EXPECT_EQ(rig.session->controls(), busy);
    rig.run();
    EXPECT_EQ(rig.session->outcome(), DownloadOutcome::Finished);

    // Closing the window while a transfer waits: nothing is delivered afterwards.
    Rig closing(p.inputs);
    closing.panel();
    closing.session->download();
    closing.session->handleReplies();
    ASSERT_TRUE(closing.clock.pending);
    closing.session->cancel();
    closing.session.reset();
    EXPECT_FALSE(closing.clock.pending);
    EXPECT_FALSE(closing.transport == nullptr);
}

TEST(DownloadSession, DriverPathsFromTheBuild) {
    TempDir dir;
    std::string base = dir.path();
    std::system(("mkdir -p '" + base + "/Protocol120/comport1' '" + base + "/Protocol120/COMPORT_B'")
                    .c_str());
    dir.write("Protocol120/comport1/FX2N_1.bin", driverFile(2, {}));
    DownloadInputs in = DownloadInputs::forProject(base, 2, base + "/qelsoft.qel", "TR - D",
                                                   "FX2N", "Modbus");
    EXPECT_EQ(in.generation(), 2);
    EXPECT_EQ(in.typeA.com1, base + "/Protocol120/comport1/FX2N_1.bin");
    EXPECT_EQ(in.typeA.com2, base + "/Protocol120/comport2/Modbus_2.bin");
    // Found whatever the case of the directory on disk.
    EXPECT_EQ(in.typeB.com1, base + "/Protocol120/COMPORT_B/FX2N_1.bin");
    EXPECT_EQ(in.typeB.com2, base + "/Protocol120/COMPORT_B/Modbus_2.bin");
    EXPECT_EQ(DownloadInputs::forProject(base, 1, "", "", "a", "b").generation(), 1);
    EXPECT_EQ(DownloadInputs::forProject(base, 3, "", "", "a", "b").generation(), 1);
}
