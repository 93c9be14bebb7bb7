#include "app/workspace/WorkspaceTree.h"

#include "app/UiText.h"
#include "text/Gb2312.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionViewItem>

#include <memory>

namespace dispcraft {

WorkspaceTree::WorkspaceTree(int firstString, int count, std::vector<QIcon> images, QWidget* parent)
    : QTreeWidget(parent), m_images(std::move(images)) {
    for (int k = 0; k < count; ++k) {
        m_captions << ui::text(firstString + k);
    }
    setHeaderHidden(true);
    setColumnCount(1);
    // Long link names scroll sideways rather than lose their end; the row still spans the
    // whole width (see resizeEvent).
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    setRootIsDecorated(true);
    setIndentation(16);
    setIconSize(QSize(16, 16));
    setUniformRowHeights(true);
    setExpandsOnDoubleClick(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Lines, not a table: the caption is the whole item.
    setFrameShape(QFrame::NoFrame);
}

const QIcon& WorkspaceTree::image(int k) const {
    static const QIcon none;
    return k >= 0 && k < static_cast<int>(m_images.size()) ? m_images[static_cast<size_t>(k)] : none;
}

QTreeWidgetItem* WorkspaceTree::addItem(QTreeWidgetItem* parent, const QString& text, int img,
                                        bool bold, int selectedImage) {
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
    item->setText(0, text);
    QIcon icon = image(img);
    if (selectedImage >= 0) {
        icon.addPixmap(image(selectedImage).pixmap(iconSize()), QIcon::Selected);
    }
    item->setIcon(0, icon);
    if (bold) {
        QFont f = font();
        f.setBold(true);
        item->setFont(0, f);
    }
    return item;
}

QRect WorkspaceTree::captionRect(const QTreeWidgetItem* item) const {
    if (!item || item->text(0).isEmpty()) {
        return {};
    }
    const QModelIndex index = indexFromItem(item);
    const QRect cell = visualRect(index);
    if (!cell.isValid()) {
        return {};
    }
    // The text's own extent after the picture, as the style lays the cell out.
    QStyleOptionViewItem opt;
    opt.initFrom(this);
    opt.rect = cell;
    opt.font = item->font(0);
    opt.fontMetrics = QFontMetrics(opt.font);
    opt.text = item->text(0);
    opt.features = QStyleOptionViewItem::HasDisplay;
    if (!item->icon(0).isNull()) {
        opt.features |= QStyleOptionViewItem::HasDecoration;
        opt.icon = item->icon(0);
        opt.decorationSize = iconSize();
    }
    opt.decorationPosition = QStyleOptionViewItem::Left;
    opt.displayAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    opt.viewItemPosition = QStyleOptionViewItem::OnlyOne;
    QRect text = style()->subElementRect(QStyle::SE_ItemViewItemText, &opt, this);
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, &opt, this) + 1;
    const int width = opt.fontMetrics.horizontalAdvance(opt.text) + 2 * margin;
    if (width < text.width()) {
        text.setWidth(width);
    }
    return text.intersected(cell);
}

QTreeWidgetItem* WorkspaceTree::itemOnCaption(const QPoint& pos) const {
    QTreeWidgetItem* item = itemAt(pos);
    return item && captionRect(item).contains(pos) ? item : nullptr;
}

QTreeWidgetItem* WorkspaceTree::findCaption(const QString& text) const {
    for (QTreeWidgetItemIterator it(const_cast<WorkspaceTree*>(this)); *it; ++it) {
        if ((*it)->text(0) == text) {
            return *it;
        }
    }
    return nullptr;
}

std::string WorkspaceTree::storedBytes(const QString& text) {
    const std::string utf8 = ui::str(text);
    Gb2312::Result r = Gb2312::fromUtf8(utf8);
    return r.ok ? r.text : utf8;
}

bool WorkspaceTree::sameStart(const QString& a, const QString& b, size_t n) {
    return storedBytes(a).substr(0, n) == storedBytes(b).substr(0, n);
}

void WorkspaceTree::resizeEvent(QResizeEvent* event) {
    header()->setMinimumSectionSize(viewport()->width());
    QTreeWidget::resizeEvent(event);
}

bool WorkspaceTree::captionDoubleClicked(QTreeWidgetItem*) { return false; }

QMenu* WorkspaceTree::contextMenuFor(QTreeWidgetItem*) { return nullptr; }

void WorkspaceTree::act(QTreeWidgetItem* item) {
    // The item may be gone once the action ran (the tree is rebuilt): look it up again.
    const QPersistentModelIndex index = indexFromItem(item);
    if (captionDoubleClicked(item) || !index.isValid()) {
        return;
    }
    if (QTreeWidgetItem* still = itemFromIndex(index); still && still->childCount() > 0) {
        still->setExpanded(!still->isExpanded());
    }
}

void WorkspaceTree::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    // Beside the caption nothing happens.
    if (QTreeWidgetItem* item = itemOnCaption(event->position().toPoint())) {
        act(item);
    }
}

void WorkspaceTree::keyPressEvent(QKeyEvent* event) {
    QTreeWidgetItem* item = currentItem();
    if (item && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        event->modifiers() == Qt::NoModifier) {
        act(item);
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

void WorkspaceTree::contextMenuEvent(QContextMenuEvent* event) {
    QTreeWidgetItem* item = nullptr;
    QPoint at = event->globalPos();
    if (event->reason() == QContextMenuEvent::Mouse) {
        item = itemOnCaption(viewport()->mapFromGlobal(event->globalPos()));
    } else if (QTreeWidgetItem* current = currentItem()) {
        item = current;
        at = viewport()->mapToGlobal(captionRect(current).bottomLeft());
    }
    if (!item) {
        return;
    }
    setCurrentItem(item);
    std::unique_ptr<QMenu> menu(contextMenuFor(item));
    if (menu) {
        menu->exec(at);
    }
}

} // namespace dispcraft
