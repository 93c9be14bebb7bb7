#pragma once

#include "app/workspace/WorkspaceTree.h"

namespace dispcraft {

// The resource tree: fixed captions from string 63565 on (the root and five children shown),
// nothing to open.
class ResourceTree : public WorkspaceTree {
    Q_OBJECT
public:
    static constexpr int kFirstCaption = 63565;
    explicit ResourceTree(QWidget* parent = nullptr);
};

} // namespace dispcraft
