#pragma once

#include <string>

namespace dispcraft {

// One word or bit area of a PLC as its protocol file names it. "end" marks a missing key.
struct AddressArea {
    std::string name;
    std::string range;
    std::string format;
};

} // namespace dispcraft
