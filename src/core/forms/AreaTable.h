#pragma once

#include "model/AddressArea.h"
#include "model/Capacity.h"
#include "model/PortProtocol.h"

#include <array>
#include <string>
#include <vector>

namespace dispcraft {

// The word or bit areas of one port's protocol as the dialogs offer them: the list ends at the
// first area named "end" (a missing key) or without a name and holds at most 10 entries, so a list index is also
// the area's index in the protocol file, which the stored area nibbles refer to.
struct AreaTable {
    std::array<AddressArea, capacity::kAreas> areas;

    // Number of areas before the first "end".
    int count() const;
    // The list entries (names as UTF-8).
    std::vector<std::string> names() const;
    // The area at a list index, or nullptr outside the list.
    const AddressArea* at(int index) const;
    // Range and format texts of an area; empty outside the list (such an address never passes).
    std::string range(int index) const;
    std::string format(int index) const;
};

// What the dialogs need of one port's protocol: both area tables and the bit-number setting
// ("NO" = addresses of this protocol take no bit number; otherwise the highest bit number).
struct PlcPortAreas {
    AreaTable wordAreas;
    AreaTable bitAreas;
    std::string bitNumberSetting = "NO";

    bool noBitNumber() const { return bitNumberSetting == "NO"; }
    const AreaTable& table(bool bits) const { return bits ? bitAreas : wordAreas; }

    // From what the store keeps of a port's protocol file; its station text is the port's
    // bit-number setting.
    static PlcPortAreas fromProtocol(const PortProtocol& protocol);
};

} // namespace dispcraft
