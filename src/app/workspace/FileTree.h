#pragma once

#include "app/workspace/WorkspaceTree.h"

namespace dispcraft {

// The file tree: fixed captions (strings 63561-63564), nothing to open.
class FileTree : public WorkspaceTree {
    Q_OBJECT
public:
    static constexpr int kFirstCaption = 63561;
    explicit FileTree(QWidget* parent = nullptr);
};

} // namespace dispcraft
