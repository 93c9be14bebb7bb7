#pragma once

#include "forms/FormOutcome.h"
#include "forms/ObjectAddress.h"
#include "forms/ObjectFormMessages.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace dispcraft {

// The message display property dialog (template 143): sixteen texts, one of which the panel shows
// by the value of a register, and the address of that register.
class MsgDispForm {
public:
    enum Control {
        kPortList = 1010,
        kTypeList = 1037,
        kAddress = 1036,
        kKeypad = 1002,
        kBitNumber = 1121,
        kBitSpin = 1122,
        kTextList = 1038,
        kReverseGroup = 1034,
    };
    static constexpr int kTexts = 16;
    static constexpr size_t kEditLimit = 24; // GB2312 bytes of an edited text

    struct Preset {
        std::array<std::string, kTexts> texts; // GB2312
        uint8_t attr = 0;                      // bit 7 reverse, bit 2 COM2
        int portCount = 1;
        std::array<PlcPortAreas, 2> ports; // register types
        uint8_t areaAndBit = 0;
        long long addressNumber = 0;
        // The text of language string 61453, which the list shows (and keeps) for an empty text.
        std::string emptyText;
    };
    struct Column {
        Message title;
        int width = 0;
    };
    struct Row {
        std::string text;  // UTF-8
        std::string index; // "%d"
    };
    struct Values {
        std::array<std::string, kTexts> texts; // GB2312
        uint8_t attr = 0;
        uint8_t areaAndBit = 0;
        long long addressNumber = 0;
    };

    explicit MsgDispForm(const Preset& preset);

    PlcAddressGroup& address() { return m_group; }
    const PlcAddressGroup& address() const { return m_group; }
    int& reverse() { return m_reverse; }

    static std::vector<Column> columns() {
        return {{Message::string(objectform::kTextColumn), 200}, {Message::string(objectform::kIndexColumn), 30}};
    }
    std::vector<Row> rows() const;
    // In-place editing of row i ended with a text (UTF-8): taken when it has at most 24 GB2312
    // bytes, else the message (61450, or the character outside GB2312) and the row keeps its text.
    std::optional<Message> editText(int row, const std::string& utf8);
    const std::string& text(int row) const { return m_texts[static_cast<size_t>(row)]; }

    FormOutcome<Values> ok() const;

private:
    PlcAddressGroup m_group;
    std::array<std::string, kTexts> m_texts; // UTF-8
    int m_reverse = 0;
};

} // namespace dispcraft
