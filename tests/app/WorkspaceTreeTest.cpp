// The workspace trees driven as a user would, offscreen: what the project tree lists for each
// panel model, double-clicks on captions and beside them, the settings dialogs they open and
// what their OK writes back, and the delete-screen command with its rule.
#include "AppTestSupport.h"

#include "app/workspace/FileTree.h"
#include "app/workspace/ProjectTree.h"
#include "app/workspace/ResourceTree.h"
#include "app/workspace/WorkspaceDock.h"
#include "model/ProjectStore.h"
#include "text/Gb2312.h"

#include <QAction>
#include <QMenu>
#include <QTabWidget>
#include <QTableWidget>
#include <QTreeWidget>

using namespace dispcraft;
using namespace dispcraft::apptest;

namespace {

QString captionText(int k) { return ui::text(ProjectTree::kFirstCaption + k); }

// The captions of an item's children, in order.
QStringList childCaptions(const QTreeWidgetItem* item) {
    QStringList out;
    for (int i = 0; item && i < item->childCount(); ++i) {
        out << item->child(i)->text(0);
    }
    return out;
}

QStringList roots(const QTreeWidget* tree) {
    QStringList out;
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        out << tree->topLevelItem(i)->text(0);
    }
    return out;
}

// A new project of model index (0 = the first of the list) with its preselected links, without
// screen windows.
void newProjectOf(Fixture& f, int model) {
    f.dialogs.expect(QStringLiteral("modelLinkDialog"), [model](QDialog& d) {
        d.findChild<QComboBox*>(QStringLiteral("ctl1027"))->setCurrentIndex(model);
        DialogScript::ok(d);
    });
    f.main->runCommand(command::kNewProject);
    QVERIFY(f.dialogs.done());
    f.main->closeAllScreenWindows();
    f.main->store().treeChanged = false;
    f.main->document().history().setClean();
}

// Screens straight into the directory, as an opened project has them.
void addScreens(Fixture& f, std::initializer_list<std::pair<int, const char*>> screens) {
    ProjectStore& st = f.main->store();
    for (auto [n, name] : screens) {
        ScreenEntry& e = st.entries[static_cast<size_t>(n)];
        e.number = static_cast<uint8_t>(n);
        e.setName(Gb2312::fromUtf8(name).text);
    }
    f.main->refreshWorkspace();
}

ProjectTree* tree(Fixture& f) { return f.main->workspace()->projectTree(); }

void doubleClick(ProjectTree* t, QTreeWidgetItem* item) {
    QVERIFY(item);
    t->scrollToItem(item);
    QTest::mouseDClick(t->viewport(), Qt::LeftButton, {}, t->captionRect(item).center());
}

} // namespace

class WorkspaceTreeTest : public QObject {
    Q_OBJECT
private slots:
    void screensAndSettingsOfATwoPortModel();
    void onePortModelHasNoCom2Items();
    void twoAlarmGroupsAndTheirDialog();
    void doubleClickOnACaptionOpensTheScreen();
    void newScreenItemOpensAWindow();
    void linkItemsOpenThePortParameters();
    void screensRootOpensTheScreenManager();
    void modelItemRefusedWhileAScreenIsOpen();
    void deleteScreenAsksAndFollowsItsRule();
    void fixedTrees();
    void closingTheProjectEmptiesTheTree();
    void modelChangeRebuildsTheTree();
    void alarmGroupTwoRebuildsItsTextPool();
    void dataExchangeTableWritesBackOnlyOnOk();
    void controlSettingsWriteBackOnlyOnOk();
};

