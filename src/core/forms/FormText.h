#pragma once

#include "forms/FormOutcome.h"

#include <string>
#include <string_view>

namespace dispcraft {

// The forms hold texts as UTF-8 (what widgets show); the records hold GB2312 bytes.
namespace formtext {
// GB2312 bytes of a record as UTF-8. Bytes that are not GB2312 show as U+FFFD, which the way back
// refuses, so a damaged text is never written back silently changed.
std::string fromStore(std::string_view gb);
// UTF-8 of a form field as GB2312, or the refusal naming the first character outside GB2312
// (focus on the given control).
FormOutcome<std::string> toStore(std::string_view utf8, int focus);
} // namespace formtext

} // namespace dispcraft
