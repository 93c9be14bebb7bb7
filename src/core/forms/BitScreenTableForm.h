#pragma once

#include "forms/FormOutcome.h"
#include "forms/FormRunner.h"
#include "forms/ListColumn.h"
#include "forms/ScreenNumberForm.h"
#include "base/Message.h"
#include "base/MessageSink.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace dispcraft {

// The bit-to-screen table (template 199): up to 32 PLC bits, each naming the screen the panel
// shows while the bit is on.
class BitScreenTableForm {
public:
    enum Control { kCount = 1162, kCountSpin = 1169, kList = 1168 };
    static constexpr int kEntries = 32;

    struct Fields {
        long long count = 0;
        std::array<uint8_t, kEntries> screens{};
    };
    struct Row {
        std::string label; // "BIT%d=ON"
        Message screen;    // 61549 formatted with the row's screen number
    };
    struct Values {
        uint8_t count = 0;
        std::array<uint8_t, kEntries> screens{};
    };

    BitScreenTableForm(int count, const std::array<uint8_t, kEntries>& screens);

    Fields& fields() { return m_fields; }
    const Fields& fields() const { return m_fields; }
    static SpinRange countRange() { return {0, kEntries}; }
    static std::vector<ListColumn> columns();
    const std::vector<Row>& rows() const { return m_rows; }

    // Opening, and the count edit losing the focus: a count above 32 shows 61548 and becomes
    // 32 (one below 0 the range message and 0); then one row per counted bit.
    void refresh(MessageSink& sink);
    // A double-click on a row: the screen number dialog with caption 61550 and the row's
    // number; its OK stores the chosen number in the row, then the list is refreshed.
    void editRow(int row, MessageSink& sink, const FormRunner<ScreenNumberForm>& run);

    FormOutcome<Values> ok() const;

private:
    Fields m_fields;
    std::vector<Row> m_rows;
};

} // namespace dispcraft
