#pragma once

#include "forms/FormOutcome.h"
#include "forms/ListColumn.h"
#include "forms/ObjectFormMessages.h"
#include "model/Capacity.h"
#include "objects/PictureTableEntry.h"
#include "base/MessageSink.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace dispcraft {

// The picture dialog (template 186): the project's picture table, import of 1-bit BMPs, deletion
// and the choice of the picture that a Picture object shows.
//
// The number field of the import file dialog names the slot the picture goes to: 0 (or a number
// outside 1-29) stores it in the first free slot after the notice 61629; the number of a slot
// that holds a picture asks 61630 (Yes replaces that picture, No stores it in the first free
// slot); the number of a free slot stores it there.
class PictureForm {
public:
    enum Control {
        kList = 1094,
        kPreview = 1096,
        kImport = 1074,
        kDelete = 1002,
        kButton1023 = 1023,
        kButton1024 = 1024,
        kImportPreview = 1043, // panes of the import file dialog
        kImportNumber = 1114,
        kImportNumberSpin = 1011,
    };
    static constexpr int kTimerId = 1;
    static constexpr int kTimerMs = 20;
    static constexpr int kFirstSlot = 1;
    static constexpr int kLastSlot = capacity::kLastPicture;
    // The number field of the import file dialog and its spin.
    static constexpr SpinRange kImportNumberRange{0, 255};

    using Table = std::array<PictureTableEntry, capacity::kPictureSlots>;

    struct Row {
        std::string id;   // "%d" of the slot
        std::string size; // "%d x %d" of width and height
        int slot = 0;
    };
    // The current picture upright: dark(x, y) with y = 0 the top row. The pane is green (0, 255, 0)
    // and every dark dot one black pixel.
    struct Preview {
        int width = 0;
        int height = 0;
        std::vector<uint8_t> dark; // width x height, top row first, 1 = black pixel
        bool at(int x, int y) const { return dark[static_cast<size_t>(y * width + x)] != 0; }
    };
    // What confirming a file in the import dialog shows: nothing, the notice 61629 or the
    // question 61630 (Yes / No).
    struct ImportPrompt {
        Message message;
        bool question = false;
    };
    struct Values {
        Table table;
        int current = 0;
    };

    // table: the caller's copy (see presetFrom); editMode 1 from the screen editor, 0 otherwise.
    PictureForm(const Table& table, int editMode, int currentPicture);

    // Opening.
    bool shown(int control) const;
    static std::vector<int> columnTitles() { return {0, objectform::kSizeColumn}; } // 0: the literal "ID"
    // The list's columns with their widths in pixels.
    static std::vector<ListColumn> columns() {
        return {{Message::text("ID"), 30}, {Message::string(objectform::kSizeColumn), 100}};
    }
    // The file filter of the import file dialog.
    static Message importFilter() { return Message::string(objectform::kBmpFilter); }
    Message buttonText(int control) const;
    std::vector<Row> rows() const { return m_rows; }
    // The one-shot timer after showing: selects the row of the current picture (its index, -1
    // when none); the list takes the focus when a row is returned.
    int timerFired();

    // Events.
    // A row of the list became selected (-1 = selection gone); a failure message when its id
    // text is not a picture number.
    std::optional<Message> selectRow(int row);
    int selectedRow() const { return m_selected; }

    ImportPrompt importPrompt(int number) const;
    // The slot an import goes to for a number and the answer to 61630; 0 when the table is full.
    int importSlot(int number, bool replace) const;
    // Imports a file after the file dialog was confirmed. Returns the message to show on failure
    // (the table then is unchanged).
    std::optional<Message> importFile(const std::string& path, int number, bool replace);
    // The whole import after confirmation of the file, prompts and failures through the sink.
    bool importFile(const std::string& path, int number, MessageSink& sink);

    // Delete button: messages and the question through the sink.
    void deleteSelected(MessageSink& sink);

    Preview preview() const;
    FormOutcome<Values> ok() const;

    int editMode() const { return m_editMode; }
    int current() const { return m_current; }
    const Table& table() const { return m_table; }

    // What the editor hands over: the defined entries of the store's table, the others empty.
    static Table presetFrom(const Table& store);
    // Writes the edited table back: defined entries are copied, every other entry is cleared.
    // True when that changed the store. The workspace tree opens the form on
    // presetFrom(store) in edit mode 0 and writes it back the same way on OK, so that a picture
    // imported there is kept.
    static bool writeBack(const Table& edited, Table& store);
    static bool defined(const Table& t, int slot) {
        return slot >= kFirstSlot && slot <= kLastSlot && t[static_cast<size_t>(slot)].id == slot;
    }

private:
    void fillList();
    int rowOf(int slot) const;

    Table m_table;
    int m_editMode = 0;
    int m_openingEditMode = 0; // the buttons' visibility is decided when the dialog opens
    int m_current = 0;
    int m_selected = -1;
    std::vector<Row> m_rows;
};

} // namespace dispcraft
