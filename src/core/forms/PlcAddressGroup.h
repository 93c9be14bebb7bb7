#pragma once

#include "forms/AddressKeypadForm.h"
#include "forms/AreaTable.h"
#include "forms/FormOutcome.h"
#include "base/MessageSink.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace dispcraft {

// The controls through which a dialog chooses one PLC address: port, device type, bit number
// and address text, checked with the address rules. Each dialog that has the group owns one
// per address and tells it the ids of its controls.
class PlcAddressGroup {
public:
    struct Controls {
        int port = 0;   // drop-down list "COM1" [, "COM2"]
        int type = 0;   // drop-down list of the port's device types
        int bit = 0;    // bit number edit (with its spin)
        int text = 0;   // address text edit
        int keypad = 0; // button opening the address keypad
    };
    struct Context {
        int portCount = 1; // of the panel model: 1 or 2
        std::array<PlcPortAreas, 2> ports;
        bool relayTypes = false; // the lamp dialog offers the bit areas, the others the word areas
    };
    // What the widgets show and edit.
    struct Fields {
        int port = 0;     // 0 = COM1, 1 = COM2
        int type = 0;     // index into the chosen port's device type list
        int bitNumber = 0;
        std::string addressText = "0000";
    };

    PlcAddressGroup() = default;
    PlcAddressGroup(Context context, Controls controls);

    // Opening: the port (a list holding only "COM1" falls back to 0), then Port changed, then
    // the type and bit number from the area-and-bit byte and the address text of the number in
    // the chosen type's format (61536 to the sink when that format is unusable).
    void open(int port, uint8_t areaBit, long long address, MessageSink* sink = nullptr);
    // Port changed: refills the type list, keeps the type while it exists, applies the port's
    // bit-number setting.
    void portChanged();

    Fields& fields() { return m_fields; }
    const Fields& fields() const { return m_fields; }
    const Context& context() const { return m_context; }
    const Controls& controls() const { return m_controls; }

    std::vector<std::string> portEntries() const;
    std::vector<std::string> typeEntries() const;
    // The bit number is disabled (and 0) while the port's protocol takes no bit number.
    bool bitEnabled() const;
    SpinRange bitRange() const { return {0, 15}; }

    const AreaTable& types() const;
    std::string range() const;  // of the chosen device type
    std::string format() const; // of the chosen device type

    // The keypad preset with the address text and the chosen type's range and format; after
    // its OK, keypadConfirmed takes its (padded) text.
    AddressKeypadForm keypad() const;
    void keypadConfirmed(const std::string& text);

    // The bit number outside 0-15: the edit's range message, focus on the bit number.
    FormOutcome<int> checkBitNumber() const;
    // The check at OK: the address number of the text, or 61455 + range + ")!" with the focus
    // on the address text.
    FormOutcome<int> check() const;
    // Device type choice x 16 + bit number.
    uint8_t areaBit() const;

private:
    Context m_context;
    Controls m_controls;
    Fields m_fields;
};

} // namespace dispcraft
