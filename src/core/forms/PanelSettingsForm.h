#pragma once

#include "forms/BitScreenTableForm.h"
#include "forms/FormOutcome.h"
#include "forms/FormRunner.h"
#include "forms/PlcAddressGroup.h"
#include "base/Message.h"
#include "base/MessageSink.h"

#include <array>
#include <cstdint>
#include <vector>

namespace dispcraft {

// The panel control settings dialog (template 160): two control addresses of the panel, each
// used only while its option is ticked, four further options, five numeric settings and, for
// a PLC whose protocol has PLC ID 250, the bit-to-screen table.
class PanelSettingsForm {
public:
    enum Control {
        kUse1 = 1129,
        kPort1 = 1134,
        kType1 = 1008,
        kBit1 = 1098,
        kAddress1 = 1097,
        kKeypad1 = 1002,
        kUse2 = 1142,
        kPort2 = 1135,
        kType2 = 1010,
        kBit2 = 1027,
        kAddress2 = 1026,
        kKeypad2 = 1003,
        kOptionA = 1143,
        kOptionB = 1130,
        kOptionC = 1160,
        kOptionD = 1161,
        kSetting1 = 1107, // 0-255, spin 1012
        kStartScreen = 1105, // 1-199, spin 1106
        kSetting2 = 1009, // 0-10, spin 1108
        kSetting3 = 1019, // 0-9999, spin 1141
        kSetting4 = 1006, // 0-1999
        kTableButton = 1170,
        kHelpButton = 1145,
    };
    static constexpr uint8_t kTablePlcId = 250;

    struct Preset {
        int modelMode = 2;                 // 1 one-port model, 2 two-port model
        std::array<uint8_t, 2> plcIds{};   // of the COM1 and COM2 protocols
        std::array<PlcPortAreas, 2> ports; // word areas and bit-number settings
        long long address1 = 0;
        long long address2 = 0;
        uint8_t options = 0; // bits: 0 use 1, 1 use 2, 2 address 1 on COM2, 3 address 2 on
                             // COM2, 4..7 options A..D
        uint8_t areaBit1 = 0;
        uint8_t areaBit2 = 0;
        uint8_t tableCount = 0;
        std::array<uint8_t, 32> table{};
        long long setting1 = 0;
        long long setting4 = 0;
        long long startScreen = 1;
        long long setting3 = 0;
        long long setting2 = 5;
    };
    struct Fields {
        bool use1 = false;
        bool use2 = false;
        bool optionA = false;
        bool optionB = false;
        bool optionC = false;
        bool optionD = false;
        long long setting1 = 0;
        long long setting4 = 0;
        long long startScreen = 1;
        long long setting3 = 0;
        long long setting2 = 5;
        uint8_t tableCount = 0;
        std::array<uint8_t, 32> table{};
    };
    struct Values {
        uint8_t options = 0;
        uint8_t areaBit1 = 0;
        uint8_t areaBit2 = 0;
        int32_t address1 = 0;
        int32_t address2 = 0;
        uint8_t setting1 = 0;
        uint16_t setting4 = 0;
        uint8_t startScreen = 1;
        uint16_t setting3 = 0;
        uint8_t setting2 = 5;
        uint8_t tableCount = 0;
        std::array<uint8_t, 32> table{};
    };

    explicit PanelSettingsForm(Preset preset);
    // Opening (61536 to the sink when an address format is unusable).
    void open(MessageSink& sink);

    Fields& fields() { return m_fields; }
    const Fields& fields() const { return m_fields; }
    PlcAddressGroup& address1() { return m_group1; }
    PlcAddressGroup& address2() { return m_group2; }
    const PlcAddressGroup& address1() const { return m_group1; }
    const PlcAddressGroup& address2() const { return m_group2; }

    bool enabled(int control) const;
    bool visible(int control) const;
    static SpinRange rangeOf(int setting);

    // Events.
    void use1Changed();
    void use2Changed() {}
    void port1Changed() { m_group1.portChanged(); }
    void port2Changed() { m_group2.portChanged(); }
    // The bit-to-screen table button: entries beyond the returned count become 0.
    void editTable(MessageSink& sink, const FormRunner<BitScreenTableForm>& run);
    // The help note: its caption (string 128) and the pieces joined into its text in order.
    static int helpCaption() { return 128; }
    static std::vector<Message> helpPieces();

    FormOutcome<Values> ok() const;

private:
    bool twoPort() const { return m_preset.modelMode == 2; }
    bool tableOffered() const;

    Preset m_preset;
    Fields m_fields;
    PlcAddressGroup m_group1;
    PlcAddressGroup m_group2;
};

} // namespace dispcraft
