#pragma once

#include "app/dialogs/DialogLabels.h"

namespace dispcraft::dlgtext {

// Labels of the lamp, numeric display, graph and picture dialogs, one language string each.
constexpr Pack kLamp{65785, 0};
constexpr Pack kNumDisp{65786, 0};
constexpr Pack kShortNum{65787, 0};
constexpr Pack kBarGraph{65788, 0};
constexpr Pack kTrendGraph{65789, 0};
constexpr Pack kPicture{65790, 0};

} // namespace dispcraft::dlgtext
