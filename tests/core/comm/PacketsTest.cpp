#include "comm/Packets.h"

#include <gtest/gtest.h>

#include <vector>

using namespace dispcraft;
using Bytes = std::vector<uint8_t>;

template <size_t N>
Bytes bytes(const std::array<uint8_t, N>& a) {
    return Bytes(a.begin(), a.end());
}

TEST(Packets, HandshakesOfBothGenerations) {
    EXPECT_EQ(bytes(packets::gen1Handshake(false)), (Bytes{0x1B, 0x51, 0x51, 0x51, 0xF3}));
    // Not a sum: the system-program request ends in 0xF3 as well.
    EXPECT_EQ(bytes(packets::gen1Handshake(true)), (Bytes{0x1B, 0x51, 0x02, 0x51, 0xF3}));
    EXPECT_EQ(bytes(packets::gen2Handshake(false)), (Bytes{0x1B, 0x51, 0x51, 0xBD, 0x00, 0x0D}));
    EXPECT_EQ(bytes(packets::gen2Handshake(true)), (Bytes{0x1B, 0x51, 0x41, 0xAD, 0x00, 0x0D}));
}

TEST(Packets, DataPacketsCarrySumsAndZeroPadding) {
    Bytes data(32, 0xFF);
    auto p1 = packets::gen1Data(0x0102, data);
    EXPECT_EQ(p1[0], 0x1B);
    EXPECT_EQ(p1[1], 0x57);
    EXPECT_EQ(p1[2], 0x01);
    EXPECT_EQ(p1[3], 0x02);
    EXPECT_EQ(p1[36], 0);
    // 0x57 + 1 + 2 + 32 * 0xFF = 0x203A: low byte only.
    EXPECT_EQ(p1[37], 0x3A);

    Bytes shortData = {1, 2, 3};
    auto p2 = packets::gen2Data(packets::kWireImage, 0x0203, shortData);
    EXPECT_EQ(p2[2], 5);
    EXPECT_EQ(p2[3], 0x02);
    EXPECT_EQ(p2[4], 0x03);
    EXPECT_EQ(p2[5], 1);
    EXPECT_EQ(p2[7], 3);
    for (size_t i = 8; i < 133; ++i) {
        ASSERT_EQ(p2[i], 0) << i;
    }
    unsigned sum = 0x1B + 0x3E + 5 + 2 + 3 + 1 + 2 + 3;
    EXPECT_EQ(p2[133], sum & 0xFF);
    EXPECT_EQ(p2[134], sum >> 8);
    EXPECT_EQ(p2[135], 0x0D);

    // A sum past 0xFFFF keeps its low 16 bits in both bytes.
    Bytes full(128, 0xFF);
    auto p3 = packets::gen2Data(3, 0, full);
    unsigned big = 0x1B + 0x3E + 3 + 128 * 0xFF;
    EXPECT_EQ(p3[133] | (p3[134] << 8), big & 0xFFFF);
}

TEST(Packets, ClockRequest) {
    LocalTime t;
    t.year = 2008;
    t.month = 10;
    t.day = 10;
    t.hour = 9;
    t.minute = 5;
    t.weekday = 5;
    auto c = packets::gen2Clock(t);
    EXPECT_EQ(bytes(c), (Bytes{0x1B, 0x54, 0x05, 0x09, 0x10, 0x10, 0x05, 0x08,
                               static_cast<uint8_t>((0x1B + 0x54 + 0x05 + 0x09 + 0x10 + 0x10 + 5 +
                                                     8) & 0xFF),
                               0x00, 0x0D}));
    t.weekday = 7; // Sunday
    t.hour = 23;
    t.minute = 59;
    t.year = 2100;
    c = packets::gen2Clock(t);
    EXPECT_EQ(c[6], 7);
    EXPECT_EQ(c[3], 0x23);
    EXPECT_EQ(c[2], 0x59);
    EXPECT_EQ(c[7], 0x00);
    EXPECT_EQ(packets::fromBcd(0x59), 59);
    EXPECT_EQ(packets::fromBcd(0x5A), -1);
}

TEST(Packets, RepliesAndHeaders) {
    auto ok = packets::gen2DataReply(true, 5, 9, 0);
    EXPECT_TRUE(packets::gen2DataReplyAccepted(ok.data(), ok.size()));
    // Byte 7 is not examined, bytes 5 and 6 are.
    ok[7] = 0;
    EXPECT_TRUE(packets::gen2DataReplyAccepted(ok.data(), ok.size()));
    EXPECT_FALSE(packets::gen2DataReplyAccepted(ok.data(), 6));
    ok[5] ^= 1;
    EXPECT_FALSE(packets::gen2DataReplyAccepted(ok.data(), ok.size()));
    auto no = packets::gen2DataReply(false, 5, 9, 4);
    EXPECT_FALSE(packets::gen2DataReplyAccepted(no.data(), no.size()));
    EXPECT_EQ(no[4], 4);

    const uint8_t a[] = "QEL120xxxxxxxxxxx";
    const uint8_t b[] = "QEL121xxxxxxxxxxx";
    const uint8_t c[] = "QEL122xxxxxxxxxxx";
    const uint8_t d[] = "qel120xxxxxxxxxxx";
    EXPECT_EQ(packets::fileHeaderType(a, 17), 2);
    EXPECT_EQ(packets::fileHeaderType(b, 17), 3);
    EXPECT_EQ(packets::fileHeaderType(c, 17), 0);
    EXPECT_EQ(packets::fileHeaderType(d, 17), 0);
    EXPECT_EQ(packets::fileHeaderType(a, 5), 0);
}
