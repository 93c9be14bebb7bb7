#pragma once

#include "editor/UndoCommand.h"

#include <memory>

namespace dispcraft {

// Where an editor hands the steps it records (the project's history).
class UndoSink {
public:
    virtual ~UndoSink() = default;
    // A change that is already done becomes the newest step.
    virtual void push(std::unique_ptr<UndoCommand> step) = 0;
};

} // namespace dispcraft