void WorkspaceTreeTest::screensAndSettingsOfATwoPortModel() {
    Fixture f;
    newProjectOf(f, 1); // two ports, one alarm group
    addScreens(f, {{12, "Motor"}, {1, "Start"}, {5, "温度"}});
    ProjectTree* t = tree(f);
    QCOMPARE(roots(t), QStringList({captionText(0), captionText(10), captionText(2), captionText(3)}));
    // "New screen", then the screens in ascending number with their names.
    QCOMPARE(childCaptions(t->topLevelItem(0)),
             QStringList({captionText(1), QStringLiteral("B:1 Start"), QStringLiteral("B:5 温度"),
                          QStringLiteral("B:12 Motor")}));
    QCOMPARE(childCaptions(t->topLevelItem(1)), QStringList({captionText(11)}));
    QCOMPARE(childCaptions(t->topLevelItem(2)), QStringList({captionText(4)}));
    const ProjectStore& st = f.main->store();
    QCOMPARE(childCaptions(t->topLevelItem(3)),
             QStringList({captionText(5) + QStringLiteral(":QP220"), captionText(8),
                          captionText(6) + QLatin1Char(':') + ui::qs(st.com1LinkName),
                          captionText(7) + QLatin1Char(':') + ui::qs(st.com2LinkName),
                          captionText(12)}));
    QVERIFY(!st.com2LinkName.empty());
    for (int i = 0; i < t->topLevelItemCount(); ++i) {
        QVERIFY(t->topLevelItem(i)->isExpanded());
        QVERIFY(t->topLevelItem(i)->font(0).bold());
    }
    QCOMPARE(ProjectTree::screenOf(t->screenItem(12)), 12);
    QCOMPARE(ProjectTree::screenOf(t->captionItem(ProjectTree::kNewScreen)), 0);
    // Listing is no change to the project.
    QVERIFY(!f.main->document().modified());
    // The tab of the tree carries its name.
    QCOMPARE(f.main->workspace()->tabs()->tabText(0), captionText(ProjectTree::kProject));
}

void WorkspaceTreeTest::onePortModelHasNoCom2Items() {
    Fixture f;
    newProjectOf(f, 0);
    QCOMPARE(f.main->store().cpuId, 1);
    ProjectTree* t = tree(f);
    const QStringList device = childCaptions(t->topLevelItem(3));
    QCOMPARE(device.size(), 3);
    QVERIFY(device[0].startsWith(captionText(5) + QStringLiteral(":QP110")));
    QCOMPARE(device[1], captionText(8));
    QVERIFY(device[2].startsWith(captionText(6) + QLatin1Char(':')));
    QVERIFY(!t->findCaption(captionText(12)));
    for (const QString& c : device) {
        QVERIFY(!c.startsWith(captionText(7)));
    }
}

void WorkspaceTreeTest::twoAlarmGroupsAndTheirDialog() {
    Fixture f;
    newProjectOf(f, 2); // two alarm groups
    QCOMPARE(int(f.main->store().alarmGroupCount), 2);
    ProjectTree* t = tree(f);
    QCOMPARE(childCaptions(t->topLevelItem(2)),
             QStringList({captionText(4) + QLatin1Char('1'), captionText(4) + QLatin1Char('2')}));
}

void WorkspaceTreeTest::doubleClickOnACaptionOpensTheScreen() {
    Fixture f;
    newProjectOf(f, 1);
    addScreens(f, {{1, "Start"}, {5, "Five"}, {12, "Twelve"}});
    ProjectTree* t = tree(f);
    QTreeWidgetItem* twelve = t->screenItem(12);
    // Beside the caption, on the same row: nothing.
    f.main->resizeDocks({f.main->workspace()}, {360}, Qt::Horizontal);
    QTest::qWait(50);
    const QRect caption = t->captionRect(twelve);
    QVERIFY(caption.isValid());
    const QPoint beside(t->viewport()->width() - 8, caption.center().y());
    QVERIFY(beside.x() > caption.left() + t->fontMetrics().horizontalAdvance(twelve->text(0)) + 20);
    QVERIFY(t->viewport()->rect().contains(beside));
    QCOMPARE(t->itemAt(beside), twelve);
    QTest::mouseDClick(t->viewport(), Qt::LeftButton, {}, beside);
    QCOMPARE(f.main->screenWindows().size(), 0);
    // On the caption: screen 12 opens, and again only brings it forward.
    doubleClick(t, twelve);
    QCOMPARE(f.main->screenWindows().size(), 1);
    QCOMPARE(f.active()->screenNo(), 12);
    QCOMPARE(f.main->store().screenOpen[12], 1);
    doubleClick(t, t->screenItem(5));
    doubleClick(t, t->screenItem(12));
    QCOMPARE(f.main->screenWindows().size(), 2);
    QCOMPARE(f.active()->screenNo(), 12);
    // Enter on an item acts as the double-click.
    t->setFocus();
    t->setCurrentItem(t->screenItem(1));
    QTest::keyClick(t, Qt::Key_Return);
    QCOMPARE(f.active()->screenNo(), 1);
    // A root without an action folds and unfolds.
    QTreeWidgetItem* alarms = t->topLevelItem(2);
    QVERIFY(alarms->isExpanded());
    doubleClick(t, alarms);
    QVERIFY(!alarms->isExpanded());
    QVERIFY(f.dialogs.unexpected.isEmpty());
    QVERIFY(f.prompts.shown.empty());
}

