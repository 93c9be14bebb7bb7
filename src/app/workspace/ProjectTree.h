#pragma once

#include "app/workspace/WorkspaceTree.h"
#include "base/Message.h"

class QAction;

namespace dispcraft {

class ChangeRecorder;

class MainWindow;

// The project tree: the screens, the pictures, the alarm groups, the panel model, the control
// settings, the links and the data exchange table of the open project. A double-click on an
// item's caption opens what the caption names; the caption decides, so the captions of the
// language (strings 63548-63560) must stay distinct in their first 6 bytes (link items: 4).
class ProjectTree : public WorkspaceTree {
    Q_OBJECT
public:
    enum Caption {
        kScreens = 0,
        kNewScreen = 1,
        kAlarms = 2,
        kDevice = 3,
        kAlarmGroup = 4,
        kModel = 5,
        kCom1Link = 6,
        kCom2Link = 7,
        kControlSettings = 8,
        kProject = 9,
        kPictures = 10,
        kPictureList = 11,
        kDataExchange = 12,
    };
    static constexpr int kFirstCaption = 63548;
    static constexpr int kDeleteScreenCommand = 32846;

    explicit ProjectTree(MainWindow& main, QWidget* parent = nullptr);

    // Built again from the project (empty while none is open).
    void rebuild();
    // The screen items again, under every root item of caption 0.
    void refreshScreens();

    // The screen an item stands for (its caption "B:%d name"), 0 for other items.
    static int screenOf(const QTreeWidgetItem* item);
    QTreeWidgetItem* screenItem(int screen) const;
    QTreeWidgetItem* captionItem(int k) const { return findCaption(caption(k)); }
    // The caption text of the screen item of a screen.
    static QString screenCaption(int screen, const QString& name);

    // The delete-screen command on a screen item: offered only for a screen no window shows.
    bool canDeleteScreen(int screen) const;
    // Asks first; the screen list is refreshed whatever the answer.
    void deleteScreen(int screen);
    QAction* deleteAction() const { return m_delete; }
    // The right-click menu of an item (null when it has none); the caller owns it.
    QMenu* contextMenuFor(QTreeWidgetItem* item) override;

protected:
    bool captionDoubleClicked(QTreeWidgetItem* item) override;

private:
    void addScreens(QTreeWidgetItem* root);
    // A dialog's change is done: it becomes one step of the history, named name.
    void changed(ChangeRecorder& change, const Message& name);
    void panelModel();
    void portParameters(int port);
    void panelSettings();
    void alarmGroup(const QString& itemCaption);
    void pictures();
    void changeTable();

    MainWindow& m_main;
    QAction* m_delete = nullptr;
    int m_menuScreen = 0; // the screen item the menu was opened on
};

} // namespace dispcraft
