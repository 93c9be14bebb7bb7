#pragma once

#include "forms/AddressKeypadForm.h"
#include "forms/AreaTable.h"
#include "forms/FormOutcome.h"
#include "forms/ObjectFormMessages.h"
#include "objects/KeyRecord.h"
#include "base/Message.h"
#include "base/MessageSink.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace dispcraft {

struct ProjectStore;

// The panel key function dialog (template 187): show a screen, act on a PLC bit, write a
// constant into a PLC word, or the model's fourth action. The fields go in and come back
// encoded as the key record keeps them.
class KeyFunctionForm {
public:
    enum Control {
        kActionScreen = 1191, // radio buttons 1191-1194
        kActionBit = 1192,
        kActionWord = 1193,
        kActionFourth = 1194,
        kScreenNumber = 1227,
        kScreenSpin = 1228,
        kExtraOption = 1248,
        kPortList = 1216,
        kAreaList = 1221,
        kAddress = 1223,
        kKeypad = 1224,
        kBitNumber = 1218,
        kBitSpin = 1219,
        kBitMode0 = 1200, // radio buttons 1200-1203
        kWordSize = 1209,
        kFormat0 = 1205, // radio buttons 1205-1207
        kValue = 1211,
        kValueSpin = 1212,
    };
    enum Action { kShowScreen = 0, kBitAction = 1, kWordAction = 2, kFourthAction = 3 };

    // What the caller presets.
    struct Preset {
        uint8_t flags = 0;   // bit 7 port, bit 6 bit action, bit 5 extra option, bit 3 decimal
                             // digits, bit 2 signed, bits 0-1 bit mode or action
        uint8_t areaBit = 0; // area index x 16 + bit number
        long long address = 0;
        long long screen = 0;
        long long value = 0;
        int cpuId = 2;
        bool fourthOffered = false;
        bool extraOffered = false;
        bool hasCom2Link = false;
        std::array<PlcPortAreas, 2> ports;
    };
    // What the widgets show and edit.
    struct Fields {
        int action = kShowScreen;
        long long screen = 0;
        bool extraOption = false;
        int port = 0;
        int area = 0;
        std::string addressText;
        long long bitNumber = 0;
        int bitMode = 0;  // 0-3
        int wordSize = 0; // 0 = 16 bits, 1 = 32 bits
        int format = 1;   // 0 decimal digits, 1 unsigned, 2 signed
        long long value = 0;
    };
    struct ValueLimits {
        long long low = 0;
        long long high = 0;
        int characters = 0;
        int message = 0; // the refusal of a value outside
    };
    struct Values {
        uint8_t flags = 0;
        uint8_t areaBit = 0;
        int32_t address = 0;
        int32_t screen = 0;
        int32_t value = 0;
        // The key record with these function fields: flag byte (byte 2), device address (low
        // 16 bits, word 4), area-and-bit byte (6), screen (7) and the operand at 12, which holds
        // a word action's value or a bit action's whole device number and is 0 otherwise; its
        // other bytes are kept.
        KeyRecord applyTo(KeyRecord record) const;
    };

    explicit KeyFunctionForm(Preset preset);
    // The preset of a key record's function fields with the project's PLC context (CPU kind,
    // COM2 link, both ports' areas). The fourth action is offered where the panel model has the
    // alarm view, the extra option of a screen action where it has the screen password.
    static Preset presetFrom(const KeyRecord& record, const ProjectStore& store);

    // Opening: may show 61543 (a word action without screen on a one-port panel) and 61536
    // (an unusable format).
    void open(MessageSink& sink);

    Fields& fields() { return m_fields; }
    const Fields& fields() const { return m_fields; }

    // Opening behaviour and layout.
    bool visible(int control) const;
    bool enabled(int control) const;
    static SpinRange screenRange() { return {0, 199}; }
    std::vector<std::string> portEntries() const;
    const std::vector<std::string>& areaEntries() const { return m_areaEntries; }
    SpinRange bitRange() const;
    bool screenGroupVisible() const { return m_fields.action == kShowScreen; }
    bool addressGroupVisible() const {
        return m_fields.action == kBitAction || m_fields.action == kWordAction;
    }
    bool bitModeVisible() const { return m_fields.action == kBitAction; }
    bool wordGroupVisible() const { return m_fields.action == kWordAction; }
    Message groupLabel() const { return Message::string(m_fields.action == kWordAction ? objectform::kKeyValueLabel : objectform::kKeyScreenLabel); }
    ValueLimits valueLimits() const { return limitsFor(m_fields.wordSize, m_fields.format); }
    static ValueLimits limitsFor(int wordSize, int format);

    // Events.
    void actionChanged();
    void portChanged();
    // Word size and format decide the value limits, which valueLimits() gives.
    void wordSizeChanged() {}
    void formatChanged() {}
    AddressKeypadForm keypad() const;
    void keypadConfirmed(const std::string& text) { m_fields.addressText = text; }

    FormOutcome<Values> ok() const;

    // Whether a project offers COM2 to its keys: a second link is chosen.
    static bool hasCom2Link(const ProjectStore& store);

private:
    enum class ListKind { None, Bits, Words };
    const PlcPortAreas& port() const;
    const AreaTable& addressTable() const;
    void fillAreaList();

    Preset m_preset;
    Fields m_fields;
    ListKind m_listKind = ListKind::None;
    std::vector<std::string> m_areaEntries;
};

} // namespace dispcraft
