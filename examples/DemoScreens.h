#pragma once

#include "model/ProjectStore.h"

#include <string>

namespace dispcraft::examples {

// Where the LCD of the demo's panel model lies on its panel picture (view pixels).
struct LcdPlace {
    int x = 0;
    int y = 0;
};

// Fills a new project with the demo content: several screens using every object kind, GB2312
// and ASCII texts, two pictures, alarms, keys and (for two ports) change records.
void addDemoContent(ProjectStore& store, LcdPlace lcd, bool twoPort);

// A small project with one object of each kind, for the fuzzer's seeds; no model needed.
void addSeedContent(ProjectStore& store);

} // namespace dispcraft::examples
