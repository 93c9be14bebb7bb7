#pragma once

#include "forms/FormOutcome.h"
#include "forms/ObjectAddress.h"
#include "forms/ObjectFormMessages.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace dispcraft {

// The numeric display property dialog (template 148): the register shown, its coding and width,
// digits and decimals, font and reverse video, and for values entered at the panel the entry
// range and an alarm range. It also makes the preview text the editor draws.
class NumDispForm {
public:
    enum Control {
        kPortList = 1026,
        kTypeList = 1010,
        kAddress = 1039,
        kKeypad = 1002,
        kBitNumber = 1124,
        kBitSpin = 1123,
        kEntryGroup = 1041,
        kDigits = 1007,
        kDigitsSpin = 1053,
        kDecimals = 1047,
        kDecimalsSpin = 1019,
        kCodingBcd = 1180,
        kCodingUnsigned = 1181,
        kCodingSigned = 1182,
        kWidthList = 1011,
        kFontList = 1046,
        kReverseGroup = 1045,
        kScaleOption = 1055,
        kScaleFactor = 1079,
        kPanelOptionA = 1056,
        kMaximum = 1048,
        kMinimum = 1049,
        kMaximumSpin = 1027,
        kMinimumSpin = 1028,
        kSpareSpin = 1029,
        kAlarmOption = 1183,
        kHigh = 1051,
        kLow = 1050,
        kHighSpin = 1030,
        kLowSpin = 1031,
        kSecondAddress = 1042,
        kSecondKeypad = 1003,
        kPanelOptionB1 = 1174,
        kPanelOptionB2 = 1175,
        kPanelOptionC = 1176,
        kSecondAddressLabel = 1171,
        kAlarmRangeLabels = 1240, // labels 1240..1244
    };
    static constexpr int kCodingBcdValue = 0;
    static constexpr int kCodingUnsignedValue = 1;
    static constexpr int kCodingSignedValue = 2;
    static constexpr int kSplitPlcId = 250; // its device type 2 takes a two-part address
    static constexpr int kSplitType = 2;
    // The largest scale factor the panel's whole 32-bit number holds.
    static constexpr double kScaleLimit = 2147483647.0;

    struct Preset {
        uint8_t attr = 0;
        uint8_t flags2 = 0;
        int modelMode = 1; // 1 one-port model, 2 two-port model
        std::array<int, 2> plcIds{};
        int portCount = 1;
        std::array<PlcPortAreas, 2> ports; // register types
        uint8_t areaAndBit = 0;
        long long addressNumber = 0;
        int digits = 5;
        int decimals = 0;
        float scale = 0;
        long long maximum = 65535;
        long long minimum = 0;
        long long high = 65535;
        long long low = 0;
    };
    struct Fields {
        int entryMode = 0; // 1: the operator may enter the value at the panel
        long long decimals = 0;
        long long digits = 5;
        bool scaleOption = false;
        double scale = 0;
        bool panelOptionA = false;
        long long maximum = 65535;
        long long minimum = 0;
        long long high = 65535;
        long long low = 0;
        bool alarmOption = false;
        int coding = 1; // 0 BCD, 1 unsigned, 2 signed
        int width = 0;  // 0 16 bits, 1 32 bits
        int font = 0;
        int reverse = 0;
        int panelOptionB = 0;     // 0: first button (flag byte 2 bit 1 set)
        bool panelOptionC = false; // ticked clears flag byte 2 bit 2
        std::string secondAddressText = "0000";
    };
    struct Values {
        std::string preview; // ASCII, so GB2312 as it is
        uint8_t attr = 0;
        uint8_t flags2 = 0;
        uint8_t areaAndBit = 0;
        long long addressNumber = 0;
        int digits = 5;
        int decimals = 0;
        float scale = 0;
        long long maximum = 0;
        long long minimum = 0;
        long long high = 0;
        long long low = 0;
    };

    explicit NumDispForm(const Preset& preset);

    Fields& fields() { return m_fields; }
    const Fields& fields() const { return m_fields; }
    PlcAddressGroup& address() { return m_group; }
    const PlcAddressGroup& address() const { return m_group; }

    // Lists and control states at the current field values.
    std::vector<Message> widthList() const;
    std::vector<Message> fontList() const;
    bool shown(int control) const;
    bool enabled(int control) const;
    objectform::Range spinRange(int control) const;

    // Events.
    void setCoding(int coding);   // coding buttons
    void setWidth(int width);     // width list
    void setEntryMode(int entry); // entry option group
    void setAlarmOption(bool on);
    // Port or device type changed: the address group's Port changed, then the second address of
    // a PLC ID 250 type 2 is filled again when it shows.
    void selectPort(int port);
    void selectType(int row);
    // The second address's keypad.
    AddressKeypadForm secondKeypad() const;
    void secondKeypadConfirmed(const std::string& text);

    FormOutcome<Values> ok() const;

    // The value range of a width and coding.
    static objectform::Range valueRange(int width, int coding);

private:
    bool splitAddress() const;
    bool secondAddressShown() const;
    void secondAddressRule();
    void resetRanges();

    PlcAddressGroup m_group;
    Fields m_fields;
    int m_modelMode = 1;
    std::array<int, 2> m_plcIds{};
    long long m_secondNumber = 0;
};

} // namespace dispcraft
