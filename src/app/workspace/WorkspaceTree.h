#pragma once

#include <QIcon>
#include <QStringList>
#include <QTreeWidget>
#include <string>
#include <vector>

namespace dispcraft {

// What the three workspace trees share: captions loaded from consecutive language strings,
// an image list, lines and buttons at the root, and the caption rectangle of an item (the
// text alone, without its picture or the space beside it), where double-clicks and right
// clicks count.
class WorkspaceTree : public QTreeWidget {
    Q_OBJECT
public:
    // Captions firstString, firstString + 1, ... (count of them).
    WorkspaceTree(int firstString, int count, std::vector<QIcon> images, QWidget* parent);

    QString caption(int k) const { return m_captions.value(k); }
    int captionCount() const { return static_cast<int>(m_captions.size()); }

    // The rectangle of an item's caption text in viewport coordinates (empty when the item is
    // not shown or its caption is empty).
    QRect captionRect(const QTreeWidgetItem* item) const;
    // The item whose caption lies under a viewport point, or null.
    QTreeWidgetItem* itemOnCaption(const QPoint& viewportPos) const;
    // The first item (depth first) whose whole caption is text.
    QTreeWidgetItem* findCaption(const QString& text) const;

    // Captions compared as the trees always compared them: the first n bytes of their stored
    // (GB2312) form, so that a Chinese character counts two.
    static bool sameStart(const QString& a, const QString& b, size_t n);
    static std::string storedBytes(const QString& text);

protected:
    QTreeWidgetItem* addItem(QTreeWidgetItem* parent, const QString& text, int image, bool bold = false,
                             int selectedImage = -1);
    const QIcon& image(int k) const;

    // A double-click on an item's caption; return false to let it expand or collapse.
    virtual bool captionDoubleClicked(QTreeWidgetItem* item);
    // The menu of a right click on an item's caption, or null for none (owned by the caller).
    virtual QMenu* contextMenuFor(QTreeWidgetItem* item);

    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    // Enter on the current item acts as a double-click on its caption.
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void act(QTreeWidgetItem* item);

    QStringList m_captions;
    std::vector<QIcon> m_images;
};

} // namespace dispcraft
