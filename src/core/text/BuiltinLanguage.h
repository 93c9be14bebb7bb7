#pragma once

#include <string_view>

namespace dispcraft {

// The content of the English language file as it was at build time (generated from
// data/program/ZOZUDEDevo.lang).
std::string_view builtinEnglishLanguage();

} // namespace dispcraft
