#include "comm/VirtualPanel.h"

#include "comm/Packets.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace dispcraft {

namespace {

constexpr uint8_t kNak = 0x4E; // 'N'

uint16_t u16At(const std::vector<uint8_t>& b, size_t at) {
    return at + 2 <= b.size() ? static_cast<uint16_t>(b[at] | (b[at + 1] << 8)) : 0;
}

} // namespace

VirtualPanel::VirtualPanel(PanelFaults faults) : m_faults(faults) {}

const char* VirtualPanel::fileName(FileKind kind) {
    switch (kind) {
    case FileKind::Image:
        return "image.qel";
    case FileKind::SystemProgram:
        return "system.bin";
    case FileKind::Com1Driver:
        return "com1_driver.bin";
    case FileKind::Com2Driver:
        return "com2_driver.bin";
    }
    return "unknown.bin";
}

std::vector<uint8_t> VirtualPanel::receive(const uint8_t* data, size_t n) {
    m_in.insert(m_in.end(), data, data + n);
    std::vector<uint8_t> out;
    for (;;) {
        // Anything before an ESC is line noise.
        auto esc = std::find(m_in.begin(), m_in.end(), packets::kEsc);
        m_in.erase(m_in.begin(), esc);
        if (m_in.size() < 2) {
            break;
        }
        size_t size = 0;
        switch (m_in[1]) {
        case 0x51: // 'Q': the generations differ from byte 3 on
            if (m_in.size() < 4) {
                return out;
            }
            size = m_in[3] == 0x51 ? packets::kGen1HandshakeSize : packets::kGen2HandshakeSize;
            break;
        case 0x57:
            size = packets::kGen1PacketSize;
            break;
        case 0x4F:
            size = packets::kGen1EndSize;
            break;
        case 0x3E:
            size = packets::kGen2PacketSize;
            break;
        case 0x54:
            size = packets::kGen2ClockSize;
            break;
        default:
            m_in.erase(m_in.begin());
            continue;
        }
        if (m_in.size() < size) {
            break;
        }
        std::vector<uint8_t> p(m_in.begin(), m_in.begin() + static_cast<long>(size));
        m_in.erase(m_in.begin(), m_in.begin() + static_cast<long>(size));
        std::vector<uint8_t> reply;
        switch (p[1]) {
        case 0x51:
            reply = size == packets::kGen1HandshakeSize ? onHandshake1(p.data())
                                                        : onHandshake2(p.data());
            break;
        case 0x57:
            reply = onData1(std::move(p));
            break;
        case 0x4F:
            reply = onEnd();
            break;
        case 0x3E:
            reply = onData2(std::move(p));
            break;
        case 0x54:
            reply = onClock(p.data());
            break;
        }
        out.insert(out.end(), reply.begin(), reply.end());
    }
    return out;
}

void VirtualPanel::startTransfer(int generation, bool systemProgram) {
    m_generation = generation;
    m_systemProgram = systemProgram;
    m_handshaken = true;
    m_ended = false;
    m_packets = 0;
    m_refused = 0;
    m_garbage = 0;
    m_clockRefused = 0;
    m_corruptedPacket = m_corruptedReply = false;
    m_wire = -1;
    m_nextBlock = 0;
    m_files.clear();
    m_clock.reset();
    if (m_startListener) {
        m_startListener();
    }
}

std::vector<uint8_t> VirtualPanel::onHandshake1(const uint8_t* p) {
    if (m_faults.generation == 2) {
        return {};
    }
    bool project = std::equal(p, p + 5, packets::gen1Handshake(false).begin());
    bool system = std::equal(p, p + 5, packets::gen1Handshake(true).begin());
    if ((!project && !system) || m_handshakes++ < m_faults.silentHandshakes) {
        return {};
    }
    startTransfer(1, system);
    return {0x1B, 0x41, 0x51, 0x41, 0xD3};
}

std::vector<uint8_t> VirtualPanel::onHandshake2(const uint8_t* p) {
    if (m_faults.generation == 1) {
        return {};
    }
    bool project = std::equal(p, p + 6, packets::gen2Handshake(false).begin());
    bool system = std::equal(p, p + 6, packets::gen2Handshake(true).begin());
    if ((!project && !system) || m_handshakes++ < m_faults.silentHandshakes) {
        return {};
    }
    startTransfer(2, system);
    const auto& r = m_faults.typeB ? packets::kGen2ReplyTypeB : packets::kGen2ReplyTypeA;
    return {r.begin(), r.end()};
}

