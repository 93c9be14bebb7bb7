#include "sim/SimulatedPlc.h"

#include "forms/AddressRules.h"
#include "sim/SimMessages.h"

#include <cctype>
#include <sstream>
#include <strings.h>
#include <vector>

namespace dispcraft {

namespace {

std::string upper(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return out;
}

// The index of a name in an area table: an exact match first, else one that differs only in
// case; -1 when there is none.
int findArea(const AreaTable& table, std::string_view name) {
    const std::vector<std::string> names = table.names();
    for (size_t i = 0; i < names.size(); ++i) {
        if (names[i] == name) {
            return static_cast<int>(i);
        }
    }
    for (size_t i = 0; i < names.size(); ++i) {
        if (names[i].size() == name.size() && strncasecmp(names[i].c_str(), name.data(), name.size()) == 0) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

} // namespace

uint64_t SimulatedPlc::key(int port, int area, uint32_t address, int bitNumber) {
    return (static_cast<uint64_t>(port & 1) << 40) | (static_cast<uint64_t>(area & 0xF) << 36) |
           (static_cast<uint64_t>(address) << 4) | static_cast<uint64_t>(bitNumber & 0xF);
}

uint16_t SimulatedPlc::word(int port, int area, uint32_t address) const {
    auto it = m_words.find(key(port, area, address, 0));
    return it == m_words.end() ? 0 : it->second;
}

bool SimulatedPlc::bit(int port, int area, uint32_t address, int bitNumber) const {
    auto it = m_bits.find(key(port, area, address, bitNumber));
    return it != m_bits.end() && it->second != 0;
}

void SimulatedPlc::setWord(int port, int area, uint32_t address, uint16_t value) {
    uint16_t& w = m_words[key(port, area, address, 0)];
    if (w != value) {
        w = value;
        ++m_revision;
    }
}

void SimulatedPlc::setBit(int port, int area, uint32_t address, int bitNumber, bool on) {
    uint8_t& b = m_bits[key(port, area, address, bitNumber)];
    if (b != (on ? 1 : 0)) {
        b = on ? 1 : 0;
        ++m_revision;
    }
}

uint16_t SimulatedPlc::read(const PlcLocation& at) const {
    switch (at.kind) {
    case PlcLocation::Kind::Word: return word(at.port, at.area, at.address);
    case PlcLocation::Kind::Bit: return bit(at.port, at.area, at.address, at.bit) ? 1 : 0;
    case PlcLocation::Kind::WordBit: return (word(at.port, at.area, at.address) >> (at.bit & 15)) & 1;
    }
    return 0;
}

void SimulatedPlc::write(const PlcLocation& at, uint16_t value) {
    switch (at.kind) {
    case PlcLocation::Kind::Word: setWord(at.port, at.area, at.address, value); break;
    case PlcLocation::Kind::Bit: setBit(at.port, at.area, at.address, at.bit, value != 0); break;
    case PlcLocation::Kind::WordBit: {
        const uint16_t mask = static_cast<uint16_t>(1u << (at.bit & 15));
        const uint16_t w = word(at.port, at.area, at.address);
        setWord(at.port, at.area, at.address, static_cast<uint16_t>(value ? (w | mask) : (w & ~mask)));
        break;
    }
    }
}

void SimulatedPlc::clear() {
    if (!m_words.empty() || !m_bits.empty()) {
        ++m_revision;
    }
    m_words.clear();
    m_bits.clear();
}

SimulatedPlc::Located SimulatedPlc::locate(std::string_view portText, std::string_view areaText,
                                           std::string_view addressText,
                                           std::optional<std::string_view> bitText) const {
    Located out;
    const std::string portName = upper(portText);
    int p = -1;
    if (portName == "COM1") {
        p = 0;
    } else if (portName == "COM2") {
        p = 1;
    } else {
        out.error = Message::string(simmsg::kUnknownPort, {std::string(portText)});
        return out;
    }
    if (!m_ports[static_cast<size_t>(p)].present) {
        out.error = p == 1 ? Message::string(simmsg::kNoCom2)
                           : Message::string(simmsg::kUnknownArea, {portName, std::string(areaText)});
        return out;
    }
    const PlcPortAreas& areas = m_ports[static_cast<size_t>(p)].areas;
    const int wordArea = findArea(areas.wordAreas, areaText);
    const int bitArea = findArea(areas.bitAreas, areaText);
    PlcLocation at;
    at.port = p;
    if (bitText ? bitArea >= 0 : wordArea < 0) {
        at.kind = PlcLocation::Kind::Bit;
        at.area = bitArea;
    } else {
        at.kind = bitText ? PlcLocation::Kind::WordBit : PlcLocation::Kind::Word;
        at.area = wordArea;
    }
    if (at.area < 0) {
        out.error = Message::string(simmsg::kUnknownArea, {portName, std::string(areaText)});
        return out;
    }
    const AreaTable& table = at.kind == PlcLocation::Kind::Bit ? areas.bitAreas : areas.wordAreas;
    const std::string range = table.range(at.area);
    const std::string format = table.format(at.area);
    std::string text = upper(addressText);
    bool digits = !text.empty() && text.size() <= 6;
    for (char c : text) {
        digits = digits && std::isxdigit(static_cast<unsigned char>(c));
    }
    text = padAddress(text, 4);
    if (!digits || !ValidateAddress(text, range, format)) {
        out.error = Message::string(simmsg::kBadAddress,
                                    {std::string(addressText), std::string(areaText), range, format});
        return out;
    }
    const int number = AddressToNumber(text, format);
    if (number < 0) {
        out.error = Message::string(simmsg::kBadAddress,
                                    {std::string(addressText), std::string(areaText), range, format});
        return out;
    }
    at.address = static_cast<uint32_t>(number);
    if (bitText) {
        const std::string b(*bitText);
        const bool decimal = !b.empty() && b.size() <= 2 &&
                             std::isdigit(static_cast<unsigned char>(b[0])) &&
                             (b.size() == 1 || std::isdigit(static_cast<unsigned char>(b[1])));
        if (!decimal || std::stoi(b) > 15) {
            out.error = Message::string(simmsg::kBadBitNumber, {b});
            return out;
        }
        at.bit = std::stoi(b);
    }
    out.location = at;
    return out;
}

SimulatedPlc::Located SimulatedPlc::locate(std::string_view text) const {
    std::istringstream in{std::string(text)};
    std::string port, area, address, extra;
    if (!(in >> port >> area >> address) || (in >> extra)) {
        Located out;
        out.error = Message::string(simmsg::kAddressForm);
        return out;
    }
    const size_t dot = address.find('.');
    if (dot == std::string::npos) {
        return locate(port, area, address, std::nullopt);
    }
    return locate(port, area, std::string_view(address).substr(0, dot),
                  std::string_view(address).substr(dot + 1));
}

std::string SimulatedPlc::areaName(const PlcLocation& at) const {
    const PlcPortAreas& areas = m_ports[at.port == 1 ? 1 : 0].areas;
    const AreaTable& table = at.kind == PlcLocation::Kind::Bit ? areas.bitAreas : areas.wordAreas;
    const std::vector<std::string> names = table.names();
    return at.area >= 0 && static_cast<size_t>(at.area) < names.size() ? names[static_cast<size_t>(at.area)]
                                                                        : "?";
}

std::string SimulatedPlc::describe(const PlcLocation& at) const {
    const PlcPortAreas& areas = m_ports[at.port == 1 ? 1 : 0].areas;
    const AreaTable& table = at.kind == PlcLocation::Kind::Bit ? areas.bitAreas : areas.wordAreas;
    std::string address = NumberToAddress(at.address, table.format(at.area));
    if (address.empty()) {
        address = std::to_string(at.address);
    }
    std::string s = std::string(at.port == 1 ? "COM2 " : "COM1 ") + areaName(at) + " " + address;
    if (at.kind != PlcLocation::Kind::Word) {
        s += "." + std::to_string(at.bit);
    }
    return s;
}

} // namespace dispcraft
