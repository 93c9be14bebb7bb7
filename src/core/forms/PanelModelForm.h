#pragma once

#include "forms/FormOutcome.h"
#include "base/MessageSink.h"

#include <string>
#include <vector>

namespace dispcraft {

// The panel model dialog (template 156): changes the model of an open project.
class PanelModelForm {
public:
    enum Control { kList = 1104 };

    struct Fields {
        int selected = 0; // index in the model list
    };
    struct Values {
        std::string modelTitle; // "TR - " and the model code character
    };

    // oemFlag: the store's OEM flag; modelFile: path of "qelsys.ini"; modelTitle: the current one.
    PanelModelForm(int oemFlag, const std::string& modelFile, const std::string& modelTitle);

    Fields& fields() { return m_fields; }
    const Fields& fields() const { return m_fields; }
    // Only "QEL110" for an OEM installation, else the names T1..T20 of section "TYPE" up to the
    // first "none".
    const std::vector<std::string>& entries() const { return m_entries; }

    // The title with its sixth character 'A' + the chosen index; message 61551 is shown.
    FormOutcome<Values> ok(MessageSink& sink) const;

    // The model names of section "TYPE": T1..T20 in turn, stopping at the first "none".
    static std::vector<std::string> readModelList(const std::string& modelFile,
                                                  bool caseInsensitiveNone);

private:
    Fields m_fields;
    std::vector<std::string> m_entries;
};

} // namespace dispcraft
