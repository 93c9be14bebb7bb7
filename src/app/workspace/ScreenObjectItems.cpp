#include "app/workspace/ScreenObjectItems.h"

#include "app/UiText.h"
#include "model/ProjectStore.h"
#include "report/AddressXref.h"
#include "report/ObjectRows.h"
#include "text/Gb2312.h"

#include <QTreeWidgetItem>

namespace dispcraft::screenobjects {

namespace {

constexpr int kScreenRole = Qt::UserRole + 10;
constexpr int kKindRole = Qt::UserRole + 11;
constexpr int kIndexRole = Qt::UserRole + 12;
constexpr int kAddressRole = Qt::UserRole + 13;
// Enough of a text to recognise it in a narrow tree.
constexpr int kTextShown = 24;

} // namespace

void prepare(QTreeWidgetItem* screenItem, const ProjectStore& store, int screen) {
    bool any = false;
    const ScreenEntry& e = store.entries[static_cast<size_t>(screen)];
    forEachKind([&](auto kind) { any = any || e.count<decltype(kind)>() > 0; });
    screenItem->setChildIndicatorPolicy(any ? QTreeWidgetItem::ShowIndicator
                                            : QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

void fill(QTreeWidgetItem* screenItem, const ProjectStore& store, int screen) {
    if (screenItem->childCount() > 0) {
        return;
    }
    for (const ObjectRow& row : ObjectRows::of(store, screen)) {
        QString caption = QStringLiteral("%1 %2").arg(QString::fromLatin1(row.kind)).arg(row.index);
        QString address;
        if (row.use) {
            address = ui::qs(AddressXref::entryOf(store, *row.use).label());
            caption += QStringLiteral("  ") + address;
        } else if (!row.cells.text.empty()) {
            QString text = ui::qs(Gb2312::toUtf8Lossy(row.cells.text));
            if (text.size() > kTextShown) {
                text = text.left(kTextShown) + QStringLiteral("...");
            }
            caption += QStringLiteral("  ") + text;
        }
        auto* item = new QTreeWidgetItem(screenItem, {caption});
        item->setData(0, kScreenRole, screen);
        item->setData(0, kKindRole, row.kindCode);
        item->setData(0, kIndexRole, row.index - 1);
        item->setData(0, kAddressRole, address);
        item->setToolTip(0, caption);
    }
}

std::optional<ObjectRef> objectOf(const QTreeWidgetItem* item) {
    if (!item || !item->data(0, kKindRole).isValid()) {
        return std::nullopt;
    }
    return ObjectRef{item->data(0, kScreenRole).toInt(), item->data(0, kKindRole).toInt(),
                     item->data(0, kIndexRole).toInt(),
                     !item->data(0, kAddressRole).toString().isEmpty()};
}

QString addressOf(const QTreeWidgetItem* item) {
    return item ? item->data(0, kAddressRole).toString() : QString();
}

} // namespace dispcraft::screenobjects
