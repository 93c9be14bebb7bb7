#pragma once

#include "forms/FormOutcome.h"
#include "forms/ListColumn.h"
#include "model/Capacity.h"
#include "model/ScreenEntry.h"
#include "base/MessageSink.h"

#include <array>
#include <string>
#include <vector>

namespace dispcraft {

struct ProjectStore;

// The screen number assignment dialog (template 166): the number and name under which a screen
// that has none yet is stored, with the existing screens listed.
class ScreenAssignForm {
public:
    enum Control { kNumber = 1087, kSpin = 1089, kName = 1088, kList = 1086 };
    using Directory = std::array<ScreenEntry, capacity::kScreenSlots>;

    struct Fields {
        long long number = 1;
        std::string name; // UTF-8
    };
    struct Row {
        std::string id;   // "%d" of the number
        std::string name; // UTF-8
    };
    struct Values {
        int number = 1;
        std::string name; // GB2312, at most 10 bytes
    };

    explicit ScreenAssignForm(const Directory& entries);

    Fields& fields() { return m_fields; }
    const Fields& fields() const { return m_fields; }
    static SpinRange range() { return {1, 199}; }
    // "ID" (a literal caption) and string 63524.
    static std::vector<ListColumn> columns();
    // One row per existing screen, in number order.
    const std::vector<Row>& rows() const { return m_rows; }
    // The user chose a row of the list (a click or an arrow key; the focus arriving in the list
    // is no choice): its number and name replace the typed ones, for replacing that screen.
    void pickRow(size_t row);

    // A number outside 1-199 is refused with 63525; the number of an existing screen asks
    // 63526 (Yes / No, No by default), and No keeps the dialog open without a message.
    FormOutcome<Values> ok(MessageSink& sink) const;

    // The caller's side once the dialog is confirmed: the directory entry of the number gets
    // the number and the name, and the screen counts as open in a window. previousNumber is
    // the number a save-as moves away from (its open flag is cleared), 0 on the first store.
    // Returns true when the number already held a screen: other windows bound to it then
    // close without questions.
    static bool assign(ProjectStore& store, const Values& values, int previousNumber);

private:
    Directory m_entries;
    Fields m_fields;
    std::vector<Row> m_rows;
};

} // namespace dispcraft
