#pragma once

#include "forms/AddressKeypadForm.h"
#include "forms/AreaTable.h"
#include "forms/FormOutcome.h"
#include "forms/ListColumn.h"
#include "base/MessageSink.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace dispcraft {

// The alarm group dialog (template 161): messages tied to consecutive PLC bits from a start
// address, their texts, and two options.
class AlarmGroupForm {
public:
    enum Control {
        kPortList = 1007,
        kAreaList = 1099,
        kStartAddress = 1010,
        kKeypad = 1140,
        kBitNumber = 1011,
        kBitSpin = 1017,
        kCount = 1008,
        kCountSpin = 1015,
        kList = 1009,
        kOption1 = 1143,
        kOption2 = 1144,
    };
    static constexpr int kMessages = 64;
    static constexpr size_t kTextBytes = 24;

    struct Preset {
        int port = 0; // 0 = COM1, 1 = COM2
        int cpuId = 2;
        uint8_t areaBit = 0;
        long long startAddress = 0;
        long long count = 0;
        int maximum = 48;
        std::vector<std::string> texts; // GB2312, one per message
        bool option1 = false;
        bool option2 = false;
        bool option2Enabled = false;
        std::array<PlcPortAreas, 2> ports;
        // The text an empty message shows and becomes (language string 61452), UTF-8.
        std::string emptyText;
    };
    struct Fields {
        int port = 0;
        int area = 0;
        std::string startText;
        long long bitNumber = 0;
        long long count = 0;
        std::array<std::string, kMessages> texts; // UTF-8
        bool option1 = false;
        bool option2 = false;
    };
    struct Row {
        std::string text;     // UTF-8
        std::string bitLabel; // "%s=ON" with the address of the message's bit
    };
    struct Values {
        int port = 0;
        uint8_t areaBit = 0;
        uint32_t startAddress = 0;
        uint8_t count = 0;
        std::vector<std::string> texts; // GB2312, count of them
        bool option1 = false;
        bool option2 = false;
    };

    explicit AlarmGroupForm(Preset preset);

    // Opening: fills the lists and rebuilds the message list (messages through the sink).
    void open(MessageSink& sink);

    Fields& fields() { return m_fields; }
    const Fields& fields() const { return m_fields; }

    bool enabled(int control) const;
    SpinRange countRange() const { return {0, m_maximum}; }
    static SpinRange bitRange() { return {0, 15}; }
    std::vector<std::string> portEntries() const;
    std::vector<std::string> areaEntries() const { return areas().names(); }
    static std::vector<ListColumn> columns();
    const std::vector<Row>& rows() const { return m_rows; }

    // The count or start address edit or the area list lost the focus: checks and rebuilds
    // the list. Returns the control that gets the focus after a refusal, else 0.
    int rebuild(MessageSink& sink);
    int portChanged(MessageSink& sink);
    AddressKeypadForm keypad() const;
    int keypadConfirmed(const std::string& text, MessageSink& sink);
    // In-place editing of a row's text ended: a text of 25 bytes or more is refused with
    // 61450 and the row keeps its text. True when the text was taken.
    bool textEdited(int row, const std::string& utf8, MessageSink& sink);

    FormOutcome<Values> ok();

private:
    const AreaTable& areas() const;
    const PlcPortAreas& port() const;
    // The range check; on failure it resets the offending field as the dialog does.
    FormOutcome<long long> rangeCheck();

    Preset m_preset;
    int m_maximum = 48;
    Fields m_fields;
    std::vector<Row> m_rows;
};

} // namespace dispcraft
