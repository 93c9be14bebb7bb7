#pragma once

#include <string>

namespace dispcraft {

// The toolkit's own texts (the buttons of message boxes, the file dialogs) in the language of
// the program: its Chinese translations for the Chinese library, none for English. Replaces
// what an earlier call installed; false when the translations are not installed.
bool installToolkitTranslations(const std::string& languageLibrary);

} // namespace dispcraft