void WorkspaceTreeTest::newScreenItemOpensAWindow() {
    Fixture f;
    newProjectOf(f, 1);
    ProjectTree* t = tree(f);
    doubleClick(t, t->captionItem(ProjectTree::kNewScreen));
    // Posted: the window comes once the tree's event is through.
    QTRY_COMPARE(f.main->screenWindows().size(), 1);
    QCOMPARE(f.active()->screenNo(), 0);
}

void WorkspaceTreeTest::linkItemsOpenThePortParameters() {
    Fixture f;
    newProjectOf(f, 1);
    ProjectTree* t = tree(f);
    ProjectStore& st = f.main->store();
    const uint16_t baudBefore = st.projectBlock.baud[0];
    QTreeWidgetItem* com1 = t->findCaption(captionText(6) + QLatin1Char(':') + ui::qs(st.com1LinkName));
    QVERIFY(com1);

    // Cancel: nothing changes, but the notice came first.
    f.dialogs.expect(QStringLiteral("portParamDialog"), DialogScript::cancel);
    doubleClick(t, com1);
    QVERIFY(f.dialogs.done());
    QVERIFY(f.prompts.wasShown(63545));
    QCOMPARE(st.projectBlock.baud[0], baudBefore);
    QVERIFY(!f.main->document().modified());

    // OK with other line settings: written back, the project counts as changed.
    f.dialogs.expect(QStringLiteral("portParamDialog"), [](QDialog& d) {
        QVERIFY(d.windowTitle().contains(QStringLiteral("1")));
        auto* baud = d.findChild<QComboBox*>(QStringLiteral("ctl1013"));
        baud->setCurrentIndex(baud->findText(QStringLiteral("4800")));
        auto* parity = d.findChild<QComboBox*>(QStringLiteral("ctl1032"));
        parity->setCurrentIndex(1); // even
        DialogScript::ok(d);
    });
    doubleClick(t, t->findCaption(captionText(6) + QLatin1Char(':') + ui::qs(st.com1LinkName)));
    QVERIFY(f.dialogs.done());
    QCOMPARE(st.projectBlock.baud[0], uint16_t(4800));
    QCOMPARE(st.projectBlock.parity[0], uint8_t('e'));
    QVERIFY(f.main->document().modified());

    // The COM2 item opens the same dialog for COM2.
    f.main->document().history().setClean(); // as saved
    f.dialogs.expect(QStringLiteral("portParamDialog"), [](QDialog& d) {
        QVERIFY(d.windowTitle().contains(QStringLiteral("2")));
        auto* stop = d.findChild<QComboBox*>(QStringLiteral("ctl1022"));
        stop->setCurrentIndex(1); // two stop bits
        DialogScript::ok(d);
    });
    doubleClick(t, t->findCaption(captionText(7) + QLatin1Char(':') + ui::qs(st.com2LinkName)));
    QVERIFY(f.dialogs.done());
    QCOMPARE(st.projectBlock.stopBits[1], uint8_t(2));
    QCOMPARE(st.projectBlock.stopBits[0], uint8_t(1));
    QVERIFY(f.main->document().modified());
    // The tree was built again and still names both links.
    QVERIFY(t->findCaption(captionText(7) + QLatin1Char(':') + ui::qs(st.com2LinkName)));
    QVERIFY(f.dialogs.unexpected.isEmpty());
}