bool VirtualPanel::refuseNow() {
    if (m_packets == m_faults.refusePacket && m_refused < m_faults.refuseTimes) {
        ++m_refused;
        return true;
    }
    return false;
}

std::vector<uint8_t> VirtualPanel::onData1(std::vector<uint8_t> p) {
    auto reply = [&](bool accept, uint8_t code) {
        return std::vector<uint8_t>{packets::kEsc, accept ? packets::kAck : kNak, p[2], p[3],
                                    accept ? uint8_t{0} : code};
    };
    if (m_generation != 1 || !m_handshaken) {
        return reply(false, kRefuseOrder);
    }
    if (m_garbage < m_faults.garbageReplies) {
        ++m_garbage;
        return {0x00, 0x41, p[2], p[3], 0x00};
    }
    int block = (p[2] << 8) | p[3];
    bool next = block == m_nextBlock;
    if (!next && block != m_nextBlock - 1) {
        return reply(false, kRefuseOrder);
    }
    // Faults hit the packet of their number, not a packet sent again.
    if (next && m_packets == m_faults.corruptPacket && !m_corruptedPacket) {
        m_corruptedPacket = true;
        p[10] ^= 0x5A;
    }
    if (p[37] != packets::gen1Checksum(p.data())) {
        return reply(false, kRefuseSum);
    }
    if (next && refuseNow()) {
        return reply(false, kRefuseAsked);
    }
    FileKind kind = m_systemProgram ? FileKind::SystemProgram : FileKind::Image;
    store(kind, static_cast<size_t>(block) * packets::kGen1DataSize, p.data() + 4,
          packets::kGen1DataSize);
    std::vector<uint8_t> r = reply(true, 0);
    if (next) {
        if (m_packets == m_faults.corruptReply && !m_corruptedReply) {
            m_corruptedReply = true;
            r[1] = 0x61;
        }
        ++m_nextBlock;
        ++m_packets;
    }
    return r;
}

std::vector<uint8_t> VirtualPanel::onEnd() {
    if (m_generation == 1 && m_handshaken) {
        m_ended = true;
        m_handshaken = false;
    }
    return {packets::kEsc, packets::kAck, 0x4F, 0x00, 0x00};
}

std::vector<uint8_t> VirtualPanel::onData2(std::vector<uint8_t> p) {
    uint8_t wire = p[2];
    int block = (p[3] << 8) | p[4];
    auto refuse = [&](uint8_t code) {
        auto r = packets::gen2DataReply(false, wire, static_cast<uint16_t>(block), code);
        return std::vector<uint8_t>(r.begin(), r.end());
    };
    if (m_generation != 2 || !m_handshaken) {
        return refuse(kRefuseOrder);
    }
    if (m_garbage < m_faults.garbageReplies) {
        ++m_garbage;
        return std::vector<uint8_t>(packets::kGen2DataReplySize, 0x00);
    }
    FileKind kind;
    switch (wire) {
    case packets::kWireCom1Driver:
        kind = FileKind::Com1Driver;
        break;
    case packets::kWireCom2Driver:
        kind = FileKind::Com2Driver;
        break;
    case packets::kWireImage:
        kind = FileKind::Image;
        break;
    case packets::kWireSystemProgram:
        kind = FileKind::SystemProgram;
        break;
    default:
        return refuse(kRefuseOrder);
    }
    if ((kind == FileKind::SystemProgram) != m_systemProgram) {
        return refuse(kRefuseOrder);
    }
    bool next;
    if (wire != m_wire) {
        // A new file starts at block 0 and follows the one before in order.
        if (block != 0 || wire < m_wire) {
            return refuse(kRefuseOrder);
        }
        next = true;
    } else if (block == m_nextBlock) {
        next = true;
    } else if (block == m_nextBlock - 1) {
        next = false; // sent again: our answer was lost
    } else {
        return refuse(kRefuseOrder);
    }
    // Faults hit the packet of their number, not a packet sent again.
    if (next && m_packets == m_faults.corruptPacket && !m_corruptedPacket) {
        m_corruptedPacket = true;
        p[40] ^= 0x5A;
    }
    uint16_t sum = packets::sum16(p.data(), 133);
    if (p[135] != packets::kCr || p[133] != (sum & 0xFF) || p[134] != (sum >> 8)) {
        return refuse(kRefuseSum);
    }
    if (next && refuseNow()) {
        return refuse(kRefuseAsked);
    }
    if (next) {
        if (wire != m_wire) {
            m_wire = wire;
            m_nextBlock = 0;
        }
        ++m_nextBlock;
    }
    store(kind, static_cast<size_t>(block) * packets::kGen2DataSize, p.data() + 5,
          packets::kGen2DataSize);
    auto r = packets::gen2DataReply(true, wire, static_cast<uint16_t>(block), 0);
    if (next) {
        if (m_packets == m_faults.corruptReply && !m_corruptedReply) {
            m_corruptedReply = true;
            r[5] ^= 0xFF;
        }
        ++m_packets;
    }
    return {r.begin(), r.end()};
}

