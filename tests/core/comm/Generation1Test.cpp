#include "CommFakes.h"

#include "comm/Packets.h"

#include <gtest/gtest.h>

using namespace dispcraft;
using namespace dispcraft::test;

namespace {

DownloadInputs gen1Inputs(const std::string& image) {
    DownloadInputs in;
    in.cpuId = 1;
    in.imagePath = image;
    return in;
}

Bytes systemProgram(size_t length, bool marker) {
    Bytes b = pattern(length);
    if (marker && length >= 24576 + 13) {
        const char m[] = "QEL........02";
        std::copy(m, m + 13, b.begin() + 24576);
    }
    return b;
}

} // namespace

TEST(Generation1, ProjectOf64BytesEndsWithAZeroBlockAndTheEndRequest) {
    TempDir dir;
    Bytes image = pattern(64);
    Rig rig(gen1Inputs(dir.write("qelsoft.qel", image)));
    VirtualPanel& panel = rig.panel();
    rig.session->download();
    EXPECT_TRUE(rig.session->transferring());
    EXPECT_EQ(rig.transport->lastSettings.baud, 19200);
    EXPECT_EQ(rig.transport->lastSettings.byteSize, 8);
    EXPECT_EQ(rig.transport->lastSettings.parity, 0);
    EXPECT_EQ(rig.transport->lastSettings.stopBits, 0);
    rig.run();

    EXPECT_EQ(rig.session->outcome(), DownloadOutcome::Finished);
    EXPECT_FALSE(rig.session->transferring());
    EXPECT_EQ(rig.clock.timers, std::vector<int>{2000});
    auto data = rig.transport->dataPackets();
    ASSERT_EQ(data.size(), 3u);
    EXPECT_EQ(Bytes(data[0].begin() + 4, data[0].begin() + 36), Bytes(image.begin(), image.begin() + 32));
    EXPECT_EQ(Bytes(data[1].begin() + 4, data[1].begin() + 36), Bytes(image.begin() + 32, image.end()));
    EXPECT_EQ(Bytes(data[2].begin() + 4, data[2].begin() + 36), Bytes(32, 0));
    EXPECT_EQ(data[2][3], 2);
    EXPECT_EQ(rig.transport->writes.back(), (Bytes{0x1B, 0x4F, 0x00, 0x00, 0x4F}));
    EXPECT_EQ(rig.transport->writes.front(), (Bytes{0x1B, 0x51, 0x51, 0x51, 0xF3}));
    EXPECT_TRUE(panel.ended());

    EXPECT_EQ(rig.logIds(), (std::vector<int>{61494, 61458, 61459, 61479, 61471}));
    EXPECT_EQ(rig.session->log()[0].args, (std::vector<std::string>{"\r", "\n"}));
    EXPECT_EQ(rig.session->progressMax(), 64);
    EXPECT_EQ(rig.session->progressPosition(), 64);
    // RTS pulsed before the handshake, off after it, pulsed again before closing.
    EXPECT_EQ(rig.transport->events,
              (std::vector<std::string>{"open 1", "timeouts 100", "close", "open 1",
                                        "timeouts 100", "rts on", "rts off", "rts off",
                                        "timeouts 1000", "rts on", "rts off", "close"}));
    EXPECT_TRUE(rig.sink.shown().empty());
    EXPECT_FALSE(rig.session->controls().clockBox);
}

TEST(Generation1, HandshakeIsTriedElevenTimes) {
    TempDir dir;
    Rig rig(gen1Inputs(dir.write("qelsoft.qel", pattern(10))));
    rig.transport->responder = [](const Bytes&) { return Bytes{0x1B, 0x41, 0x51}; }; // short
    rig.session->download();
    rig.run();
    EXPECT_EQ(rig.transport->writes.size(), 11u);
    EXPECT_EQ(rig.session->outcome(), DownloadOutcome::Failed);
    EXPECT_EQ(rig.logIds().back(), 61462);
    EXPECT_EQ(rig.logIds()[1], 61460);
    EXPECT_EQ(rig.logIds()[2], 61461);
    EXPECT_FALSE(rig.transport->isOpen());
    EXPECT_TRUE(rig.session->controls().download);

    // Ten silent handshakes and the eleventh answered still go through.
    Rig late(gen1Inputs(rig.session->inputs().imagePath));
    PanelFaults f;
    f.silentHandshakes = 10;
    late.panel(f);
    late.session->download();
    late.run();
    EXPECT_EQ(late.session->outcome(), DownloadOutcome::Finished);
}

