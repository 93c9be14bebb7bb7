#pragma once

#include <cstdint>

namespace dispcraft {

#pragma pack(push, 1)
// The pair of values that belongs to NumDisp i of the same screen.
struct NumDispSideRecord {
    int32_t value1;
    int32_t value2;
};
#pragma pack(pop)
static_assert(sizeof(NumDispSideRecord) == 8);

} // namespace dispcraft
