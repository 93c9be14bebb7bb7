#pragma once

#include "forms/AreaTable.h"
#include "forms/ChangeRecordForm.h"
#include "forms/FormOutcome.h"
#include "forms/FormRunner.h"
#include "forms/ListColumn.h"
#include "model/Capacity.h"
#include "model/ChangeRecord.h"
#include "base/MessageSink.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace dispcraft {

// The address pair table dialog (template 202): the project's change records, each edited with
// the change record dialog.
class ChangeTableForm {
public:
    enum Control { kList = 1228, kAdd = 4, kEdit = 3, kDelete = 5 };
    using Records = std::array<ChangeRecord, capacity::kChangeRecords>;

    struct Preset {
        std::array<PlcPortAreas, 2> ports; // word areas and bit-number settings of both sides
        int count = 0;
        Records records{};
        int maximum = capacity::kChangeRecords; // entries the table may hold
        int recordMaximum = 1; // largest count of one entry (the change record dialog's maximum)
    };
    struct Row {
        std::array<std::string, 5> columns;
    };
    struct Values {
        uint8_t count = 0;
        Records records{};
    };

    explicit ChangeTableForm(Preset preset);

    static std::vector<ListColumn> columns();
    const std::vector<Row>& rows() const { return m_rows; }
    int count() const { return m_count; }
    const Records& records() const { return m_records; }

    // Selection in the list (-1 = none).
    void select(int row);
    int selected() const { return m_selected; }

    // Add (4): a new entry through the change record dialog, or the literal full-table message.
    void add(MessageSink& sink, const FormRunner<ChangeRecordForm>& run);
    // Edit (3) or a double-click: the selected entry through the change record dialog.
    void edit(MessageSink& sink, const FormRunner<ChangeRecordForm>& run);
    // Delete (5): the later entries move up.
    void remove(MessageSink& sink);

    // The dialog closes; the caller keeps the table.
    Values ok() const;

    // The change record dialog's preset for an entry.
    ChangeRecordForm::Preset entryPreset(const ChangeRecord& record) const;

private:
    void fill();
    std::string addressColumn(int side, int bit, int area, int address) const;

    Preset m_preset;
    int m_maximum = 0;
    int m_count = 0;
    Records m_records{};
    int m_selected = -1;
    std::vector<Row> m_rows;
};

} // namespace dispcraft
