#pragma once

#include "base/Message.h"
#include "document/ProjectChangeCommand.h"

#include <memory>

namespace dispcraft {

struct ProjectStore;

// The project before a change: a copy of what the user can change in it (settings, the screen
// directory, the stored screens). Compared with the store after the change it gives the step
// of the history, which keeps only what differs.
//
// Not copied: what saving derives (the file index, the pools and the picture directory as
// written), what the program keeps beside the project (paths, recent files, which screens are
// open), and the build's scratch pool.
class ProjectCheckpoint {
public:
    explicit ProjectCheckpoint(const ProjectStore& store);
    ~ProjectCheckpoint();
    ProjectCheckpoint(const ProjectCheckpoint&) = delete;
    ProjectCheckpoint& operator=(const ProjectCheckpoint&) = delete;

    // The change from the checkpoint to now; null when nothing the checkpoint covers changed.
    std::unique_ptr<ProjectChangeCommand> changeTo(const ProjectStore& now, Message name) const;

private:
    std::unique_ptr<ProjectStore> m_before;
};

} // namespace dispcraft
