#include "comm/Packets.h"

#include <algorithm>
#include <cstring>

namespace dispcraft::packets {

std::array<uint8_t, kGen1HandshakeSize> gen1Handshake(bool systemProgram) {
    // The last byte is 0xF3 for both kinds: it is not a sum.
    return {kEsc, 0x51, static_cast<uint8_t>(systemProgram ? 0x02 : 0x51), 0x51, 0xF3};
}

uint8_t gen1Checksum(const uint8_t* packet) {
    unsigned sum = 0;
    for (size_t i = 1; i <= 36; ++i) {
        sum += packet[i];
    }
    return static_cast<uint8_t>(sum & 0xFF);
}

std::array<uint8_t, kGen1PacketSize> gen1Data(uint16_t block, std::span<const uint8_t> data) {
    std::array<uint8_t, kGen1PacketSize> p{};
    p[0] = kEsc;
    p[1] = 0x57;
    p[2] = static_cast<uint8_t>(block >> 8);
    p[3] = static_cast<uint8_t>(block & 0xFF);
    std::memcpy(p.data() + 4, data.data(), std::min(data.size(), kGen1DataSize));
    p[37] = gen1Checksum(p.data());
    return p;
}

uint16_t sum16(const uint8_t* bytes, size_t n) {
    unsigned sum = 0;
    for (size_t i = 0; i < n; ++i) {
        sum += bytes[i];
    }
    return static_cast<uint16_t>(sum & 0xFFFF);
}

uint8_t bcd(int value) { return static_cast<uint8_t>((value % 100 / 10) * 16 + value % 10); }

int fromBcd(uint8_t value) {
    int hi = value >> 4, lo = value & 0x0F;
    return hi > 9 || lo > 9 ? -1 : hi * 10 + lo;
}

std::array<uint8_t, kGen2HandshakeSize> gen2Handshake(bool systemProgram) {
    std::array<uint8_t, kGen2HandshakeSize> p = {kEsc, 0x51,
                                                 static_cast<uint8_t>(systemProgram ? 0x41 : 0x51)};
    uint16_t s = sum16(p.data(), 3);
    p[3] = static_cast<uint8_t>(s & 0xFF);
    p[4] = static_cast<uint8_t>(s >> 8);
    p[5] = kCr;
    return p;
}

std::array<uint8_t, kGen2PacketSize> gen2Data(uint8_t wireCode, uint16_t block,
                                              std::span<const uint8_t> data) {
    std::array<uint8_t, kGen2PacketSize> p{};
    p[0] = kEsc;
    p[1] = 0x3E;
    p[2] = wireCode;
    p[3] = static_cast<uint8_t>(block >> 8);
    p[4] = static_cast<uint8_t>(block & 0xFF);
    std::memcpy(p.data() + 5, data.data(), std::min(data.size(), kGen2DataSize));
    uint16_t s = sum16(p.data(), 133);
    p[133] = static_cast<uint8_t>(s & 0xFF);
    p[134] = static_cast<uint8_t>(s >> 8);
    p[135] = kCr;
    return p;
}

std::array<uint8_t, kGen2ClockSize> gen2Clock(const LocalTime& t) {
    std::array<uint8_t, kGen2ClockSize> p = {kEsc,
                                             0x54,
                                             bcd(t.minute),
                                             bcd(t.hour),
                                             bcd(t.day),
                                             bcd(t.month),
                                             static_cast<uint8_t>(t.weekday),
                                             bcd(t.year % 100)};
    uint16_t s = sum16(p.data(), 8);
    p[8] = static_cast<uint8_t>(s & 0xFF);
    p[9] = static_cast<uint8_t>(s >> 8);
    p[10] = kCr;
    return p;
}

std::array<uint8_t, kGen2DataReplySize> gen2DataReply(bool accept, uint8_t wireCode,
                                                      uint16_t block, uint8_t refusalCode) {
    std::array<uint8_t, kGen2DataReplySize> r = {
        kEsc, static_cast<uint8_t>(accept ? kAck : 0x4E), wireCode,
        static_cast<uint8_t>(block & 0xFF), static_cast<uint8_t>(accept ? 0x01 : refusalCode)};
    uint16_t s = sum16(r.data(), 5);
    r[5] = static_cast<uint8_t>(s & 0xFF);
    r[6] = static_cast<uint8_t>(s >> 8);
    r[7] = kCr;
    return r;
}

bool gen2DataReplyAccepted(const uint8_t* reply, size_t count) {
    if (count < 7 || reply[0] != kEsc || reply[1] != kAck || reply[4] != 0x01) {
        return false;
    }
    uint16_t s = sum16(reply, 5);
    return reply[5] == (s & 0xFF) && reply[6] == (s >> 8);
}

int fileHeaderType(const uint8_t* header, size_t count) {
    if (count < 6 || std::memcmp(header, "QEL12", 5) != 0) {
        return 0;
    }
    return header[5] == '0' ? 2 : header[5] == '1' ? 3 : 0;
}

} // namespace dispcraft::packets
