#pragma once

#include "forms/AddressKeypadForm.h"
#include "forms/AreaTable.h"
#include "forms/FormOutcome.h"
#include "model/ChangeRecord.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace dispcraft {

// The change record dialog (template 203): a block of consecutive words on the COM1 PLC tied
// to a block on the COM2 PLC.
class ChangeRecordForm {
public:
    enum Control {
        kFirstArea = 1058,
        kFirstAddress = 1059,
        kFirstKeypad = 1003,
        kFirstBit = 1127,
        kFirstBitSpin = 1128,
        kSecondArea = 1233,
        kSecondAddress = 1232,
        kSecondKeypad = 1239,
        kSecondBit = 1234,
        kSecondBitSpin = 1236,
        kCount = 1235,
        kCountSpin = 1238,
        kFurther = 1231,
        kOption = 1237,
    };

    // One side of the record: word area index, address number, bit number.
    struct Endpoint {
        int area = 0;
        long long address = 0;
        int bit = 0;
    };
    struct Preset {
        Endpoint first;  // on COM1
        Endpoint second; // on COM2
        long long count = 1;
        int maximum = 1; // the COM1 protocol's largest record length; 0 or less counts as 1
        int option = 0;
        long long further = 0;
        std::array<PlcPortAreas, 2> ports; // their word areas and bit-number settings
    };
    struct Fields {
        int firstArea = 0;
        std::string firstText;
        long long firstBit = 0;
        int secondArea = 0;
        std::string secondText;
        long long secondBit = 0;
        long long count = 1;
        long long further = 0;
        int option = 0; // radio group: 0 or 1
    };
    struct Values {
        Endpoint first;
        Endpoint second;
        int count = 1;
        int option = 0;
        long long further = 0;
        // The 8-byte record: option in bit 7 of byte 0, the count, bit x 16 + area of each
        // side, then both address numbers.
        ChangeRecord pack() const;
    };

    explicit ChangeRecordForm(Preset preset);
    // The preset of a stored record (the further number is not kept in it).
    static Preset presetFrom(const ChangeRecord& record);

    Fields& fields() { return m_fields; }
    const Fields& fields() const { return m_fields; }

    bool enabled(int control) const;
    static SpinRange bitRange() { return {0, 15}; }
    SpinRange countRange() const { return {1, m_maximum}; }
    std::vector<std::string> firstAreaEntries() const { return words(0).names(); }
    std::vector<std::string> secondAreaEntries() const { return words(1).names(); }

    // side 0 = first address, 1 = second.
    AddressKeypadForm keypad(int side) const;
    void keypadConfirmed(int side, const std::string& text);

    FormOutcome<Values> ok() const;

private:
    const AreaTable& words(int side) const;

    Preset m_preset;
    int m_maximum = 1;
    Fields m_fields;
};

} // namespace dispcraft