TEST(Generation1, NoAnswerAndRefusalLimits) {
    TempDir dir;
    std::string image = dir.write("qelsoft.qel", pattern(100));
    {
        Rig rig(gen1Inputs(image));
        PanelFaults f;
        f.garbageReplies = 3;
        rig.panel(f);
        rig.session->download();
        rig.run();
        EXPECT_EQ(rig.session->outcome(), DownloadOutcome::Failed);
        EXPECT_EQ(rig.shownIds(), std::vector<int>{63002});
        EXPECT_EQ(rig.transport->dataPackets().size(), 3u);
    }
    {
        Rig rig(gen1Inputs(image));
        PanelFaults f;
        f.garbageReplies = 2;
        f.refusePacket = 2;
        f.refuseTimes = 4;
        VirtualPanel& panel = rig.panel(f);
        rig.session->download();
        rig.run();
        EXPECT_EQ(rig.session->outcome(), DownloadOutcome::Finished);
        EXPECT_EQ(rig.countLog(63005), 4);
        Bytes expect = pattern(100);
        expect.resize(128 + 32, 0);
        EXPECT_EQ(panel.files().at(VirtualPanel::FileKind::Image), expect);
    }
    {
        Rig rig(gen1Inputs(image));
        PanelFaults f;
        f.refusePacket = 1;
        f.refuseTimes = 5;
        rig.panel(f);
        rig.session->download();
        rig.run();
        EXPECT_EQ(rig.session->outcome(), DownloadOutcome::Failed);
        EXPECT_EQ(rig.shownIds(), std::vector<int>{61468});
        EXPECT_EQ(rig.transport->dataPackets().size(), 1u + 5u);
    }
}

TEST(Generation1, LineNoiseIsRepairedByResending) {
    TempDir dir;
    Bytes image = pattern(300, 9);
    Rig rig(gen1Inputs(dir.write("qelsoft.qel", image)));
    PanelFaults f;
    f.corruptPacket = 3;
    f.corruptReply = 5;
    VirtualPanel& panel = rig.panel(f);
    rig.session->download();
    rig.run();
    EXPECT_EQ(rig.session->outcome(), DownloadOutcome::Finished);
    image.resize(320 + 32, 0);
    EXPECT_EQ(panel.files().at(VirtualPanel::FileKind::Image), image);
}

TEST(Generation1, SystemProgramChecksAndTransfer) {
    TempDir dir;
    {
        Rig rig(gen1Inputs(""));
        std::string p = dir.write("short.bin", systemProgram(24575, false));
        rig.session->downloadSystemProgram([&](const Message&) { return p; });
        ASSERT_EQ(rig.sink.asked().size(), 3u);
        EXPECT_EQ(rig.sink.asked()[0].id, 61489);
        EXPECT_EQ(rig.sink.asked()[1], Message::string(61492, {p}));
        EXPECT_EQ(rig.sink.asked()[2].id, 61485);
        EXPECT_FALSE(rig.session->transferring());
    }
    {
        Rig rig(gen1Inputs(""));
        std::string p = dir.write("nomark.bin", systemProgram(30000, false));
        rig.session->downloadSystemProgram([&](const Message&) { return p; });
        EXPECT_EQ(rig.shownIds(), std::vector<int>{61493});
        // Exactly 24,576 bytes: the marker cannot be read.
        std::string q = dir.write("exact.bin", systemProgram(24576, false));
        rig.session->downloadSystemProgram([&](const Message&) { return q; });
        EXPECT_EQ(rig.shownIds(), (std::vector<int>{61493, 61493}));
    }
    {
        Rig rig(gen1Inputs(""));
        rig.sink.script({Answer::Cancel});
        bool chose = false;
        rig.session->downloadSystemProgram([&](const Message&) {
            chose = true;
            return std::optional<std::string>();
        });
        EXPECT_FALSE(chose);
        rig.session->downloadSystemProgram([&](const Message& filter) {
            EXPECT_EQ(filter.id, 61491);
            return std::optional<std::string>();
        });
        EXPECT_EQ(rig.sink.asked().size(), 2u);
    }
    {
        Rig rig(gen1Inputs(""));
        Bytes prog = systemProgram(26000, true);
        std::string p = dir.write("good.bin", prog);
        VirtualPanel& panel = rig.panel();
        rig.session->downloadSystemProgram([&](const Message&) { return p; });
        EXPECT_FALSE(rig.session->controls().stop);
        EXPECT_FALSE(rig.session->controls().cancel);
        EXPECT_EQ(rig.session->statusText(), Message::text(p));
        rig.run();
        EXPECT_EQ(rig.session->outcome(), DownloadOutcome::Finished);
        EXPECT_EQ(rig.transport->writes.front(), (Bytes{0x1B, 0x51, 0x02, 0x51, 0xF3}));
        EXPECT_EQ(rig.clock.timers, std::vector<int>{5000});
        EXPECT_EQ(rig.transport->dataPackets().size(), 768u);
        EXPECT_EQ(panel.files().at(VirtualPanel::FileKind::SystemProgram),
                  Bytes(prog.begin(), prog.begin() + 24576));
        EXPECT_EQ(rig.logIds()[3], 61478);
        EXPECT_EQ(rig.session->progressMax(), 24576);
        EXPECT_FALSE(rig.session->controls().stop); // nothing runs any more
        EXPECT_TRUE(rig.session->controls().cancel);
    }
}

TEST(Generation1, ImageGoneDuringTransfer) {
    TempDir dir;
    std::string image = dir.write("qelsoft.qel", pattern(200));
    Rig rig(gen1Inputs(image));
    VirtualPanel& panel = rig.panel();
    rig.transport->responder = [&](const Bytes& w) {
        if (w[1] == 0x57 && w[3] == 2) {
            std::remove(image.c_str());
        }
        return panel.receive(w.data(), w.size());
    };
    rig.session->download();
    rig.run();
    EXPECT_EQ(rig.session->outcome(), DownloadOutcome::Failed);
    EXPECT_EQ(rig.shownIds(), std::vector<int>{61482});
    EXPECT_FALSE(rig.transport->isOpen());
}
