#pragma once

#include <functional>
#include <optional>

namespace dispcraft {

// How a form opens a sub-dialog: the GUI shows the dialog bound to the given form and returns
// the values its OK produced, or nothing when it was cancelled. Tests script the answers.
template <typename Form>
using FormRunner = std::function<std::optional<typename Form::Values>(Form&)>;

} // namespace dispcraft
