#include "app/workspace/FileTree.h"

#include "app/workspace/TreeIcons.h"

namespace dispcraft {

FileTree::FileTree(QWidget* parent) : WorkspaceTree(kFirstCaption, 4, treeicons::fileList(), parent) {
    setObjectName(QStringLiteral("fileTree"));
    QTreeWidgetItem* root = addItem(nullptr, caption(0), 0, false, 1);
    for (int k = 1; k <= 3; ++k) {
        addItem(root, caption(k), 2, false, 3);
    }
    root->setExpanded(true);
}

} // namespace dispcraft
