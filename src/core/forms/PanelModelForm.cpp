#include "forms/PanelModelForm.h"

#include "config/PrivateProfile.h"
#include "forms/FormMessages.h"
#include "forms/FormText.h"

#include <strings.h>

namespace dispcraft {

std::vector<std::string> PanelModelForm::readModelList(const std::string& modelFile,
                                                       bool caseInsensitiveNone) {
    std::vector<std::string> v;
    for (int i = 1; i <= 20; ++i) {
        std::string name =
            PrivateProfile::getString(modelFile, "TYPE", "T" + std::to_string(i), "none", 100);
        bool none = caseInsensitiveNone ? strcasecmp(name.c_str(), "none") == 0 : name == "none";
        if (none) {
            break;
        }
        v.push_back(formtext::fromStore(name));
    }
    return v;
}

PanelModelForm::PanelModelForm(int oemFlag, const std::string& modelFile,
                               const std::string& modelTitle) {
    if (oemFlag == 1) {
        m_entries = {"QEL110"};
        m_fields.selected = 0;
        return;
    }
    m_entries = readModelList(modelFile, false);
    int sel = modelTitle.size() > 5 ? modelTitle[5] - 'A' : 0;
    // A title whose code lies outside the list leaves no entry chosen in a plain list; the
    // first one is chosen instead, so OK never forms a code before 'A'.
    if (sel < 0 || sel >= static_cast<int>(m_entries.size())) {
        sel = 0;
    }
    m_fields.selected = sel;
}

FormOutcome<PanelModelForm::Values> PanelModelForm::ok(MessageSink& sink) const {
    std::string title = "TR - A";
    int sel = m_fields.selected < 0 ? 0 : m_fields.selected;
    title[5] = static_cast<char>('A' + sel);
    sink.show(Message::string(formmsg::kModelChanged), Icon::Information);
    return FormOutcome<Values>::accept(Values{title});
}

} // namespace dispcraft
