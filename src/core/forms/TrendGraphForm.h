#pragma once

#include "forms/FormOutcome.h"
#include "forms/GraphValueRange.h"
#include "forms/ObjectAddress.h"
#include "forms/ObjectFormMessages.h"

#include <array>
#include <cstdint>

namespace dispcraft {

// The trend graph property dialog (template 151): the register plotted over time, the value
// coding and range, the sample spacing and count (whose width must fit the 192-dot LCD) and
// setting A.
class TrendGraphForm {
public:
    enum Control {
        kPortList = 1021,
        kTypeList = 1064,
        kAddress = 1065,
        kKeypad = 1002,
        kBitNumber = 1127,
        kBitSpin = 1128,
        kSpacing = 1070,
        kSpacingSpin = 1014,
        kMaximum = 1022,
        kMinimum = 1071,
        kMaximumSpin = 1024,
        kMinimumSpin = 1073,
        kSettingA = 1069,
        kSettingASpin = 1013,
        kCount = 1012,
        kCountSpin = 1020,
        kCodingGroup = 1067,
    };
    static constexpr int kLcdWidth = 192;
    static constexpr objectform::Range kSpacingRange{2, 189};
    static constexpr objectform::Range kCountRange{0, 100};
    static constexpr objectform::Range kSettingASpinRange{1, 255};
    static constexpr objectform::Range kSettingARange{0, 255}; // a typed 0 is taken

    struct Preset {
        int height = -1; // dots; -1 = a new graph
        uint8_t areaAndBit = 0;
        long long addressNumber = 0;
        uint8_t attr = 0; // bit 2 COM2, bits 6-7 coding
        int portCount = 1;
        std::array<PlcPortAreas, 2> ports;
        long long spacing = 2;
        long long maximum = 0;
        long long minimum = 0;
        long long settingA = 1;
        long long count = 1;
    };
    struct Fields : GraphValueRange {
        long long spacing = 2;
        long long settingA = 1;
        long long count = 1;
    };
    struct Values {
        int height = 56;
        int width = 0;
        uint8_t areaAndBit = 0;
        long long addressNumber = 0;
        uint8_t attr = 0;
        int spacing = 10;
        long long maximum = 0;
        long long minimum = 0;
        int settingA = 1;
        int count = 2;
    };

    explicit TrendGraphForm(const Preset& preset);

    Fields& fields() { return m_fields; }
    const Fields& fields() const { return m_fields; }
    PlcAddressGroup& address() { return m_group; }
    const PlcAddressGroup& address() const { return m_group; }

    bool isNew() const { return m_new; }
    int height() const { return m_height; }
    // The width that spacing and count give (dots).
    long long width() const { return widthOf(m_fields.spacing, m_fields.count); }
    static long long widthOf(long long spacing, long long count) { return (count + 1) * spacing + 3; }

    objectform::Range valueRange() const;
    // Coding changed (its buttons and controls 1018 and 1157).
    void setCoding(int coding);

    // Closes with the count lowered until the graph fits the LCD; the outcome's notice (61634
    // with the new count) is then shown before the dialog closes.
    FormOutcome<Values> ok() const;

private:
    PlcAddressGroup m_group;
    Fields m_fields;
    int m_height = 56;
    bool m_new = false;
};

} // namespace dispcraft
