#pragma once

#include "model/AddressArea.h"
#include "model/Capacity.h"

#include <array>
#include <string>

namespace dispcraft {

// What the store keeps of one port's protocol file.
struct PortProtocol {
    std::array<AddressArea, capacity::kAreas> wordAreas;
    std::array<AddressArea, capacity::kAreas> bitAreas;
    std::string stationText;
    int changePerLen = 16;
    int changeMaxNum = 10;
};

} // namespace dispcraft
