#pragma once

#include "forms/FormOutcome.h"
#include "forms/FormRunner.h"
#include "forms/ListColumn.h"
#include "forms/ScreenNumberForm.h"
#include "forms/ScreenNumberNameForm.h"
#include "model/ScreenEntry.h"
#include "base/MessageSink.h"

#include <cstdint>
#include <string>
#include <vector>

namespace dispcraft {

struct ProjectStore;

// The screen manager dialog (template 167): lists the screens, opens one, copies a screen to
// another number, renumbers or renames one, deletes one. Copy, renumber and delete act on the
// store at once; the list always shows the store's directory.
class ScreenManagerForm {
public:
    enum Control {
        kList = 1090,
        kNumber = 1091,
        kSpin = 1093,
        kCopy = 1003,
        kDelete = 1004,
        kRenumber = 3,
        kOk = 1,
    };

    struct Fields {
        long long chosen = 0; // the screen the buttons act on
    };
    struct Row {
        std::string id;   // "%d" of the number
        std::string name; // UTF-8
    };
    struct Values {
        int screen = 0; // the screen the caller opens
    };

    explicit ScreenManagerForm(ProjectStore& store);

    Fields& fields() { return m_fields; }
    const Fields& fields() const { return m_fields; }
    static SpinRange range() { return {0, 199}; }
    // "ID" (a literal caption) and string 61601.
    static std::vector<ListColumn> columns();
    const std::vector<Row>& rows() const { return m_rows; }
    bool enabled(int control) const;

    // A row was selected (a double-click selects, then acts as OK).
    void select(int row);
    // 61602 for number 0, 61603 for a number without a screen.
    FormOutcome<Values> ok() const;

    // Copy (1003): the screen number dialog chooses the target.
    void copy(MessageSink& sink, const FormRunner<ScreenNumberForm>& run);
    // Renumber / rename (3): the screen number and name dialog.
    void renumber(MessageSink& sink, const FormRunner<ScreenNumberNameForm>& run);
    // Delete (1004), after the question 63589; a screen open in a window is refused (65500).
    void remove(MessageSink& sink);

    // Set once a rename or renumber changed the directory: the workspace trees are refreshed.
    bool treesChanged() const { return m_treesChanged; }

    // The screen copy of Copy and Renumber: the whole ScreenBlock and ScreenEntry of from go
    // to to, whose number byte becomes to and whose name the given one; to's reload flag is
    // set when it held a screen before.
    static void copyScreen(ProjectStore& store, int from, int to, const std::string& gbName);
    // The reload flag (the 32-bit word at offset 24 of a ScreenEntry): 1 asks a window that
    // shows the screen to load it again from the store, which then clears the flag.
    static uint32_t reloadFlag(const ScreenEntry& e);
    static void setReloadFlag(ScreenEntry& e, uint32_t value);

private:
    void fill();
    bool exists(long long n) const;

    ProjectStore& m_store;
    Fields m_fields;
    std::vector<Row> m_rows;
    bool m_rowSelected = false;
    bool m_chosenOpen = false;
    bool m_treesChanged = false;
};

} // namespace dispcraft
