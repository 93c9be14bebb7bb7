#pragma once

#include "model/ProjectStore.h"
#include "base/Message.h"

#include <string>

namespace dispcraft {

// Writes the store as a project file (format 51). The dialogs and the storing of open editor
// windows come before and belong to the caller.
class TrnWriter {
public:
    struct Options {
        // Header word 6 takes the model code from the model title. Saving from the active editor
        // window keeps the code set by new project, load or the last save.
        bool setModelCode = true;
    };
    struct Result {
        bool ok = false;
        Message message; // when not ok
        std::string detail; // system reason of a failed write, for logs and the command line
    };

    // Everything saving changes in the store before any byte is written: header (mark, format 51,
    // model code), the project-wide and per-screen old key records, the port number word, the
    // picture directory and dot pool, the global text pool rebuilt from the screen and alarm
    // pools, the screen entries' pool lengths and file offsets, and the file index. The build
    // calls it too, since it compiles from exactly these. Fails (changing nothing) when a count
    // is above its capacity.
    static Result prepare(ProjectStore& store, Options options);
    static Result prepare(ProjectStore& store) { return prepare(store, Options{}); }

    // The file's bytes for a prepared store.
    static std::string serialise(const ProjectStore& store);

    // prepare + serialise, written to path through a temporary file that replaces the old file
    // only when complete: on failure message 61561 and the old file is kept.
    static Result save(ProjectStore& store, const std::string& path, Options options);
    static Result save(ProjectStore& store, const std::string& path) {
        return save(store, path, Options{});
    }

    // Bytes one existing screen takes in the screen record part of the file.
    static size_t screenRecordSize(const ScreenEntry& entry, int format = 51);
};

} // namespace dispcraft
