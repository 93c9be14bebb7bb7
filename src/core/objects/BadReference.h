#pragma once

#include "objects/PictureTable.h"

#include <cstddef>
#include <vector>

namespace dispcraft {

// A reference of a stored record that leads nowhere: a text outside the screen's text pool, or
// a picture that is not defined. Files written by other programs or older versions hold such
// records; they are kept as they are, and every reader takes the text as empty and the picture
// as absent.
struct BadReference {
    enum class What { Text, Picture };
    What what = What::Text;
    int text = 0;    // Text: which of the object's texts (1..16) for a kind with several, else 0
    int picture = 0; // Picture: the number the record names

    bool operator==(const BadReference&) const = default;
};

// What a record's references are checked against.
struct ReferenceScope {
    size_t screenPoolSize = 0;
    const PictureTable& pictures;
};

using BadReferences = std::vector<BadReference>;

} // namespace dispcraft
