#include "app/workspace/ResourceTree.h"

#include "app/workspace/TreeIcons.h"

namespace dispcraft {

ResourceTree::ResourceTree(QWidget* parent)
    : WorkspaceTree(kFirstCaption, 9, treeicons::resourceList(), parent) {
    setObjectName(QStringLiteral("resourceTree"));
    QTreeWidgetItem* root = addItem(nullptr, caption(0), 1, true);
    for (int k = 1; k <= 5; ++k) {
        addItem(root, caption(k), 0, false, 1);
    }
    root->setExpanded(true);
}

} // namespace dispcraft
