#pragma once

#include "objects/LampFileRead.h"

#include <string>

namespace dispcraft {

// Where opening a lamp finds the dots of its picture file, by lamp name.
class LampDotSource {
public:
    virtual ~LampDotSource() = default;
    virtual LampFileRead read(const std::string& name) = 0;
};

} // namespace dispcraft
