#pragma once

#include "text/LanguageStrings.h"
#include "base/Message.h"

#include <QString>

namespace dispcraft::ui {

// Texts of the process's language (LanguageStrings::current()) as the widgets take them.
inline QString text(int id) { return QString::fromStdString(LanguageStrings::current().text(id)); }
inline QString text(const Message& m) {
    return QString::fromStdString(LanguageStrings::current().format(m));
}
// Command texts: "caption\ntip" (the caption keeps its '&' access key).
inline QString caption(int command) {
    return QString::fromStdString(LanguageStrings::current().caption(command));
}
inline QString tip(int command) { return QString::fromStdString(LanguageStrings::current().tip(command)); }
inline QString qs(const std::string& s) { return QString::fromStdString(s); }
inline std::string str(const QString& s) { return s.toStdString(); }

} // namespace dispcraft::ui
