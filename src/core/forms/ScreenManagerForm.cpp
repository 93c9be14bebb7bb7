#include "forms/ScreenManagerForm.h"

#include "forms/FormMessages.h"
#include "forms/FormText.h"
#include "model/ProjectStore.h"

#include <cstring>

namespace dispcraft {

ScreenManagerForm::ScreenManagerForm(ProjectStore& store) : m_store(store) { fill(); }

std::vector<ListColumn> ScreenManagerForm::columns() {
    return {{Message::text("ID"), 30}, {Message::string(formmsg::kNameColumn), 200}};
}

bool ScreenManagerForm::exists(long long n) const {
    return n >= capacity::kFirstScreen && n <= capacity::kLastScreen &&
           m_store.screenExists(static_cast<int>(n));
}

void ScreenManagerForm::fill() {
    m_rows.clear();
    for (int n = capacity::kFirstScreen; n <= capacity::kLastScreen; ++n) {
        if (m_store.screenExists(n)) {
            m_rows.push_back(Row{std::to_string(n), formtext::fromStore(m_store.entries[n].nameString())});
        }
    }
}

bool ScreenManagerForm::enabled(int control) const {
    switch (control) {
    case kCopy:
        return m_rowSelected;
    case kDelete:
        return m_rowSelected && !m_chosenOpen;
    case kOk:
        return !m_chosenOpen;
    default:
        return true;
    }
}

void ScreenManagerForm::select(int row) {
    if (row < 0 || row >= static_cast<int>(m_rows.size())) {
        return;
    }
    m_fields.chosen = std::stoi(m_rows[static_cast<size_t>(row)].id);
    m_rowSelected = true;
    m_chosenOpen = m_store.screenOpen[static_cast<size_t>(m_fields.chosen)] == 1;
}

FormOutcome<ScreenManagerForm::Values> ScreenManagerForm::ok() const {
    if (m_fields.chosen == 0) {
        return FormOutcome<Values>::fail(Message::string(formmsg::kChooseScreen), kNumber);
    }
    if (!exists(m_fields.chosen)) {
        return FormOutcome<Values>::fail(Message::string(formmsg::kNoSuchScreen), kNumber);
    }
    return FormOutcome<Values>::accept(Values{static_cast<int>(m_fields.chosen)});
}

uint32_t ScreenManagerForm::reloadFlag(const ScreenEntry& e) {
    uint32_t v;
    std::memcpy(&v, e.reserved24, sizeof v);
    return v;
}

void ScreenManagerForm::setReloadFlag(ScreenEntry& e, uint32_t value) {
    std::memcpy(e.reserved24, &value, sizeof value);
}

void ScreenManagerForm::copyScreen(ProjectStore& store, int from, int to, const std::string& gbName) {
    if (from < capacity::kFirstScreen || from > capacity::kLastScreen ||
        to < capacity::kFirstScreen || to > capacity::kLastScreen || from == to) {
        return;
    }
    const bool existed = store.screenExists(to);
    store.screens[to] = store.screens[from];
    store.entries[to] = store.entries[from];
    store.entries[to].number = static_cast<uint8_t>(to);
    store.entries[to].setName(formmsg::cutGb(gbName, formmsg::kScreenNameBytes));
    setReloadFlag(store.entries[to], existed ? 1 : 0);
}

void ScreenManagerForm::copy(MessageSink& sink, const FormRunner<ScreenNumberForm>& run) {
    const long long source = m_fields.chosen;
    if (!exists(source)) {
        sink.show(Message::string(formmsg::kNoSuchScreen), Icon::Warning);
        return;
    }
    ScreenNumberForm form(source);
    auto chosen = run(form);
    if (!chosen) {
        return;
    }
    const int target = chosen->number;
    if (target == source) {
        sink.show(Message::string(formmsg::kCopyOntoItself), Icon::Warning);
        return;
    }
    // Screen 0 is never used: a copy there would be lost.
    if (target < capacity::kFirstScreen || target > capacity::kLastScreen) {
        sink.show(formmsg::range(capacity::kFirstScreen, capacity::kLastScreen), Icon::Warning);
        return;
    }
    if (m_store.screenExists(target)) {
        Message q = Message::string(formmsg::kCopyOntoScreen, {std::to_string(source), std::to_string(target)});
        if (sink.ask(q, Buttons::OkCancelDefaultCancel, formmsg::kCopyScreenTitle) != Answer::Ok) {
            return;
        }
    }
    copyScreen(m_store, static_cast<int>(source), target,
               m_store.entries[static_cast<size_t>(source)].nameString());
    fill();
}

void ScreenManagerForm::renumber(MessageSink& sink, const FormRunner<ScreenNumberNameForm>& run) {
    const long long old = m_fields.chosen;
    if (!exists(old)) {
        sink.show(Message::string(formmsg::kNoSuchScreen), Icon::Warning);
        return;
    }
    const int from = static_cast<int>(old);
    ScreenNumberNameForm form(from, m_store.entries[from].nameString());
    auto chosen = run(form);
    if (!chosen) {
        return;
    }
    const int to = chosen->number;
    const std::string name = formmsg::cutGb(chosen->name, formmsg::kScreenNameBytes);
    if (to == from) {
        m_store.entries[from].setName(name);
        fill();
        m_treesChanged = true;
        return;
    }
    // Moving a screen to number 0 would drop it from the project.
    if (to < capacity::kFirstScreen || to > capacity::kLastScreen) {
        sink.show(formmsg::range(capacity::kFirstScreen, capacity::kLastScreen), Icon::Warning);
        return;
    }
    if (m_store.screenExists(to)) {
        Message q = Message::string(formmsg::kRenumberOntoScreen, {std::to_string(from), std::to_string(to)});
        if (sink.ask(q, Buttons::OkCancel, formmsg::kRenumberScreenTitle) != Answer::Ok) {
            return;
        }
    }
    copyScreen(m_store, from, to, name);
    m_store.entries[from].number = 0;
    m_fields.chosen = to;
    fill();
    m_treesChanged = true;
}

void ScreenManagerForm::remove(MessageSink& sink) {
    const long long n = m_fields.chosen;
    // Only real screen slots: 0 is never used and 200 lies beyond the directory.
    if (n < capacity::kFirstScreen || n > capacity::kLastScreen) {
        return;
    }
    // The button is disabled for a selected open screen, but the number can be typed: a
    // window would go on showing, and store again, a screen no longer in the project.
    if (m_store.screenOpen[static_cast<size_t>(n)] == 1) {
        sink.show(Message::string(formmsg::kScreenOpenNoDelete, {std::to_string(n)}), Icon::Warning);
        return;
    }
    if (sink.ask(Message::string(formmsg::kDeleteScreenNumber, {std::to_string(n)}), Buttons::OkCancel) != Answer::Ok) {
        return;
    }
    ScreenEntry& e = m_store.entries[static_cast<size_t>(n)];
    e.number = 0;
    e.name[0] = 0;
    m_store.screenOpen[static_cast<size_t>(n)] = 0;
    fill();
}

} // namespace dispcraft
