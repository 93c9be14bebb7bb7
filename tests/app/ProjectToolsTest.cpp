// The project tools on the two-port example, used as a user would: where an address is used,
// the texts for translation and the report.

#include "AppTestSupport.h"

#include "app/ProjectTools.h"
#include "text/Gb2312.h"
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
    void textsGoOutAndComeBackIntoOpenWindows();
    void reportIsWrittenWithThePictures();
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
    QVERIFY(w->session().screen().objects().barGraphs[0].selected());
    QVERIFY(!w->session().screen().objects().numDisps[0].selected());

    // An edit not yet saved counts: the bar graph moved to another register is no use any more.
    w->session().screen().objects().barGraphs[0].address = 0x7B;
    w->session().screen().setModified(); // as the bar graph dialog does
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
    QVERIFY(f.active()->session().screen().objects().pictures[0].selected());
}

void ProjectToolsTest::textsGoOutAndComeBackIntoOpenWindows() {
    Fixture f;
    openExample(f);
    f.main->openScreen(1);
    ScreenWindow* w = f.main->windowOfScreen(1);
    QVERIFY(w);
    // An edit not yet stored is exported and survives the import.
    w->session().screen().objects().textStrings[3].text = "l/min";
    w->session().screen().setModified(); // as the text dialog does
    const QString csv = f.file(QStringLiteral("texts.csv"));
    f.prompts.files.push_back(csv);
    QVERIFY(f.main->runCommand(command::kExportTexts));
    QFile file(csv);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray exported = file.readAll();
    file.close();
    QVERIFY(exported.contains("screen/1/TextString/4,l/min\r\n"));

    const std::string nameBefore = f.main->store().entries[2].nameString();
    const std::string textBefore = w->session().screen().objects().textStrings[2].text;
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("key,text\nscreen/1/TextString/3,Durchfluss\nscreen/2/name,\xe5\x8f\x82\xe6\x95\xb0\n");
    file.close();
    f.prompts.files.push_back(csv);
    QVERIFY(f.main->runCommand(command::kImportTexts));
    QVERIFY(f.prompts.shown.empty());
    QCOMPARE(w->session().screen().objects().textStrings[2].text, std::string("Durchfluss"));
    QCOMPARE(w->session().screen().objects().textStrings[3].text, std::string("l/min"));
    QCOMPARE(f.main->store().entries[2].nameString(), Gb2312::fromUtf8("参数").text);
    QVERIFY(f.main->document().modified());

    // A refused table changes nothing and says which line.
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("key,text\nscreen/2/name,x\nscreen/9/name,y\n");
    file.close();
    f.prompts.files.push_back(csv);
    QVERIFY(f.main->runCommand(command::kImportTexts));
    QCOMPARE(f.prompts.shown.size(), size_t{1});
    const QString shown = ui::text(f.prompts.shown.front());
    QVERIFY2(shown.contains(QStringLiteral("Line 3")), qPrintable(shown));
    QCOMPARE(f.main->store().entries[2].nameString(), Gb2312::fromUtf8("参数").text);

    // The import is one step: undo puts the texts back in the store and in the open window,
    // the unsaved edit of that window included; redo takes the table's texts again.
    const std::string oldName = nameBefore;
    QVERIFY(f.main->runCommand(command::kUndo));
    QCOMPARE(f.main->store().entries[2].nameString(), oldName);
    w = f.main->windowOfScreen(1);
    QVERIFY(w);
    QCOMPARE(w->session().screen().objects().textStrings[2].text, textBefore);
    QCOMPARE(w->session().screen().objects().textStrings[3].text, std::string("l/min"));
    QVERIFY(f.main->runCommand(command::kRedo));
    QCOMPARE(f.main->store().entries[2].nameString(), Gb2312::fromUtf8("参数").text);
}

void ProjectToolsTest::reportIsWrittenWithThePictures() {
    Fixture f;
    openExample(f);
    const auto open = f.main->store().screenOpen;
    const QString html = f.file(QStringLiteral("report.html"));
    f.prompts.files.push_back(html);
    QVERIFY(f.main->runCommand(command::kExportReport));
    QVERIFY(f.prompts.shown.empty());
    QFile file(html);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray page = file.readAll();
    QCOMPARE(page.count("src=\"data:image/png;base64,"), 4);
    QVERIFY(page.contains("<title>Project report: demo.trn</title>"));
    // Drawing the screens marks none of them as open in an editor.
    QVERIFY(f.main->store().screenOpen == open);
}

QTEST_MAIN(ProjectToolsTest)
#include "ProjectToolsTest.moc"
