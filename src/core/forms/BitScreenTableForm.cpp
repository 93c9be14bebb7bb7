#include "forms/BitScreenTableForm.h"

#include "forms/FormMessages.h"

namespace dispcraft {

BitScreenTableForm::BitScreenTableForm(int count, const std::array<uint8_t, kEntries>& screens) {
    m_fields.count = count;
    m_fields.screens = screens;
}

std::vector<ListColumn> BitScreenTableForm::columns() {
    return {{Message::string(formmsg::kTableBitColumn), 80}, {Message::string(formmsg::kTableScreenColumn), 120}};
}

void BitScreenTableForm::refresh(MessageSink& sink) {
    if (m_fields.count > kEntries) {
        sink.show(Message::string(formmsg::kTooManyTableBits), Icon::Warning);
        m_fields.count = kEntries;
    } else if (m_fields.count < 0) {
        // A negative count would wrap to 255 in the stored byte.
        sink.show(formmsg::range(0, kEntries), Icon::Warning);
        m_fields.count = 0;
    }
    m_rows.clear();
    for (int i = 0; i < m_fields.count; ++i) {
        m_rows.push_back(Row{"BIT" + std::to_string(i) + "=ON",
                             Message::string(formmsg::kTableScreen, {std::to_string(m_fields.screens[i])})});
    }
}

void BitScreenTableForm::editRow(int row, MessageSink& sink,
                                 const FormRunner<ScreenNumberForm>& run) {
    if (row < 0 || row >= static_cast<int>(m_rows.size())) {
        return;
    }
    ScreenNumberForm form(m_fields.screens[static_cast<size_t>(row)], formmsg::kBitScreenTitle);
    if (auto v = run(form)) {
        m_fields.screens[static_cast<size_t>(row)] = static_cast<uint8_t>(v->number);
    }
    refresh(sink);
}

FormOutcome<BitScreenTableForm::Values> BitScreenTableForm::ok() const {
    // The count is refreshed when its edit loses the focus, which OK by the keyboard skips.
    if (!countRange().contains(m_fields.count)) {
        if (m_fields.count > kEntries) {
            return FormOutcome<Values>::fail(Message::string(formmsg::kTooManyTableBits), kCount);
        }
        return FormOutcome<Values>::fail(formmsg::range(0, kEntries), kCount);
    }
    Values v;
    v.count = static_cast<uint8_t>(m_fields.count);
    v.screens = m_fields.screens;
    return FormOutcome<Values>::accept(v);
}

} // namespace dispcraft
