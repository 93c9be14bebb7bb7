#pragma once

#include <QIcon>
#include <vector>

namespace dispcraft {

// The image lists of the three workspace trees, drawn at 16 x 16 and indexed as the trees'
// items name them.
namespace treeicons {

// Project tree: 0 folder, 1 screen page, 2 alarm bell, 3 settings, 4 link, 5 panel.
std::vector<QIcon> projectList();
// File tree: 0 folder, 1 open folder, 2 document, 3 document (selected).
std::vector<QIcon> fileList();
// Resource tree: 0 resource, 1 resource (selected).
std::vector<QIcon> resourceList();

// An icon that shows another picture while its item is selected.
QIcon withSelected(const QIcon& normal, const QIcon& selected);

} // namespace treeicons

} // namespace dispcraft