void WorkspaceTreeTest::screensRootOpensTheScreenManager() {
    Fixture f;
    newProjectOf(f, 1);
    addScreens(f, {{3, "Three"}, {7, "Seven"}});
    ProjectTree* t = tree(f);
    // OK on screen 7 opens it.
    f.dialogs.expect(QStringLiteral("screenManagerDialog"), [](QDialog& d) {
        auto* list = d.findChild<QTreeWidget*>(QStringLiteral("ctl1090"));
        QCOMPARE(list->topLevelItemCount(), 2);
        list->setCurrentItem(list->topLevelItem(1));
        list->topLevelItem(1)->setSelected(true);
        DialogScript::ok(d);
    });
    doubleClick(t, t->topLevelItem(0));
    QVERIFY(f.dialogs.done());
    QCOMPARE(f.main->screenWindows().size(), 1);
    QCOMPARE(f.active()->screenNo(), 7);
    // The root stays unfolded: the double-click was the dialog's.
    QVERIFY(tree(f)->topLevelItem(0)->isExpanded());
}

void WorkspaceTreeTest::modelItemRefusedWhileAScreenIsOpen() {
    Fixture f;
    newProjectOf(f, 1);
    addScreens(f, {{2, "Two"}});
    f.main->openScreen(2);
    ProjectTree* t = tree(f);
    QTreeWidgetItem* model = t->topLevelItem(3)->child(0);
    const std::string before = f.main->store().modelTitle;
    doubleClick(t, model);
    QVERIFY(f.prompts.wasShown(63544));
    QCOMPARE(f.main->store().modelTitle, before);
    QVERIFY(f.dialogs.seen.isEmpty() || !f.dialogs.seen.contains(QStringLiteral("panelModelDialog")));
}

void WorkspaceTreeTest::deleteScreenAsksAndFollowsItsRule() {
    Fixture f;
    newProjectOf(f, 1);
    addScreens(f, {{1, "One"}, {5, "Five"}, {12, "Twelve"}});
    f.main->openScreen(12);
    ProjectTree* t = tree(f);
    ProjectStore& st = f.main->store();

    // Not for a screen a window shows, nor for other items.
    std::unique_ptr<QMenu> menu(t->contextMenuFor(t->screenItem(12)));
    QVERIFY(menu);
    QVERIFY(!t->deleteAction()->isEnabled());
    menu.reset(t->contextMenuFor(t->captionItem(ProjectTree::kNewScreen)));
    QVERIFY(!t->deleteAction()->isEnabled());
    menu.reset(t->contextMenuFor(t->topLevelItem(3)));
    QVERIFY(!t->deleteAction()->isEnabled());

    // No keeps the screen.
    menu.reset(t->contextMenuFor(t->screenItem(5)));
    QVERIFY(t->deleteAction()->isEnabled());
    QCOMPARE(t->deleteAction()->text(), ui::caption(ProjectTree::kDeleteScreenCommand));
    f.prompts.answers = {Answer::No};
    t->deleteAction()->trigger();
    QCOMPARE(ScriptedPrompts::count(f.prompts.asked, 63574), 1);
    QCOMPARE(f.prompts.asked.back().args.at(0), std::string("5"));
    QVERIFY(st.screenExists(5));
    QVERIFY(!f.main->document().modified());

    // Yes removes it from the directory and the tree.
    menu.reset(t->contextMenuFor(t->screenItem(5)));
    f.prompts.answers = {Answer::Yes};
    t->deleteAction()->trigger();
    QVERIFY(!st.screenExists(5));
    QCOMPARE(int(st.entries[5].number), 0);
    QCOMPARE(int(st.entries[5].name[0]), 0);
    QVERIFY(f.main->document().modified());
    QVERIFY(!t->screenItem(5));
    QCOMPARE(childCaptions(t->topLevelItem(0)),
             QStringList({captionText(1), QStringLiteral("B:1 One"), QStringLiteral("B:12 Twelve")}));

    // Once its window is closed, screen 12 may go too.
    f.main->closeAllScreenWindows();
    QCOMPARE(st.screenOpen[12], 0);
    menu.reset(t->contextMenuFor(t->screenItem(12)));
    QVERIFY(t->deleteAction()->isEnabled());
}