std::vector<uint8_t> VirtualPanel::onClock(const uint8_t* p) {
    std::vector<uint8_t> refusal = {packets::kEsc, kNak, 0x00, 0x69, 0x00, packets::kCr};
    uint16_t sum = packets::sum16(p, 8);
    if (m_generation != 2 || p[10] != packets::kCr || p[8] != (sum & 0xFF) || p[9] != (sum >> 8)) {
        return refusal;
    }
    LocalTime t;
    t.minute = packets::fromBcd(p[2]);
    t.hour = packets::fromBcd(p[3]);
    t.day = packets::fromBcd(p[4]);
    t.month = packets::fromBcd(p[5]);
    t.weekday = p[6];
    t.year = packets::fromBcd(p[7]);
    if (t.minute < 0 || t.minute > 59 || t.hour < 0 || t.hour > 23 || t.day < 1 || t.day > 31 ||
        t.month < 1 || t.month > 12 || t.weekday < 1 || t.weekday > 7 || t.year < 0) {
        return refusal;
    }
    if (m_clockRefused < m_faults.refuseClock) {
        ++m_clockRefused;
        return refusal;
    }
    t.year += 2000;
    m_clock = t;
    std::vector<uint8_t> r = {packets::kEsc, packets::kAck, 0x01};
    uint16_t s = packets::sum16(r.data(), 3);
    r.push_back(static_cast<uint8_t>(s & 0xFF));
    r.push_back(static_cast<uint8_t>(s >> 8));
    r.push_back(packets::kCr);
    return r;
}

void VirtualPanel::store(FileKind kind, size_t offset, const uint8_t* data, size_t n) {
    std::vector<uint8_t>& f = m_files[kind];
    if (f.size() < offset + n) {
        f.resize(offset + n, 0);
    }
    std::memcpy(f.data() + offset, data, n);
    if (m_storeListener) {
        m_storeListener(kind, offset, std::vector<uint8_t>(data, data + n));
    }
}

std::vector<std::string> VirtualPanel::summary() const {
    std::vector<std::string> lines;
    char buf[200];
    std::snprintf(buf, sizeof buf, "generation %d%s, %s, %d data packets", m_generation,
                  m_generation == 2 ? (m_faults.typeB ? " type B" : " type A") : "",
                  m_systemProgram ? "system program" : "project", m_packets);
    lines.emplace_back(buf);
    for (const auto& [kind, data] : m_files) {
        std::snprintf(buf, sizeof buf, "%s: %zu bytes", fileName(kind), data.size());
        std::string line = buf;
        if (kind == FileKind::Image) {
            // Generation 1 images of one-port models start with 4096 bytes of the link driver.
            size_t base = u16At(data, 0) == 51 || u16At(data, 0) == 3 ? 0 : 4096;
            if (data.size() >= base + 560 && (u16At(data, base) == 51 || u16At(data, base) == 3)) {
                int screens = 0;
                for (size_t s = 1; s <= 199; ++s) {
                    screens += u16At(data, base + 40 + 2 * s) != 0;
                }
                int single = data[base + 14] - 1;
                int glyphBytes = u16At(data, base + 10) - u16At(data, base + 8);
                int pairs = (glyphBytes - 16 * data[base + 14]) / 32;
                std::snprintf(buf, sizeof buf,
                              ", %d screens, %d single-byte and %d double-byte glyphs", screens,
                              std::max(single, 0), std::max(pairs, 0));
                line += buf;
            }
        }
        lines.push_back(line);
    }
    if (m_clock) {
        std::snprintf(buf, sizeof buf, "clock: %04d-%02d-%02d %02d:%02d, weekday %d", m_clock->year,
                      m_clock->month, m_clock->day, m_clock->hour, m_clock->minute,
                      m_clock->weekday);
        lines.emplace_back(buf);
    }
    return lines;
}

} // namespace dispcraft
