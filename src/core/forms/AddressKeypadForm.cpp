#include "forms/AddressKeypadForm.h"

#include "forms/AddressRules.h"

#include <array>
#include <utility>

namespace dispcraft {

namespace {

struct KeyButton {
    int id;
    char key;
};

constexpr std::array<KeyButton, 16> kKeys{{{1013, '0'},
                                           {1008, '1'},
                                           {1009, '2'},
                                           {1010, '3'},
                                           {1005, '4'},
                                           {1006, '5'},
                                           {1007, '6'},
                                           {1002, '7'},
                                           {1003, '8'},
                                           {1004, '9'},
                                           {1016, 'A'},
                                           {1017, 'B'},
                                           {1012, 'C'},
                                           {1014, 'D'},
                                           {1015, 'E'},
                                           {1011, 'F'}}};

} // namespace

AddressKeypadForm::AddressKeypadForm(std::string text, std::string limit, std::string format) {
    m_fields.text = std::move(text);
    m_fields.limit = std::move(limit);
    m_fields.format = std::move(format);
}

std::optional<char> AddressKeypadForm::keyOfButton(int id) {
    for (const KeyButton& k : kKeys) {
        if (k.id == id) {
            return k.key;
        }
    }
    return std::nullopt;
}

void AddressKeypadForm::key(char c) {
    std::string& t = m_fields.text;
    if (t.size() < m_fields.limit.size()) {
        t.push_back(c);
    }
    if (!m_fields.firstKeyDone) {
        t.assign(1, c);
        m_fields.firstKeyDone = true;
    }
}

void AddressKeypadForm::button(int id) {
    if (auto c = keyOfButton(id)) {
        key(*c);
    } else if (id == kClearButton) {
        clear();
    } else if (id == kDeleteButton) {
        deleteLast();
    }
}

void AddressKeypadForm::clear() { m_fields.text.clear(); }

void AddressKeypadForm::deleteLast() {
    if (!m_fields.text.empty()) {
        m_fields.text.pop_back();
    }
}

FormOutcome<std::string> AddressKeypadForm::ok() const {
    if (!ValidateAddress(m_fields.text, m_fields.limit, m_fields.format)) {
        return FormOutcome<std::string>::fail(Message{}, kEdit);
    }
    return FormOutcome<std::string>::accept(padAddress(m_fields.text, 4));
}

} // namespace dispcraft
