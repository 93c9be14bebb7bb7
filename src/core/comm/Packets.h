#pragma once

#include "comm/Clock.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace dispcraft::packets {

// The wire formats of both download generations, shared by the PC side and the virtual panel.
constexpr uint8_t kEsc = 0x1B;
constexpr uint8_t kCr = 0x0D;
constexpr uint8_t kAck = 0x41; // 'A'

// Generation 1: 32 data bytes per packet, 8-bit checksum.
constexpr size_t kGen1HandshakeSize = 5;
constexpr size_t kGen1ReplySize = 5;
constexpr size_t kGen1DataSize = 32;
constexpr size_t kGen1PacketSize = 38;
constexpr size_t kGen1EndSize = 5;
constexpr int kGen1SystemBlocks = 768; // a system program is its first 24,576 bytes
constexpr size_t kGen1SystemLength = kGen1DataSize * kGen1SystemBlocks;
constexpr std::array<uint8_t, 4> kGen1HandshakeAccept = {0x1B, 0x41, 0x51, 0x41};
constexpr std::array<uint8_t, 5> kGen1End = {0x1B, 0x4F, 0x00, 0x00, 0x4F};

std::array<uint8_t, kGen1HandshakeSize> gen1Handshake(bool systemProgram);
// data may be shorter than 32 bytes: the rest is 0.
std::array<uint8_t, kGen1PacketSize> gen1Data(uint16_t block, std::span<const uint8_t> data);
uint8_t gen1Checksum(const uint8_t* packet); // low byte of the sum of bytes 1..36

// Generation 2: 128 data bytes per packet, 16-bit sum, CR terminator.
constexpr size_t kGen2HandshakeSize = 6;
constexpr size_t kGen2DataSize = 128;
constexpr size_t kGen2PacketSize = 136;
constexpr size_t kGen2DataReplySize = 8;
constexpr size_t kGen2ClockSize = 11;
constexpr size_t kGen2ClockReplySize = 6;
constexpr std::array<uint8_t, 6> kGen2ReplyTypeA = {0x1B, 0x41, 0x51, 0xAD, 0x00, 0x0D};
constexpr std::array<uint8_t, 6> kGen2ReplyTypeB = {0x1B, 0x42, 0x51, 0xAE, 0x00, 0x0D};
constexpr size_t kFileHeaderSize = 17;

// Wire codes of the files a generation-2 data packet carries.
constexpr uint8_t kWireSystemProgram = 7;
constexpr uint8_t kWireCom1Driver = 3;
constexpr uint8_t kWireCom2Driver = 4;
constexpr uint8_t kWireImage = 5;

uint16_t sum16(const uint8_t* bytes, size_t n);
uint8_t bcd(int value);
int fromBcd(uint8_t value); // -1 when not a valid BCD byte

std::array<uint8_t, kGen2HandshakeSize> gen2Handshake(bool systemProgram);
std::array<uint8_t, kGen2PacketSize> gen2Data(uint8_t wireCode, uint16_t block,
                                              std::span<const uint8_t> data);
std::array<uint8_t, kGen2ClockSize> gen2Clock(const LocalTime& t);
// The data reply a panel sends: byte 4 is 1 when it accepts, else its refusal code.
std::array<uint8_t, kGen2DataReplySize> gen2DataReply(bool accept, uint8_t wireCode,
                                                      uint16_t block, uint8_t refusalCode);
bool gen2DataReplyAccepted(const uint8_t* reply, size_t count);

// The type of a 17-byte file header: 2 for "QEL120", 3 for "QEL121", 0 otherwise.
int fileHeaderType(const uint8_t* header, size_t count);

} // namespace dispcraft::packets
