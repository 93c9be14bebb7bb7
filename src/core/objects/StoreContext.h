#pragma once

#include "objects/PictureTable.h"

#include <string>

namespace dispcraft {

// What storing a working record into a stored one needs besides the record.
struct StoreContext {
    std::string& screenPool;      // the screen's texts, rebuilt by the store
    std::string& globalPool;      // the project's pool, where previews go
    const PictureTable& pictures; // sizes of the pictures shown
};

} // namespace dispcraft