void WorkspaceTreeTest::fixedTrees() {
    Fixture f;
    FileTree* files = f.main->workspace()->fileTree();
    QCOMPARE(roots(files), QStringList({ui::text(FileTree::kFirstCaption)}));
    QCOMPARE(childCaptions(files->topLevelItem(0)),
             QStringList({ui::text(63562), ui::text(63563), ui::text(63564)}));
    ResourceTree* res = f.main->workspace()->resourceTree();
    QCOMPARE(roots(res), QStringList({ui::text(ResourceTree::kFirstCaption)}));
    QVERIFY(res->topLevelItem(0)->font(0).bold());
    QStringList five;
    for (int k = 1; k <= 5; ++k) {
        five << ui::text(ResourceTree::kFirstCaption + k);
    }
    QCOMPARE(childCaptions(res->topLevelItem(0)), five);
    QVERIFY(files->topLevelItem(0)->isExpanded());
    QVERIFY(res->topLevelItem(0)->isExpanded());
    // Double-clicks there open nothing.
    f.main->workspace()->tabs()->setCurrentWidget(res);
    QTest::mouseDClick(res->viewport(), Qt::LeftButton, {},
                       res->captionRect(res->topLevelItem(0)->child(2)).center());
    QVERIFY(f.dialogs.seen.isEmpty());
    QVERIFY(f.prompts.shown.empty());
}

void WorkspaceTreeTest::closingTheProjectEmptiesTheTree() {
    Fixture f;
    QCOMPARE(tree(f)->topLevelItemCount(), 0);
    newProjectOf(f, 1);
    QCOMPARE(tree(f)->topLevelItemCount(), 4);
    QVERIFY(f.main->closeProject());
    QCOMPARE(tree(f)->topLevelItemCount(), 0);
}


void WorkspaceTreeTest::modelChangeRebuildsTheTree() {
    Fixture f;
    newProjectOf(f, 1);
    ProjectStore& st = f.main->store();
    const std::string before = st.modelTitle;
    ProjectTree* t = tree(f);
    QVERIFY(t->findCaption(captionText(12)));
    // A cancelled dialog changes nothing.
    f.dialogs.expect(QStringLiteral("panelModelDialog"), DialogScript::cancel);
    doubleClick(t, t->topLevelItem(3)->child(0));
    QVERIFY(f.dialogs.done());
    QCOMPARE(st.modelTitle, before);
    QVERIFY(!f.main->document().modified());
    // The one-port model: the tree loses its COM2 items.
    f.dialogs.expect(QStringLiteral("panelModelDialog"), [](QDialog& d) {
        d.findChild<QComboBox*>(QStringLiteral("ctl1104"))->setCurrentIndex(0);
        DialogScript::ok(d);
    });
    doubleClick(t, t->topLevelItem(3)->child(0));
    QVERIFY(f.dialogs.done());
    QVERIFY(st.modelTitle != before);
    QVERIFY(f.main->document().modified());
    QVERIFY(t->topLevelItem(3)->child(0)->text(0).startsWith(captionText(5) + QStringLiteral(":QP110")));
    QVERIFY(!t->findCaption(captionText(12)));
    QVERIFY(f.dialogs.unexpected.isEmpty());
}

