#include "forms/ScreenAssignForm.h"

#include "forms/FormMessages.h"
#include "forms/FormText.h"
#include "model/ProjectStore.h"

namespace dispcraft {

namespace {

bool exists(const ScreenAssignForm::Directory& entries, int n) {
    return n >= capacity::kFirstScreen && n <= capacity::kLastScreen && entries[n].number == n;
}

} // namespace

ScreenAssignForm::ScreenAssignForm(const Directory& entries) : m_entries(entries) {
    for (int n = capacity::kFirstScreen; n <= capacity::kLastScreen; ++n) {
        if (exists(m_entries, n)) {
            m_rows.push_back(Row{std::to_string(n), formtext::fromStore(m_entries[n].nameString())});
        }
    }
}

void ScreenAssignForm::pickRow(size_t row) {
    if (row < m_rows.size()) {
        m_fields.number = std::stoll(m_rows[row].id);
        m_fields.name = m_rows[row].name;
    }
}

std::vector<ListColumn> ScreenAssignForm::columns() {
    return {{Message::text("ID"), 30}, {Message::string(formmsg::kScreenNameColumn), 200}};
}

FormOutcome<ScreenAssignForm::Values> ScreenAssignForm::ok(MessageSink& sink) const {
    if (!range().contains(m_fields.number)) {
        return FormOutcome<Values>::fail(Message::string(formmsg::kScreenNumberRange), kNumber);
    }
    const int n = static_cast<int>(m_fields.number);
    auto gb = formtext::toStore(m_fields.name, kName);
    if (!gb.ok()) {
        return FormOutcome<Values>::failLike(gb);
    }
    if (exists(m_entries, n)) {
        Answer a = sink.ask(Message::string(formmsg::kReplaceScreen, {std::to_string(n)}), Buttons::YesNoDefaultNo);
        if (a != Answer::Yes) {
            return FormOutcome<Values>::fail(Message{}, kNumber);
        }
    }
    return FormOutcome<Values>::accept(
        Values{n, formmsg::cutGb(*gb.values, formmsg::kScreenNameBytes)});
}

bool ScreenAssignForm::assign(ProjectStore& store, const Values& values, int previousNumber) {
    const int n = values.number;
    if (n < capacity::kFirstScreen || n > capacity::kLastScreen) {
        return false;
    }
    const bool existed = store.screenExists(n);
    if (previousNumber >= capacity::kFirstScreen && previousNumber <= capacity::kLastScreen &&
        previousNumber != n) {
        store.screenOpen[previousNumber] = 0;
    }
    ScreenEntry& e = store.entries[n];
    e.number = static_cast<uint8_t>(n);
    e.setName(formmsg::cutGb(values.name, formmsg::kScreenNameBytes));
    store.screenOpen[n] = 1;
    return existed;
}

} // namespace dispcraft
