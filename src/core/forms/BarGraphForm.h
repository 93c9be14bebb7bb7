#pragma once

#include "forms/FormOutcome.h"
#include "forms/GraphValueRange.h"
#include "forms/ObjectAddress.h"
#include "forms/ObjectFormMessages.h"

#include <array>
#include <cstdint>

namespace dispcraft {

// The bar graph property dialog (template 150): the register whose value the bar shows, the
// value coding and range and the bar's direction.
class BarGraphForm {
public:
    enum Control {
        kPortList = 1055,
        kTypeList = 1056,
        kAddress = 1057,
        kKeypad = 1002,
        kBitNumber = 1125,
        kBitSpin = 1126,
        kMaximum = 1060,
        kMinimum = 1061,
        kMaximumSpin = 1117,
        kMinimumSpin = 1116,
        kCodingGroup = 1058,
        kDirectionGroup = 1059,
    };

    struct Preset {
        int length = -1;    // dots, -1 = not given
        int thickness = -1; // dots, -1 = not given
        uint8_t areaAndBit = 0;
        long long addressNumber = 0;
        uint8_t attr = 0; // bits 0-1 direction, bit 2 COM2, bits 6-7 coding
        int portCount = 1;
        std::array<PlcPortAreas, 2> ports;
        long long maximum = 0;
        long long minimum = 0;
    };
    struct Fields : GraphValueRange {
        int direction = 0; // 0..3
    };
    struct Values {
        int length = 48;
        int thickness = 24;
        uint8_t areaAndBit = 0;
        long long addressNumber = 0;
        uint8_t attr = 0;
        long long maximum = 0;
        long long minimum = 0;
    };

    explicit BarGraphForm(const Preset& preset);

    Fields& fields() { return m_fields; }
    const Fields& fields() const { return m_fields; }
    PlcAddressGroup& address() { return m_group; }
    const PlcAddressGroup& address() const { return m_group; }

    // The range of both value spins.
    objectform::Range valueRange() const;
    // Coding changed (its buttons and controls 1018 and 1157): the range resets to the coding's.
    void setCoding(int coding);

    FormOutcome<Values> ok() const;

private:
    PlcAddressGroup m_group;
    Fields m_fields;
    int m_length = 48;
    int m_thickness = 24;
};

} // namespace dispcraft
