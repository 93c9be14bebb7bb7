#include "forms/FormText.h"

#include "forms/ObjectFormMessages.h"
#include "text/Gb2312.h"

namespace dispcraft::formtext {

std::string fromStore(std::string_view gb) {
    Gb2312::Result r = Gb2312::toUtf8(gb);
    return r.ok ? r.text : Gb2312::toUtf8Lossy(gb);
}

FormOutcome<std::string> toStore(std::string_view utf8, int focus) {
    Gb2312::Result r = Gb2312::fromUtf8(utf8);
    if (!r.ok) {
        return FormOutcome<std::string>::fail(
            Message::string(objectform::kNotGb2312, {r.offending}), focus, Icon::Warning);
    }
    return FormOutcome<std::string>::accept(std::move(r.text));
}

} // namespace dispcraft::formtext
