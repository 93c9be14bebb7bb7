// Feeds arbitrary bytes to the language file reader as the content of a ".lang" file, then
// formats every text it read with arguments, as messages are shown: no text, however its
// placeholders are written, may read outside its arguments or the text.
#include "base/Message.h"
#include "text/LanguageStrings.h"

#include <cstdlib>
#include <string_view>

using namespace dispcraft;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static LanguageStrings* strings = new LanguageStrings;
    const size_t count =
        strings->parse(std::string_view(reinterpret_cast<const char*>(data), size));
    if (count != strings->texts().size()) {
        std::abort();
    }
    int formatted = 0;
    for (const auto& [id, text] : strings->texts()) {
        if (++formatted > 64) {
            break;
        }
        (void)strings->format(Message::string(id));
        (void)strings->format(Message::string(id, {"7", "-12", "text", "x"}));
        (void)strings->caption(id);
        (void)strings->tip(id);
    }
    // The text itself as a pattern, with too few and with odd arguments.
    const std::string pattern(reinterpret_cast<const char*>(data), size);
    (void)LanguageStrings::substitute(pattern, {});
    (void)LanguageStrings::substitute(pattern, {"99999999999999999999", "", "%s%n"});
    return 0;
}
