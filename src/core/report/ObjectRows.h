#pragma once

#include "objects/PlcUse.h"
#include "objects/ReportCells.h"

#include <optional>
#include <vector>

namespace dispcraft {

struct ProjectStore;

// One stored object of a screen as the report and the project tree list it.
struct ObjectRow {
    int kindCode = 0;
    const char* kind = ""; // as the code names the kind
    int index = 0;         // 1-based in its kind's list
    int x = 0;             // LCD dots from the LCD's top left corner
    int y = 0;
    ReportCells cells;
    std::optional<PlcUse> use;
};

// The objects of a stored screen in the order of its lists.
class ObjectRows {
public:
    static std::vector<ObjectRow> of(const ProjectStore& store, int screen);
};

} // namespace dispcraft