void WorkspaceTreeTest::alarmGroupTwoRebuildsItsTextPool() {
    Fixture f;
    newProjectOf(f, 2);
    ProjectStore& st = f.main->store();
    const AlarmBlock first = st.alarms[0];
    const std::string firstPool = st.alarmPools[0];
    ProjectTree* t = tree(f);
    f.dialogs.expect(QStringLiteral("alarmGroupDialog"), [](QDialog& d) {
        // In-place editing needs the list on the screen.
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        auto* count = d.findChild<QSpinBox*>(QStringLiteral("ctl1008"));
        count->setValue(2);
        emit count->editingFinished();
        auto* list = d.findChild<QTableWidget*>(QStringLiteral("ctl1009"));
        QCOMPARE(list->rowCount(), 2);
        const QStringList texts{QStringLiteral("HIGH"), QStringLiteral("水位低")};
        for (int row = 0; row < 2; ++row) {
            list->setCurrentCell(row, 0);
            list->editItem(list->item(row, 0));
            auto* editor = list->viewport()->findChild<QLineEdit*>();
            QVERIFY(editor);
            editor->setText(texts[row]);
            QTest::keyClick(editor, Qt::Key_Return);
            // The edit is taken once the event loop ran.
            QTRY_COMPARE(list->item(row, 0)->text(), texts[row]);
            QTRY_VERIFY(!list->viewport()->findChild<QLineEdit*>());
        }
        DialogScript::ok(d);
    });
    doubleClick(t, t->topLevelItem(2)->child(1));
    QVERIFY(f.dialogs.done());
    QVERIFY(f.dialogs.unexpected.isEmpty());
    const AlarmBlock& a = st.alarms[1];
    QCOMPARE(int(a.count), 2);
    const std::string low = Gb2312::fromUtf8("水位低").text;
    QCOMPARE(st.alarmPools[1], "HIGH" + low);
    QCOMPARE(uint32_t(a.offsets[0]), 0u);
    QCOMPARE(uint32_t(a.offsets[1]), 4u);
    QCOMPARE(int(a.lengths[0]), 4);
    QCOMPARE(int(a.lengths[1]), int(low.size()));
    QVERIFY(f.main->document().modified());
    // Group 1 is untouched.
    QCOMPARE(int(st.alarms[0].count), int(first.count));
    QCOMPARE(st.alarmPools[0], firstPool);
}

void WorkspaceTreeTest::dataExchangeTableWritesBackOnlyOnOk() {
    Fixture f;
    newProjectOf(f, 1);
    ProjectTree* t = tree(f);
    QTreeWidgetItem* exchange = t->findCaption(captionText(12));
    f.dialogs.expect(QStringLiteral("changeTableDialog"), DialogScript::cancel);
    doubleClick(t, exchange);
    QVERIFY(f.dialogs.done());
    QVERIFY(!f.main->document().modified());
    f.dialogs.expect(QStringLiteral("changeTableDialog"), DialogScript::ok);
    doubleClick(t, exchange);
    QVERIFY(f.dialogs.done());
    // OK with nothing changed leaves nothing to save.
    QVERIFY(!f.main->document().modified());
QVERIFY(f.dialogs.unexpected.isEmpty());
}

void WorkspaceTreeTest::controlSettingsWriteBackOnlyOnOk() {
    Fixture f;
    newProjectOf(f, 1);
    ProjectTree* t = tree(f);
    QTreeWidgetItem* settings = t->findCaption(captionText(8));
    f.dialogs.expect(QStringLiteral("panelSettingsDialog"), DialogScript::cancel);
    doubleClick(t, settings);
    QVERIFY(f.dialogs.done());
    QVERIFY(!f.main->document().modified());
    f.dialogs.expect(QStringLiteral("panelSettingsDialog"), DialogScript::ok);
    doubleClick(t, settings);
    QVERIFY(f.dialogs.done());
    // OK with nothing changed leaves nothing to save.
    QVERIFY(!f.main->document().modified());
QVERIFY(f.dialogs.unexpected.isEmpty());
}

QTEST_MAIN(WorkspaceTreeTest)
#include "WorkspaceTreeTest.moc"
