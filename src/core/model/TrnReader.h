#pragma once

#include "model/ProjectStore.h"
#include "base/Message.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace dispcraft {

// Reads a project file of any format below 80 into the store, upgrading older layouts. The
// questions, the closing of editor windows, the recent-file list, the file dialog, the model
// section and protocol files and the first editor window belong to the caller.
//
// Damaged files are refused: counts above their capacities, pools or records past the end of
// the file, texts or picture dots outside their pools. A refused file leaves the store reset.
// A file that merely ends inside its last parts (the blocks after the pools) is read as far as
// it goes; the result says so.
class TrnReader {
public:
    struct Result {
        bool ok = false;
        Message message;   // when not ok: why the file was refused
        int fileFormat = 0; // format number as stored (the store's header says 51 afterwards)
        bool endsEarly = false; // the last parts were missing (warning trnmsg::kEndsEarly)
        std::string detail; // system reason when the file could not be opened
    };

    // The store is reset first, so any store may be passed.
    static Result read(ProjectStore& store, const uint8_t* data, size_t size);
    // Reads the file and then read(); on success the store's project path is the path.
    static Result load(ProjectStore& store, const std::string& path);

    // What the store takes from its project block and header once loaded: protocol names and
    // the model title "TR - " + model code. The model section and protocol files come after.
    static void applyLoadedNames(ProjectStore& store);
};

} // namespace dispcraft
