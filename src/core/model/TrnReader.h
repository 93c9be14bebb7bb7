#pragma once

#include "model/ProjectStore.h"
#include "base/Message.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace dispcraft {

// Reads a project file of any format below 80 into the store, upgrading older layouts. The
// questions, the closing of editor windows, the recent-file list, the file dialog, the model
// section and protocol files and the first editor window belong to the caller.
//
// A file is refused only when it is not a project file of a known format, claims more of
// something than the store holds, or ends before a block it must read (the fixed part, a
// screen's records, alarm group 1, the pools); a refused file leaves the store reset. A file that
// ends inside its last parts (the blocks after the pools) is read as far as it goes; the result
// says so. References that lead nowhere (texts outside their pools, pictures that are not
// defined, picture dots outside the picture data) do not stop the reading: they are kept as
// they are, listed in the result, and every reader takes such a text as empty and such a picture
// as absent.
class TrnReader {
public:
    struct Result {
        bool ok = false;
        Message message;   // when not ok: why the file was refused
        int fileFormat = 0; // format number as stored (the store's header says 51 afterwards)
        bool endsEarly = false; // the last parts were missing (warning trnmsg::kEndsEarly)
        std::string detail; // system reason when the file could not be opened
        // What was found and kept as it is, one message a line (see ProjectReferences).
        std::vector<Message> findings;
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
