#pragma once

#include <cstdint>

namespace dispcraft {

#pragma pack(push, 1)
// The pair of values that belongs to NumDisp i of the same screen: the high and low of its alarm
// range (the short form keeps its maximum and minimum here as well).
struct NumDispSideRecord {
    int32_t high;
    int32_t low;
};
#pragma pack(pop)
static_assert(sizeof(NumDispSideRecord) == 8);

} // namespace dispcraft
