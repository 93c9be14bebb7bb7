#pragma once

#include <QString>

#include <optional>

class QTreeWidgetItem;

namespace dispcraft {

struct ProjectStore;

// The objects of a stored screen as children of its item in the project tree, filled when the
// item is first expanded: "NumDisp 1  COM1 DM 0078", "TextString 2  Flow". A double-click opens
// the screen with the object selected; the item's menu offers the other uses of its address.
namespace screenobjects {

struct ObjectRef {
    int screen = 0;
    int kindCode = 0;
    int index = 0; // 0-based
    bool hasAddress = false;
};

// Lets a screen item show that it can be expanded when its screen has objects.
void prepare(QTreeWidgetItem* screenItem, const ProjectStore& store, int screen);
// Adds the object items under a screen item that has none yet.
void fill(QTreeWidgetItem* screenItem, const ProjectStore& store, int screen);
// The object an item stands for, nothing for other items.
std::optional<ObjectRef> objectOf(const QTreeWidgetItem* item);
// The object's first address as the address usage dialog takes it ("COM1 DM 0078").
QString addressOf(const QTreeWidgetItem* item);

} // namespace screenobjects

} // namespace dispcraft
