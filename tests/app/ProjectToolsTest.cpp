// The project tools on the two-port example, used as a user would: where an address is used,
// the texts for translation and the report.

#include "AppTestSupport.h"

#include "app/ProjectTools.h"
#include "app/dialogs/AddressUsageDialog.h"
#include "app/workspace/ProjectTree.h"
#include "app/workspace/WorkspaceDock.h"

#include <QMdiArea>
#include <QTreeWidget>

using namespace dispcraft;
using namespace dispcraft::apptest;

class ProjectToolsTest : public QObject {
    Q_OBJECT
private slots:
    void addressUsageOpensTheObject();
    void projectTreeShowsOtherUses();
};

namespace {

// The example, opened as a user opens a project file.
void openExample(Fixture& f) {
    const QString trn = f.file(QStringLiteral("demo.trn"));
    QVERIFY(
        QFile::copy(QStringLiteral(DISPCRAFT_TEST_BIN_DIR "/../examples/two-port-demo.trn"), trn));
    QFile(trn).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QVERIFY(f.main->loadProjectFile(trn));
}

QTreeWidgetItem* childStartingWith(QTreeWidgetItem* parent, const QString& start) {
    for (int i = 0; parent && i < parent->childCount(); ++i) {
        if (parent->child(i)->text(0).startsWith(start)) {
            return parent->child(i);
        }
    }
    return nullptr;
}

} // namespace

void ProjectToolsTest::addressUsageOpensTheObject() {
    Fixture f;
    openExample(f);
    QVERIFY(f.main->runCommand(command::kFindAddressUsage));
    AddressUsageDialog* d = f.main->tools().usageDialog();
    QVERIFY(d && d->isVisible());
    d->search(QStringLiteral("dm 7a"));
    QCOMPARE(d->rowTexts(), (QStringList{QStringLiteral("COM1 DM 007A|2|NumDisp 1|read"),
                                         QStringLiteral("COM1 DM 007A|2|BarGraph 1|read")}));
    // A double-click opens screen 2 with the bar graph selected.
    QTreeWidget* uses = d->uses();
    QVERIFY(QTest::qWaitForWindowExposed(d));
    const QPoint second = uses->visualItemRect(uses->topLevelItem(1)).center();
    QTest::mouseClick(uses->viewport(), Qt::LeftButton, {}, second);
    QTest::mouseDClick(uses->viewport(), Qt::LeftButton, {}, second);
    ScreenWindow* w = f.main->windowOfScreen(2);
    QVERIFY(w);
    QCOMPARE(f.main->mdiArea()->currentSubWindow(), w);
    QVERIFY(w->session().objects().barGraphs[0].selected());
    QVERIFY(!w->session().objects().numDisps[0].selected());

    // An edit not yet saved counts: the bar graph moved to another register is no use any more.
    w->session().objects().barGraphs[0].address = 0x7B;
    d->search(QStringLiteral("COM1 DM 007A"));
    QCOMPARE(d->rowTexts().size(), 1);
    d->search(QStringLiteral("DM 0FFF"));
    QVERIFY(d->rowTexts().isEmpty());
    QVERIFY2(d->statusText().contains(QStringLiteral("COM1 DM 0FFF")), qPrintable(d->statusText()));
    d->search(QStringLiteral("XY 12"));
    QVERIFY(d->rowTexts().isEmpty());
    QVERIFY(!d->statusText().isEmpty());
}

void ProjectToolsTest::projectTreeShowsOtherUses() {
    Fixture f;
    openExample(f);
    auto* tree = f.main->workspace()->findChild<ProjectTree*>();
    QVERIFY(tree);
    QTreeWidgetItem* screen2 = tree->screenItem(2);
    QVERIFY(screen2);
    screen2->setExpanded(true);
    QTreeWidgetItem* number = childStartingWith(screen2, QStringLiteral("NumDisp 1"));
    QVERIFY(number);
    QCOMPARE(number->text(0), QStringLiteral("NumDisp 1  COM1 DM 007A"));
    QVERIFY(childStartingWith(screen2, QStringLiteral("TextString 1  ")));

    std::unique_ptr<QMenu> menu(tree->contextMenuFor(number));
    QAction* other =
        menu->findChild<QAction*>(QStringLiteral("cmd%1").arg(command::kShowOtherUses));
    QVERIFY(other && other->isEnabled());
    other->trigger();
    AddressUsageDialog* d = f.main->tools().usageDialog();
    QVERIFY(d && d->isVisible());
    QCOMPARE(d->rowTexts().size(), 2);

    // The screen's objects stay shown when the tree is filled again. A picture uses no
    // address; a double-click on it opens its screen.
    screen2 = tree->screenItem(2);
    QVERIFY(screen2 && screen2->isExpanded());
    QTreeWidgetItem* picture = childStartingWith(screen2, QStringLiteral("Picture 1"));
    QVERIFY(picture);
    std::unique_ptr<QMenu> none(tree->contextMenuFor(picture));
    QVERIFY(!none->findChild<QAction*>(QStringLiteral("cmd%1").arg(command::kShowOtherUses))
                 ->isEnabled());
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, tree->captionRect(picture).center());
    QVERIFY(f.active() && f.active()->screenNo() == 2);
    QVERIFY(f.active()->session().objects().pictures[0].selected());
}

QTEST_MAIN(ProjectToolsTest)
#include "ProjectToolsTest.moc"
