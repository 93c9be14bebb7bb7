#pragma once

#include "base/Message.h"
#include "forms/AreaTable.h"
#include "objects/PlcValues.h"
#include "sim/PlcLocation.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace dispcraft {

// The PLCs on the panel's two ports as the simulator keeps them: every word of every word area
// and every bit of every bit area of each port's protocol file, all 0 until written. Addresses
// are written and read as the address keypad and its rules have them.
class SimulatedPlc : public PlcValues {
public:
    struct Port {
        bool present = false;
        std::string protocol; // its name, for telling whether a rebuilt project kept it
        PlcPortAreas areas;
    };

    SimulatedPlc() = default;
    explicit SimulatedPlc(std::array<Port, 2> ports) : m_ports(std::move(ports)) {}

    const Port& port(int p) const { return m_ports[p == 1 ? 1 : 0]; }

    uint16_t word(int port, int area, uint32_t address) const override;
    bool bit(int port, int area, uint32_t address, int bitNumber) const override;
    void setWord(int port, int area, uint32_t address, uint16_t value);
    void setBit(int port, int area, uint32_t address, int bitNumber, bool on);

    // A location's value: the word, or 0 / 1.
    uint16_t read(const PlcLocation& at) const;
    void write(const PlcLocation& at, uint16_t value);

    // Forgets every value.
    void clear();
    // Grows with every write that changes a value, so a view can tell it must refresh.
    uint64_t revision() const { return m_revision; }

    // A location from its parts as a script or the memory table writes them: "COM1", an area
    // name of that port's protocol, the address text as the keypad writes it, and an optional
    // bit number. A name that is both a word and a bit area means the word without a bit number
    // and the bit area with one; a word area with a bit number means that bit of the word.
    struct Located {
        std::optional<PlcLocation> location;
        Message error;
    };
    Located locate(std::string_view port, std::string_view area, std::string_view address,
                   std::optional<std::string_view> bitNumber) const;
    // "COM1 D 0100" or "COM2 M 0005.3": the three parts in one text.
    Located locate(std::string_view text) const;
    // The text locate() reads back to the same location.
    std::string describe(const PlcLocation& at) const;
    // The area's name.
    std::string areaName(const PlcLocation& at) const;

private:
    static uint64_t key(int port, int area, uint32_t address, int bitNumber);

    std::array<Port, 2> m_ports;
    std::unordered_map<uint64_t, uint16_t> m_words;
    std::unordered_map<uint64_t, uint8_t> m_bits;
    uint64_t m_revision = 0;
};

} // namespace dispcraft
