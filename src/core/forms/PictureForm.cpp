#include "forms/PictureForm.h"

#include "forms/BmpPictureImport.h"
#include "forms/ObjectFormMessages.h"

namespace dispcraft {

PictureForm::PictureForm(const Table& table, int editMode, int currentPicture)
    : m_table(table), m_editMode(editMode == 1 ? 1 : 0), m_openingEditMode(m_editMode),
      m_current(currentPicture >= kFirstSlot && currentPicture <= kLastSlot ? currentPicture : 0) {
    fillList();
}

bool PictureForm::shown(int control) const {
    switch (control) {
    case kDelete:
    case kButton1023:
        return m_openingEditMode != 1;
    case kButton1024:
        return m_openingEditMode == 1;
    default:
        return true;
    }
}

Message PictureForm::buttonText(int control) const {
    if (control == kButton1023) {
        return Message::string(objectform::kCloseButton);
    }
    if (control == kButton1024) {
        return Message::string(objectform::kUsePictureButton);
    }
    return {};
}

void PictureForm::fillList() {
    m_rows.clear();
    m_selected = -1;
    for (int i = kFirstSlot; i <= kLastSlot; ++i) {
        const PictureTableEntry& e = m_table[static_cast<size_t>(i)];
        if (e.id == i) {
            m_rows.push_back(
                {std::to_string(i), std::to_string(e.width) + " x " + std::to_string(e.height), i});
        }
    }
}

int PictureForm::rowOf(int slot) const {
    for (size_t r = 0; r < m_rows.size(); ++r) {
        if (m_rows[r].slot == slot) {
            return static_cast<int>(r);
        }
    }
    return -1;
}

int PictureForm::timerFired() {
    // The row that shows the current picture; with gaps in the table that is not always row
    // (current - 1), and selecting another row would change the choice.
    m_selected = m_current != 0 ? rowOf(m_current) : -1;
    return m_selected;
}

std::optional<Message> PictureForm::selectRow(int row) {
    if (row < 0 || row >= static_cast<int>(m_rows.size())) {
        m_selected = -1;
        return std::nullopt;
    }
    const std::string& id = m_rows[static_cast<size_t>(row)].id;
    int value = 0;
    bool digits = !id.empty() && id.size() <= 2;
    for (char c : id) {
        digits = digits && c >= '0' && c <= '9';
        value = value * 10 + (c - '0');
    }
    if (!digits) {
        return Message::string(objectform::kChoosePicture);
    }
    m_selected = row;
    m_current = value;
    return std::nullopt;
}

PictureForm::ImportPrompt PictureForm::importPrompt(int number) const {
    ImportPrompt p;
    if (number < kFirstSlot || number > kLastSlot) {
        p.message = Message::string(objectform::kPictureNumberTaken);
    } else if (defined(m_table, number)) {
        p.message = Message::string(objectform::kReplacePicture, {std::to_string(number)});
        p.question = true;
    }
    return p;
}

int PictureForm::importSlot(int number, bool replace) const {
    if (number >= kFirstSlot && number <= kLastSlot && (replace || !defined(m_table, number))) {
        return number;
    }
    for (int i = kFirstSlot; i <= kLastSlot; ++i) {
        if (!defined(m_table, i)) {
            return i;
        }
    }
    return 0;
}

std::optional<Message> PictureForm::importFile(const std::string& path, int number, bool replace) {
    m_editMode = 1;
    BmpPictureImport::Result r = BmpPictureImport::fromFile(path);
    if (!r.ok) {
        return r.message;
    }
    int slot = importSlot(number, replace);
    if (slot == 0) {
        return Message::string(objectform::kPicturesFull);
    }
    PictureTableEntry& e = m_table[static_cast<size_t>(slot)];
    e.id = static_cast<uint8_t>(slot);
    e.width = static_cast<uint8_t>(r.width);
    e.height = static_cast<uint8_t>(r.height);
    e.dots = std::move(r.dots);
    m_current = slot;
    fillList();
    m_selected = rowOf(slot);
    return std::nullopt;
}

bool PictureForm::importFile(const std::string& path, int number, MessageSink& sink) {
    ImportPrompt p = importPrompt(number);
    bool replace = false;
    if (p.question) {
        replace = sink.ask(p.message, Buttons::YesNo) == Answer::Yes;
    } else if (!p.message.empty()) {
        sink.show(p.message, Icon::Information);
    }
    std::optional<Message> failure = importFile(path, number, replace);
    if (failure) {
        sink.show(*failure, Icon::Warning);
        return false;
    }
    return true;
}

void PictureForm::deleteSelected(MessageSink& sink) {
    if (m_selected < 0) {
        return;
    }
    if (m_editMode == 0) {
        sink.show(Message::string(objectform::kDeleteOnlyFromScreen));
    } else if (m_current != 0) {
        if (sink.ask(Message::string(objectform::kDeletePicture, {std::to_string(m_current)}), Buttons::YesNo) ==
            Answer::Yes) {
            PictureTableEntry& e = m_table[static_cast<size_t>(m_current)];
            e = PictureTableEntry{};
            // A freed picture cannot stay chosen: OK would place an object without a picture.
            m_current = 0;
        }
    }
    fillList();
}

PictureForm::Preview PictureForm::preview() const {
    Preview p;
    if (!defined(m_table, m_current)) {
        return p;
    }
    const PictureTableEntry& e = m_table[static_cast<size_t>(m_current)];
    p.width = e.width;
    p.height = e.height;
    p.dark.assign(static_cast<size_t>(p.width * p.height), 0);
    for (int row = 0; row < p.height; ++row) {
        for (int x = 0; x < p.width; ++x) {
            size_t at = static_cast<size_t>(row * p.width + x);
            // Row 0 of the dot string is the bottom row; a short dot string leaves background.
            if (at < e.dots.size() && e.dots[at] == 0) {
                p.dark[static_cast<size_t>((p.height - 1 - row) * p.width + x)] = 1;
            }
        }
    }
    return p;
}

FormOutcome<PictureForm::Values> PictureForm::ok() const {
    // The chosen picture must exist, so that a placed object always has a picture to show.
    if (!defined(m_table, m_current)) {
        return FormOutcome<Values>::fail(Message::string(objectform::kDeleteOnlyFromScreen), kList);
    }
    return FormOutcome<Values>::accept(Values{m_table, m_current});
}

PictureForm::Table PictureForm::presetFrom(const Table& store) {
    Table t{};
    for (int i = kFirstSlot; i <= kLastSlot; ++i) {
        if (defined(store, i)) {
            t[static_cast<size_t>(i)] = store[static_cast<size_t>(i)];
        }
    }
    return t;
}

bool PictureForm::writeBack(const Table& edited, Table& store) {
    bool changed = false;
    for (int i = kFirstSlot; i <= kLastSlot; ++i) {
        PictureTableEntry& s = store[static_cast<size_t>(i)];
        const PictureTableEntry& e = edited[static_cast<size_t>(i)];
        if (defined(edited, i)) {
            if (s.id != e.id || s.width != e.width || s.height != e.height || s.dots != e.dots) {
                s.id = e.id;
                s.width = e.width;
                s.height = e.height;
                s.dots = e.dots;
                changed = true;
            }
        } else if (s.id != 0 || s.width != 0 || s.height != 0 || s.spare != 0 || !s.dots.empty()) {
            s = PictureTableEntry{};
            changed = true;
        }
    }
    return changed;
}

} // namespace dispcraft
