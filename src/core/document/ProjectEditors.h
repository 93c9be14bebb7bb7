#pragma once

namespace dispcraft {

// The open screen editors as the project document sees them. Each editor works on copies of
// its screen's records, so the document asks them before it decides whether the project has
// unsaved changes, and has them store their copies before the file is written.
class ProjectEditors {
public:
    virtual ~ProjectEditors() = default;
    // Whether an open editor holds changes it has not stored into the project yet.
    virtual bool anyModified() const = 0;
    // Stores every open editor into the project. An editor that could not be stored (its
    // screen number was not given) keeps its changes and stays modified.
    virtual void storeAll() = 0;
    // The project goes: every editor closes without a question of its own (the document asked
    // first), and a clipboard block an editor published goes with it.
    virtual void closeAll() = 0;
};

} // namespace dispcraft
