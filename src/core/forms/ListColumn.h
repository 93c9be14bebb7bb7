#pragma once

#include "base/Message.h"

namespace dispcraft {

// One column of a report-view list: its title and width in pixels.
struct ListColumn {
    Message title;
    int width = 0;

    bool operator==(const ListColumn&) const = default;
};

} // namespace dispcraft
