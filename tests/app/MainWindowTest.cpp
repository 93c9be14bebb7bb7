// Dispcraft's windows driven as a user would, offscreen: start-up, projects, screens, the
// clipboard, the close questions, the recent list and the language switch.
#include "AppTestSupport.h"

#include "app/StartPane.h"
#include "app/ToolkitTranslations.h"

#include "app/Commands.h"
#include "config/SettingsFile.h"
#include "model/ProjectStore.h"
#include "text/LanguageStrings.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTreeWidget>

using namespace dispcraft;
using namespace dispcraft::apptest;

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void firstStartWithoutSettingsFile();
    void textScreenSavedClosedAndOpenedAgain();
    void doubleClickEditsTheText();
    void previousAndNextAtTheEnds();
    void languageSwitchRestartsOnClose();
    void copyAndPasteBetweenScreenWindows();
    void closingAScreenWindowAsksAboutChanges();
    void closingTheProgramAsksFirst();
    void recentListFollowsOpenedProjects();
    void documentsAndBuild();
    void screenNumberOfAnotherWindowReplacesIt();
    void screenListCopiesRenumbersAndOpens();
    void newProjectNeedsAModelAndTakesPortParameters();
    void aboutWindowHidesUnsetFields();
    void missingPanelPictureClosesTheWindow();
    void viewCommandsAndTheirRules();
    void untitledWorkIsAskedAboutBeforeOpening();
    void pasteIntoAnotherProjectKeepsPositions();
    void screenNumberIsAskedOnceAndKeepsWhatWasTyped();
    void unsetRecentEntriesInEveryLanguage();
    void startPaneWhileNoProjectIsOpen();
};

void MainWindowTest::firstStartWithoutSettingsFile() {
    Fixture f(nullptr);
    // The Chinese language library is the default, and nothing is set yet.
    QCOMPARE(f.ctx->language(), std::string(SettingsFile::kChinese));
    const std::string sentinel = LanguageStrings::current().sentinel();
    QCOMPARE(sentinel, LanguageStrings::current().text(63546));
    for (const std::string& entry : f.main->store().recentFiles) {
        QCOMPARE(entry, sentinel);
    }
    QCOMPARE(f.main->store().oemFlag, uint16_t(0));
    QVERIFY(!f.main->store().projectOpen);
    for (int id : command::kRecent) {
        QVERIFY(!f.main->commandEnabled(id));
    }
    // Project commands wait for a project; the menus carry the language's captions.
    QVERIFY(f.main->commandEnabled(command::kNewProject));
    QVERIFY(!f.main->commandEnabled(command::kSaveProject));
    QVERIFY(!f.main->commandEnabled(command::kNewScreen));
    QVERIFY(!f.main->commandEnabled(command::kPaste));
    QCOMPARE(f.main->action(command::kNewProject)->text(), ui::caption(command::kNewProject));
    QVERIFY(f.main->action(command::kNewProject)->text().contains(QStringLiteral("新建")));
    // Previous / next without a project path: 61573.
    f.main->runCommand(command::kNextScreen);
    QVERIFY(f.prompts.wasShown(61573));
}

void MainWindowTest::textScreenSavedClosedAndOpenedAgain() {
    Fixture f;
    f.newProject();
    QVERIFY(f.dialogs.done());
    QVERIFY(f.main->store().projectOpen);
    QCOMPARE(f.main->screenWindows().size(), 1);
    QCOMPARE(f.active()->windowTitle(), ui::text(61499) + QStringLiteral("[*]"));

    f.placeText(QStringLiteral("HELLO"), 17, 47);
    const TextStringObject& placed = f.active()->session().screen().objects().textStrings[0];
    QCOMPARE(placed.text, std::string("HELLO"));
    QCOMPARE(placed.x, f.lcd().x + 16);
    QCOMPARE(placed.y, f.lcd().y + 32);
    QVERIFY(f.active()->modified());
    // Drawn in ink on the LCD green, somewhere inside the text's cells.
    const QImage shown = f.canvas()->picture();
    bool ink = false;
    for (int x = placed.x; x < placed.x + 80 && !ink; ++x) {
        for (int y = placed.y; y < placed.y + 32 && !ink; ++y) {
            ink = shown.pixelColor(x, y) == QColor(1, 1, 1);
        }
    }
    QVERIFY(ink);
    // The status pane follows the pointer.
    QTest::mouseMove(f.canvas(), f.at(40, 20));
    QVERIFY(f.main->statusPaneText().startsWith(QStringLiteral("X: ")));

    f.saveAs(QStringLiteral("first.trn"), 1);
    QVERIFY(f.dialogs.done());
    QVERIFY(QFileInfo::exists(f.file(QStringLiteral("first.trn"))));
    QVERIFY(!f.main->document().modified());
    QCOMPARE(f.active()->windowTitle(), ui::text(Message::string(61500, {"1"})) + QStringLiteral("[*]"));

    QVERIFY(f.main->closeProject());
    QVERIFY(f.prompts.asked.empty()); // nothing was unsaved
    QCOMPARE(f.main->screenWindows().size(), 0);
    QVERIFY(!f.main->store().projectOpen);

    f.prompts.files.push_back(f.file(QStringLiteral("first.trn")));
    f.main->runCommand(command::kOpenProject);
    QCOMPARE(f.main->screenWindows().size(), 1);
    QCOMPARE(f.active()->screenNo(), 1);
    const TextStringObject& back = f.active()->session().screen().objects().textStrings[0];
    QCOMPARE(back.text, std::string("HELLO"));
    QCOMPARE(back.x, f.lcd().x + 16);
    QCOMPARE(back.y, f.lcd().y + 32 + 1); // stored in dots: y comes back one pixel lower
    QVERIFY(!f.active()->modified());
    // Opening the open screen again brings the same window to the front.
    f.main->openScreen(1);
    QCOMPARE(f.main->screenWindows().size(), 1);
    QVERIFY(f.prompts.shown.empty());
}

void MainWindowTest::doubleClickEditsTheText() {
    Fixture f;
    f.newProject();
    f.placeText(QStringLiteral("AB"), 0, 0);
    f.dialogs.expect(QStringLiteral("textStringDialog"), [](QDialog& d) {
        auto* text = d.findChild<QLineEdit*>(QStringLiteral("ctl1003"));
        QCOMPARE(text->text(), QStringLiteral("AB"));
        // Too long for the wide font: refused with 61633, the dialog stays.
        text->setText(QStringLiteral("ABCDEFGHIJKLM"));
        d.findChild<QComboBox*>(QStringLiteral("ctl1033"))->setCurrentIndex(1);
        DialogScript::ok(d);
        QCOMPARE(d.result(), int(QDialog::Rejected));
        text->setText(QStringLiteral("温度"));
        DialogScript::ok(d);
    });
    QTest::mouseDClick(f.canvas(), Qt::LeftButton, {}, f.at(4, 4));
    QVERIFY(f.dialogs.done());
    QVERIFY(f.prompts.wasShown(61633));
    const TextStringObject& o = f.active()->session().screen().objects().textStrings[0];
    QCOMPARE(o.text, std::string("\xCE\xC2\xB6\xC8")); // GB2312 of the two characters
    QCOMPARE(o.attr & 3, 1);
    // The next placement takes the edited text and font.
    QCOMPARE(f.active()->session().screen().templates().textString.text, o.text);
    // Cancelling a placement dialog arms nothing.
    f.dialogs.expect(QStringLiteral("textStringDialog"), DialogScript::cancel);
    f.main->runCommand(command::kPlaceTextString);
    QCOMPARE(f.active()->session().pointer().placingKind(), 0);
}

void MainWindowTest::previousAndNextAtTheEnds() {
    Fixture f;
    f.newProject();
    f.placeText(QStringLiteral("ONE"), 0, 0);
    f.saveAs(QStringLiteral("three.trn"), 1);
    // Screens 3 and 5 besides 1.
    for (int n : {3, 5}) {
        f.main->runCommand(command::kNewScreen);
        f.placeText(QStringLiteral("S%1").arg(n), 0, 0);
        f.expectScreenNumber(n);
        f.main->runCommand(command::kSaveProject);
    }
    QVERIFY(f.dialogs.done());
    f.main->closeAllScreenWindows();
    f.main->openScreen(1);
    f.prompts.clear();
    f.main->runCommand(command::kPreviousScreen);
    QVERIFY(f.prompts.wasShown(61572));
    QCOMPARE(f.active()->screenNo(), 1);
    f.main->runCommand(command::kNextScreen);
    QCOMPARE(f.active()->screenNo(), 3);
    QCOMPARE(f.main->screenWindows().size(), 1); // the window of screen 1 was closed
    f.main->runCommand(command::kNextScreen);
    QCOMPARE(f.active()->screenNo(), 5);
    f.prompts.clear();
    f.main->runCommand(command::kNextScreen);
    QVERIFY(f.prompts.wasShown(61574));
    QCOMPARE(f.active()->screenNo(), 5);
    // Changes of the window being left are asked about; Cancel stays.
    f.placeText(QStringLiteral("X"), 32, 32);
    f.prompts.answers = {Answer::Cancel};
    f.main->runCommand(command::kPreviousScreen);
    QVERIFY(f.prompts.wasAsked(63596));
    QCOMPARE(f.active()->screenNo(), 5);
    f.prompts.answers = {Answer::No};
    f.main->runCommand(command::kPreviousScreen);
    QCOMPARE(f.active()->screenNo(), 3);
}

void MainWindowTest::languageSwitchRestartsOnClose() {
    Fixture f;
    // The menu marks the language of this run; choosing it asks nothing.
    QVERIFY(f.main->action(command::kEnglish)->isChecked());
    QVERIFY(!f.main->action(command::kChinese)->isChecked());
    f.main->runCommand(command::kEnglish);
    QVERIFY(f.prompts.asked.empty());
    // No: nothing written, no restart, the mark stays.
    f.prompts.answers = {Answer::No};
    f.main->runCommand(command::kChinese);
    QVERIFY(f.prompts.wasAsked(63595));
    QCOMPARE(f.prompts.captions.back(), ui::text(appmsg::kNoticeCaption));
    QVERIFY(!f.main->restartPending());
    QVERIFY(!f.main->action(command::kChinese)->isChecked());
    QVERIFY(f.settingsText().contains(QStringLiteral("lan=ZOZUDEDevo.dll")));

    // A saved project with two screens open and an unsaved change: Yes, then Cancel at the
    // save question leaves everything as it was.
    f.newProject();
    f.placeText(QStringLiteral("ONE"), 0, 0);
    f.saveAs(QStringLiteral("restart.trn"), 1);
    f.main->runCommand(command::kNewScreen);
    f.placeText(QStringLiteral("THREE"), 0, 0);
    f.prompts.clear();
    f.prompts.answers = {Answer::Yes, Answer::Cancel};
    f.main->runCommand(command::kChinese);
    QVERIFY(f.prompts.wasAsked(appmsg::kSaveBeforeRestart));
    QVERIFY(f.settingsText().contains(QStringLiteral("lan=ZOZUDEDevo.dll")));
    QVERIFY(f.main->isVisible());
    QCOMPARE(f.restarts, 0);
    // Yes and Yes: saved (the new screen numbered), written, and one restart without another
    // question, which opens the project and both screens again.
    f.prompts.clear();
    f.prompts.answers = {Answer::Yes, Answer::Yes};
    f.expectScreenNumber(3);
    f.main->runCommand(command::kChinese);
    QVERIFY(f.dialogs.done());
    QCOMPARE(int(f.prompts.asked.size()), 2);
    QVERIFY(f.settingsText().contains(QStringLiteral("lan=ZIDUZADERU.dll")));
    QTRY_VERIFY(!f.main->isVisible());
    QCOMPARE(f.restarts, 1);
    const QString project = f.file(QStringLiteral("restart.trn"));
    QCOMPARE(f.restartArguments,
             (QStringList{QStringLiteral("--screens"), QStringLiteral("1,3"), project}));
    QVERIFY(f.settingsText().contains(QStringLiteral("file1=") + project));

    // The new process: Chinese, the toolkit's own buttons too, and the same windows.
    auto ctx = AppContext::start(f.programDir.toStdString(), "dispcraft");
    QCOMPARE(ctx->language(), std::string(SettingsFile::kChinese));
    QVERIFY(installToolkitTranslations(ctx->language()));
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("取消"));
    MainWindow again(*ctx);
    again.setPrompts(&f.prompts);
    QVERIFY(again.action(command::kChinese)->isChecked());
    QVERIFY(again.openAtStart(project, {1, 3}));
    QCOMPARE(again.screenWindows().size(), 2);
    QCOMPARE(again.activeScreenWindow()->screenNo(), 3);
    QCOMPARE(again.windowOfScreen(1)->session().screen().objects().textStrings[0].text, std::string("ONE"));
    QVERIFY(!again.document().modified());
    installToolkitTranslations(SettingsFile::kEnglish);
    LanguageStrings::current().load(f.programDir.toStdString(), SettingsFile::kEnglish);
}

void MainWindowTest::copyAndPasteBetweenScreenWindows() {
    Fixture f;
    f.newProject();
    ScreenWindow* first = f.active();
    f.placeText(QStringLiteral("COPY"), 16, 16);
    f.saveAs(QStringLiteral("clip.trn"), 1);
    QGuiApplication::clipboard()->clear();
    QVERIFY(!f.main->commandEnabled(command::kCopy)); // nothing selected
    QTest::mouseClick(f.canvas(), Qt::LeftButton, {}, f.at(20, 20));
    QVERIFY(f.main->commandEnabled(command::kCopy));
    QVERIFY(!f.main->commandEnabled(command::kPaste));
    f.main->runCommand(command::kCopy);
    QVERIFY(f.main->clipboardHasBlock());
    QVERIFY(first->session().clipboard().owner());

    ScreenWindow* second = f.main->newScreenWindow();
    QCOMPARE(f.active(), second);
    QVERIFY(f.main->commandEnabled(command::kPaste));
    f.main->runCommand(command::kPaste);
    const TextStringObject& src = first->session().screen().objects().textStrings[0];
    const TextStringObject& dst = second->session().screen().objects().textStrings[0];
    QCOMPARE(dst.text, std::string("COPY"));
    // The same saved project: one grid step right and down.
    QCOMPARE(dst.x, src.x + 16);
    QCOMPARE(dst.y, src.y + 16);
    QVERIFY(second->modified());

    // Closing the copying window empties the clipboard.
    first->close();
    QVERIFY(!f.main->clipboardHasBlock());
    f.main->updateCommandStates();
    QVERIFY(!f.main->commandEnabled(command::kPaste));
}

void MainWindowTest::closingAScreenWindowAsksAboutChanges() {
    Fixture f;
    f.newProject();
    f.placeText(QStringLiteral("KEEP"), 0, 0);
    ScreenWindow* w = f.active();
    // Cancel keeps the window.
    f.prompts.answers = {Answer::Cancel};
    QVERIFY(!w->close());
    QVERIFY(f.prompts.wasAsked(63596));
    // Yes on an untitled project, then the file dialog cancelled: nothing was written, so the
    // window stays with its edits.
    f.prompts.answers = {Answer::Yes};
    QVERIFY(!w->close());
    QVERIFY(w->modified());
    QCOMPARE(f.main->screenWindows().size(), 1);
    // Yes with a file and a number: saved, then closed.
    f.prompts.answers = {Answer::Yes};
    f.prompts.files.push_back(f.file(QStringLiteral("kept.trn")));
    f.expectScreenNumber(2, QStringLiteral("KEPT"));
    QVERIFY(w->close());
    QVERIFY(f.dialogs.done());
    QTRY_COMPARE(f.main->screenWindows().size(), 0);
    QVERIFY(f.main->store().screenExists(2));
    QCOMPARE(f.main->store().entries[2].nameString(), std::string("KEPT"));
    QCOMPARE(f.main->store().screenOpen[2], 0);
    // An unchanged window closes without a question.
    f.main->openScreen(2);
    f.prompts.clear();
    QVERIFY(f.active()->close());
    QVERIFY(f.prompts.asked.empty());
}

void MainWindowTest::closingTheProgramAsksFirst() {
    Fixture f;
    f.newProject();
    f.placeText(QStringLiteral("UNSAVED"), 0, 0);
    QVERIFY(f.main->document().modified());
    f.prompts.answers = {Answer::Cancel};
    QVERIFY(!f.main->close());
    QVERIFY(f.prompts.wasAsked(61578));
    // Yes, but the save's file dialog cancelled: the program keeps running.
    f.prompts.answers = {Answer::Yes};
    QVERIFY(!f.main->close());
    QCOMPARE(f.main->screenWindows().size(), 1);
    // No: closes, and the recent list is written.
    f.prompts.answers = {Answer::No};
    QVERIFY(f.main->close());
    QCOMPARE(f.restarts, 0);
    QVERIFY(f.settingsText().contains(QStringLiteral("[LastFile]")));
}

void MainWindowTest::recentListFollowsOpenedProjects() {
    Fixture f;
    QStringList paths;
    for (const char* name : {"a.trn", "b.trn"}) {
        f.newProject();
        f.placeText(QString::fromLatin1(name).left(1), 0, 0);
        f.saveAs(QString::fromLatin1(name), 1);
        paths << f.file(QString::fromLatin1(name));
    }
    QVERIFY(f.main->closeProject());
    // Newest first: b, then a.
    QCOMPARE(ui::qs(f.main->store().recentFiles[0]), paths[1]);
    QCOMPARE(ui::qs(f.main->store().recentFiles[1]), paths[0]);
    QVERIFY(f.settingsText().contains(QStringLiteral("file1=") + paths[1]));
    // The menu shows "1: " .. "4: " with the entries; unset ones are disabled.
    QCOMPARE(f.main->action(command::kRecent1)->text(), QStringLiteral("&1: ") + paths[1]);
    QVERIFY(!f.main->commandEnabled(command::kRecent3));
    // Opening entry 2 while b is open opens a, even though closing b reorders the list.
    f.main->runCommand(command::kRecent1);
    QCOMPARE(ui::qs(f.main->store().projectPath), paths[1]);
    f.main->runCommand(command::kRecent2);
    QCOMPARE(ui::qs(f.main->store().projectPath), paths[0]);
    QCOMPARE(f.active()->session().screen().objects().textStrings[0].text, std::string("a"));
    // A file that does not open leaves an empty project and says so.
    f.prompts.files.push_back(f.file(QStringLiteral("missing.trn")));
    f.main->runCommand(command::kOpenProject);
    QVERIFY(f.prompts.wasShown(61580));
    QVERIFY(!f.main->store().projectOpen);
}

void MainWindowTest::documentsAndBuild() {
    Fixture f;
    f.main->runCommand(command::kDocument1);
    QCOMPARE(int(f.prompts.opened.size()), 1);
    QVERIFY(f.prompts.opened[0].toLocalFile().endsWith(QStringLiteral("doc/manual_en.html")));
    QFile::remove(f.programDir + QStringLiteral("/doc/protocols_en.html"));
    f.main->runCommand(command::kDocument2);
    QCOMPARE(int(f.prompts.opened.size()), 1);
    QCOMPARE(f.prompts.shown.back().id, 0);
    QVERIFY(ui::qs(f.prompts.shown.back().literal).startsWith(ui::text(61584)));

    f.newProject();
    f.placeText(QStringLiteral("BUILD 1"), 0, 0);
    f.saveAs(QStringLiteral("built.trn"), 1);
    BuiltImage handed;
    f.main->setBuildHandover([&](MainWindow&, const BuiltImage& b) { handed = b; });
    f.main->runCommand(command::kBuild);
    QVERIFY(!handed.imagePath.empty());
    QCOMPARE(ui::qs(handed.imagePath), f.programDir + QStringLiteral("/qelsoft.qel"));
    QVERIFY(!handed.result.stopped());
    QCOMPARE(QFileInfo(ui::qs(handed.imagePath)).size(), qint64(handed.result.image.size()));
    // The status bar says what was built.
    QCOMPARE(
        f.main->buildPaneText(),
        ui::text(Message::string(
            appmsg::kBuildSummary,
            {"qelsoft.qel", QLocale().toString(qlonglong(handed.result.image.size())).toStdString(),
             "1", "0"})));
}

void MainWindowTest::screenNumberOfAnotherWindowReplacesIt() {
    Fixture f;
    f.newProject();
    f.placeText(QStringLiteral("OLD"), 0, 0);
    f.saveAs(QStringLiteral("replace.trn"), 4);
    ScreenWindow* old = f.active();
    ScreenWindow* fresh = f.main->newScreenWindow();
    f.placeText(QStringLiteral("NEW"), 0, 0);
    // Screen 4 exists: the dialog asks 63526; Yes replaces it and the old window goes.
    f.expectScreenNumber(4);
    f.prompts.answers = {Answer::Yes};
    QVERIFY(f.main->storeScreenWindow(*fresh));
    QVERIFY(f.prompts.wasAsked(63526));
    QTRY_COMPARE(f.main->screenWindows().size(), 1);
    QCOMPARE(f.main->screenWindows().first(), fresh);
    Q_UNUSED(old);
    QCOMPARE(fresh->screenNo(), 4);
    QCOMPARE(f.main->store().screenOpen[4], 1);
}

void MainWindowTest::screenListCopiesRenumbersAndOpens() {
    Fixture f;
    f.newProject();
    f.placeText(QStringLiteral("A"), 0, 0);
    f.saveAs(QStringLiteral("list.trn"), 1);
    f.main->runCommand(command::kNewScreen);
    f.placeText(QStringLiteral("B"), 0, 0);
    f.expectScreenNumber(2);
    f.main->runCommand(command::kSaveProject);
    QVERIFY(f.dialogs.done());
    f.main->windowOfScreen(1)->close();
    ScreenWindow* two = f.main->windowOfScreen(2);
    QVERIFY(two);
    auto inList = [](QDialog& d, int row) {
        auto* list = d.findChild<QTreeWidget*>(QStringLiteral("ctl1090"));
        list->setCurrentItem(list->topLevelItem(row));
        list->topLevelItem(row)->setSelected(true);
    };

    // Copy screen 1 onto screen 2, which is open: after the question its window shows the copy.
    f.dialogs.expect(QStringLiteral("screenManagerDialog"), [&](QDialog& d) {
        QCOMPARE(d.findChild<QTreeWidget*>(QStringLiteral("ctl1090"))->topLevelItemCount(), 2);
        inList(d, 0);
        d.findChild<QPushButton*>(QStringLiteral("ctl1003"))->click();
        DialogScript::cancel(d);
    });
    f.dialogs.expect(QStringLiteral("screenNumberDialog"), [](QDialog& d) {
        d.findChild<QSpinBox*>(QStringLiteral("ctl1110"))->setValue(2);
        DialogScript::ok(d);
    });
    f.prompts.answers = {Answer::Ok};
    f.main->runCommand(command::kScreenList);
    QVERIFY(f.dialogs.done());
    QVERIFY(f.prompts.wasAsked(63590));
    QCOMPARE(f.main->windowOfScreen(2), two);
    QCOMPARE(two->session().screen().objects().textStrings[0].text, std::string("A"));
    QVERIFY(f.main->document().modified());

    // Renumber the open screen 2 to 7: its window follows.
    f.dialogs.expect(QStringLiteral("screenManagerDialog"), [&](QDialog& d) {
        inList(d, 1);
        QVERIFY(!d.findChild<QPushButton*>(QStringLiteral("ctl1004"))->isEnabled()); // open
        d.findChild<QPushButton*>(QStringLiteral("ctl3"))->click();
        DialogScript::cancel(d);
    });
    f.dialogs.expect(QStringLiteral("screenNumberNameDialog"), [](QDialog& d) {
        d.findChild<QSpinBox*>(QStringLiteral("ctl1097"))->setValue(7);
        DialogScript::ok(d);
    });
    f.main->runCommand(command::kScreenList);
    QVERIFY(f.dialogs.done());
    QCOMPARE(two->screenNo(), 7);
    QVERIFY(f.main->store().screenExists(7));
    QVERIFY(!f.main->store().screenExists(2));
    QCOMPARE(f.main->store().screenOpen[7], 1);
    QCOMPARE(f.main->store().screenOpen[2], 0);
    QVERIFY(two->windowTitle().startsWith(ui::text(Message::string(61500, {"7"}))));
    // Undo takes the renumbering back, the window with it; redo makes it again.
    f.main->runCommand(command::kUndo);
    QCOMPARE(two->screenNo(), 2);
    QVERIFY(f.main->store().screenExists(2));
    QVERIFY(!f.main->store().screenExists(7));
    f.main->runCommand(command::kRedo);
    QCOMPARE(two->screenNo(), 7);
    QVERIFY(f.main->store().screenExists(7));
    QCOMPARE(two->session().screen().objects().textStrings[0].text, std::string("A"));

    // OK opens the chosen screen.
    f.dialogs.expect(QStringLiteral("screenManagerDialog"), [&](QDialog& d) {
        inList(d, 0);
        DialogScript::ok(d);
    });
    f.main->runCommand(command::kScreenList);
    QVERIFY(f.main->windowOfScreen(1));
    QCOMPARE(f.active()->screenNo(), 1);
}

void MainWindowTest::newProjectNeedsAModelAndTakesPortParameters() {
    Fixture f;
    // Cancel is answered with 61556 and the dialog again; then the two-port model with COM2 at
    // 19200 baud, 8 data bits, no parity, 2 stop bits.
    f.dialogs.expect(QStringLiteral("modelLinkDialog"), DialogScript::cancel);
    f.dialogs.expect(QStringLiteral("modelLinkDialog"), [&](QDialog& d) {
        auto* model = d.findChild<QComboBox*>(QStringLiteral("ctl1027"));
        QVERIFY(model->count() >= 2);
        QVERIFY(!d.findChild<QComboBox*>(QStringLiteral("ctl1014"))->isEnabled()); // one port
        model->setCurrentIndex(1);
        QVERIFY(d.findChild<QComboBox*>(QStringLiteral("ctl1014"))->isEnabled());
        f.dialogs.expect(QStringLiteral("portParamDialog"), [](QDialog& p) {
            p.findChild<QComboBox*>(QStringLiteral("ctl1013"))->setCurrentText(QStringLiteral("19200"));
            p.findChild<QComboBox*>(QStringLiteral("ctl1031"))->setCurrentIndex(1);
            p.findChild<QComboBox*>(QStringLiteral("ctl1032"))->setCurrentIndex(2);
            p.findChild<QComboBox*>(QStringLiteral("ctl1022"))->setCurrentIndex(1);
            DialogScript::ok(p);
        });
        d.findChild<QPushButton*>(QStringLiteral("ctl1003"))->click();
        QVERIFY(d.findChild<QPlainTextEdit*>(QStringLiteral("ctl1162"))->toPlainText().startsWith(
            QStringLiteral("COM1:")));
        DialogScript::ok(d);
    });
    f.main->runCommand(command::kNewProject);
    QVERIFY(f.dialogs.done());
    QVERIFY(f.dialogs.unexpected.isEmpty());
    QVERIFY(f.prompts.wasShown(61556));
    const ProjectStore& st = f.main->store();
    QVERIFY(st.projectOpen);
    QCOMPARE(st.cpuId, 2);
    const SerialSettings com2 = st.serial(2);
    QCOMPARE(com2.baud, 19200u);
    QCOMPARE(com2.dataBits, uint8_t(8));
    QCOMPARE(com2.parity, 'n');
    QCOMPARE(com2.stopBits, uint8_t(2));
    QCOMPARE(f.main->screenWindows().size(), 1);
    // The two-port model offers the clock display and trend graph commands' rules.
    QVERIFY(f.active()->session().commandEnabled(command::kPlaceTrendGraph, false));
}

void MainWindowTest::aboutWindowHidesUnsetFields() {
    Fixture f;
    const std::string sentinel = LanguageStrings::current().sentinel();
    QFile ini(f.programDir + QStringLiteral("/qel.ini"));
    ini.open(QIODevice::Append);
    ini.write(("[logo]\r\ncopyright=" + sentinel + "\r\nhttp=example.org\r\nsoft=Panel Tools\r\n").c_str());
    ini.close();
    f.dialogs.expect(QStringLiteral("aboutDialog"), [](QDialog& d) {
        QVERIFY(d.windowTitle().endsWith(QStringLiteral("Panel Tools...")));
        QCOMPARE(d.findChild<QLabel*>(QStringLiteral("version"))->text(),
                 QStringLiteral("Ver 3.1.0(build20081010)"));
        QVERIFY(d.findChild<QLabel*>(QStringLiteral("copyright"))->isHidden());
        QVERIFY(!d.findChild<QLabel*>(QStringLiteral("http"))->isHidden());
        d.accept();
    });
    f.main->runCommand(command::kAbout);
    QVERIFY(f.dialogs.done());
}

void MainWindowTest::missingPanelPictureClosesTheWindow() {
    Fixture f;
    QFile::remove(f.programDir + QStringLiteral("/panel1.bmp"));
    f.newProject();
    QVERIFY(f.prompts.wasShown(63593));
    QTRY_COMPARE(f.main->screenWindows().size(), 0);
    // The project itself stays open.
    QVERIFY(f.main->store().projectOpen);
}

void MainWindowTest::viewCommandsAndTheirRules() {
    Fixture f;
    QVERIFY(!f.main->commandEnabled(command::kPlaceTextString)); // no screen window
    f.newProject();
    QVERIFY(f.main->commandEnabled(command::kPlaceTextString));
    // A one-port model has no trend graphs and no clock display.
    QVERIFY(!f.active()->session().commandEnabled(command::kPlaceTrendGraph, false));
    f.placeText(QStringLiteral("ONE"), 0, 0);
    f.placeText(QStringLiteral("TWO"), 0, 32);
    // A placed object is selected; a click on empty LCD deselects it.
    QVERIFY(f.main->commandEnabled(command::kDelete));
    QTest::mouseClick(f.canvas(), Qt::LeftButton, {}, f.at(300, 100));
    QVERIFY(!f.main->commandEnabled(command::kDelete));
    QVERIFY(!f.main->commandEnabled(command::kCut));
    // Escape disarms a placement.
    f.dialogs.expect(QStringLiteral("textStringDialog"), [](QDialog& d) {
        d.findChild<QLineEdit*>(QStringLiteral("ctl1003"))->setText(QStringLiteral("Z"));
        DialogScript::ok(d);
    });
    f.main->runCommand(command::kPlaceTextString);
    QCOMPARE(f.active()->session().pointer().placingKind(), 1);
    QTest::keyClick(f.canvas(), Qt::Key_Escape);
    QCOMPARE(f.active()->session().pointer().placingKind(), 0);
    // Select one, cut it: the other stays.
    QTest::mouseClick(f.canvas(), Qt::LeftButton, {}, f.at(4, 36));
    QVERIFY(f.main->commandEnabled(command::kCut));
    f.main->runCommand(command::kCut);
    QCOMPARE(f.active()->session().screen().objects().count(kKindTextString), 1);
    QCOMPARE(f.active()->session().screen().objects().textStrings[0].text, std::string("ONE"));
    QVERIFY(f.main->clipboardHasBlock());
    // The Delete key removes the selection.
    QTest::mouseClick(f.canvas(), Qt::LeftButton, {}, f.at(4, 4));
    QTest::keyClick(f.canvas(), Qt::Key_Delete);
    QCOMPARE(f.active()->session().screen().objects().count(kKindTextString), 0);
    // The summary counts the objects.
    f.main->runCommand(command::kSummary);
    QVERIFY(ui::qs(f.prompts.shown.back().literal).contains(ui::text(Message::string(63582, {"0"}))));
    // Removing the screen asks first, then frees its number.
    f.placeText(QStringLiteral("GONE"), 0, 0);
    f.saveAs(QStringLiteral("remove.trn"), 9);
    QVERIFY(f.main->store().screenExists(9));
    f.prompts.answers = {Answer::No};
    f.main->runCommand(command::kRemoveScreen);
    QVERIFY(f.main->store().screenExists(9));
    f.prompts.answers = {Answer::Yes};
    f.main->runCommand(command::kRemoveScreen);
    QVERIFY(!f.main->store().screenExists(9));
    QTRY_COMPARE(f.main->screenWindows().size(), 0);
    QVERIFY(f.main->document().modified());
}

void MainWindowTest::untitledWorkIsAskedAboutBeforeOpening() {
    Fixture f;
    f.newProject();
    f.placeText(QStringLiteral("SAVED"), 0, 0);
    f.saveAs(QStringLiteral("other.trn"), 1);
    QVERIFY(f.main->closeProject());
    f.newProject();
    f.placeText(QStringLiteral("DRAFT"), 0, 0);
    // Cancel at the question: the untitled project stays as it is.
    f.prompts.files.push_back(f.file(QStringLiteral("other.trn")));
    f.prompts.answers = {Answer::Cancel};
    f.main->runCommand(command::kOpenProject);
    QVERIFY(f.prompts.wasAsked(61579));
    QCOMPARE(f.active()->session().screen().objects().textStrings[0].text, std::string("DRAFT"));
    // Cancelling the file dialog asks nothing and keeps the project too.
    f.prompts.clear();
    f.main->runCommand(command::kOpenProject);
    QVERIFY(f.prompts.asked.empty());
    QVERIFY(f.main->store().projectOpen);
    // No: the other project opens.
    f.prompts.files.push_back(f.file(QStringLiteral("other.trn")));
    f.prompts.answers = {Answer::No};
    f.main->runCommand(command::kOpenProject);
    QCOMPARE(f.active()->session().screen().objects().textStrings[0].text, std::string("SAVED"));
}

void MainWindowTest::pasteIntoAnotherProjectKeepsPositions() {
    Fixture f;
    f.newProject();
    f.placeText(QStringLiteral("MOVE"), 32, 32);
    f.saveAs(QStringLiteral("from.trn"), 1);
    QTest::mouseClick(f.canvas(), Qt::LeftButton, {}, f.at(36, 36));
    f.main->runCommand(command::kCopy);
    // Closing the project empties the clipboard; copy again after opening it once more.
    QVERIFY(f.main->closeProject());
    QVERIFY(!f.main->clipboardHasBlock());
    f.prompts.files.push_back(f.file(QStringLiteral("from.trn")));
    f.main->runCommand(command::kOpenProject);
    QTest::mouseClick(f.canvas(), Qt::LeftButton, {}, f.at(36, 36));
    f.main->runCommand(command::kCopy);
    const Point from{f.active()->session().screen().objects().textStrings[0].x,
                     f.active()->session().screen().objects().textStrings[0].y};
    const QByteArray block = QGuiApplication::clipboard()->mimeData()->data(QStringLiteral("quorl"));
    QCOMPARE(block.size(), 387276);
    f.main->closeAllScreenWindows();
    f.main->store().projectPath = "/elsewhere/another.trn";
    auto* data = new QMimeData;
    data->setData(QStringLiteral("quorl"), block);
    QGuiApplication::clipboard()->setMimeData(data);
    ScreenWindow* w = f.main->newScreenWindow();
    f.main->runCommand(command::kPaste);
    QCOMPARE(w->session().screen().objects().textStrings[0].x, from.x);
    QCOMPARE(w->session().screen().objects().textStrings[0].y, from.y);
}

void MainWindowTest::screenNumberIsAskedOnceAndKeepsWhatWasTyped() {
    Fixture f;
    f.newProject();
    f.placeText(QStringLiteral("ONE"), 0, 0);
    // Screen > Save of an untitled project: the number first (the lowest free one offered),
    // then the file; the number is not asked again.
    f.prompts.files.push_back(f.file(QStringLiteral("numbers.trn")));
    f.dialogs.expect(QStringLiteral("screenAssignDialog"), [&](QDialog& d) {
        QCOMPARE(f.prompts.fileDialogs, 0);
        QCOMPARE(d.findChild<QSpinBox*>(QStringLiteral("ctl1087"))->value(), 1);
        d.findChild<QLineEdit*>(QStringLiteral("ctl1088"))->setText(QStringLiteral("One"));
        DialogScript::ok(d);
    });
    f.active()->runCommand(command::kSave);
    QVERIFY(f.dialogs.done());
    QCOMPARE(f.prompts.fileDialogs, 1);
    QVERIFY(f.main->store().screenExists(1));
    QVERIFY(!f.main->document().modified());

    // A second window: typed values survive the focus entering the list; only a row chosen
    // with a key or a click replaces them, and replacing a screen is not the default.
    f.main->runCommand(command::kNewScreen);
    f.placeText(QStringLiteral("TWO"), 0, 0);
    f.dialogs.expect(QStringLiteral("screenAssignDialog"), [&](QDialog& d) {
        auto* number = d.findChild<QSpinBox*>(QStringLiteral("ctl1087"));
        auto* name = d.findChild<QLineEdit*>(QStringLiteral("ctl1088"));
        auto* list = d.findChild<QTreeWidget*>(QStringLiteral("ctl1086"));
        QCOMPARE(number->value(), 2);
        d.show();
        d.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        number->setValue(4);
        name->setFocus();
        name->setText(QStringLiteral("Foo"));
        QTest::keyClick(name, Qt::Key_Tab);
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(list));
        QCOMPARE(number->value(), 4);
        QCOMPARE(name->text(), QStringLiteral("Foo"));
        QTest::keyClick(list, Qt::Key_Space);
        QCOMPARE(number->value(), 1);
        QCOMPARE(name->text(), QStringLiteral("One"));
        // Enter at the question keeps screen 1 and the dialog.
        DialogScript::ok(d);
        QVERIFY(f.prompts.wasAsked(63526));
        QVERIFY(d.isVisible());
        number->setValue(4);
        name->setText(QStringLiteral("Foo"));
        DialogScript::ok(d);
    });
    f.main->runCommand(command::kSaveProject);
    QVERIFY(f.dialogs.done());
    QVERIFY(f.main->store().screenExists(4));
    QCOMPARE(f.main->store().entries[4].nameString(), std::string("Foo"));
    QCOMPARE(f.main->store().entries[1].nameString(), std::string("One"));
    QCOMPARE(f.main->windowOfScreen(1)->session().screen().objects().textStrings[0].text, std::string("ONE"));
}

void MainWindowTest::unsetRecentEntriesInEveryLanguage() {
    // An English run left its sentinel in the list; this run speaks Chinese.
    Fixture f(SettingsFile::kChinese, "[LastFile]\r\nfile1=(none)\r\nfile2=(none)\r\n");
    QCOMPARE(LanguageStrings::current().sentinel(), std::string("（无）"));
    QVERIFY(!f.main->commandEnabled(command::kRecent1));
    QCOMPARE(f.main->action(command::kRecent1)->text(), QStringLiteral("&1: （无）"));
    f.main->openProject(1);
    QVERIFY(f.prompts.shown.empty());
    // Saving puts the project first at once; unset entries are written empty, in no language.
    f.newProject();
    f.placeText(QStringLiteral("ZH"), 0, 0);
    f.saveAs(QStringLiteral("zh.trn"), 1);
    QVERIFY(f.settingsText().contains(QStringLiteral("file1=") + f.file(QStringLiteral("zh.trn"))));
    QVERIFY(f.main->commandEnabled(command::kRecent1));
    QVERIFY(!f.main->commandEnabled(command::kRecent2));
    f.prompts.answers = {Answer::Ok};
    QVERIFY(f.main->close());
    const QString written = f.settingsText();
    QVERIFY(written.contains(QStringLiteral("file2=\r\n")));
    QVERIFY(!written.contains(QStringLiteral("（无）")));
    QVERIFY(!written.contains(QStringLiteral("(none)")));
}

void MainWindowTest::startPaneWhileNoProjectIsOpen() {
    Fixture f;
    // The examples of the build, beside the program directory as in the build tree.
    const QDir built(QStringLiteral(DISPCRAFT_TEST_PROGRAM_DIR "/../examples"));
    QDir().mkpath(f.file(QStringLiteral("examples")));
    for (const QString& name : built.entryList({QStringLiteral("*.trn")})) {
        QFile::copy(built.filePath(name), f.file(QStringLiteral("examples/") + name));
    }
    auto* central = qobject_cast<QStackedWidget*>(f.main->centralWidget());
    QVERIFY(central);
    QCOMPARE(central->currentWidget(), static_cast<QWidget*>(f.main->startPane()));
    f.main->rebuildWorkspace();
    auto* example = f.main->startPane()->findChild<QAbstractButton*>(QStringLiteral("example1"));
    QVERIFY(example);
    QVERIFY(!f.main->startPane()->findChild<QAbstractButton*>(QStringLiteral("recent1")));
    // An example opens as an untitled copy with its screens.
    example->click();
    QTRY_VERIFY(f.main->store().projectOpen);
    QCOMPARE(central->currentWidget(), static_cast<QWidget*>(f.main->mdiArea()));
    QVERIFY(f.main->store().projectPath.empty());
    QVERIFY(f.main->screenWindows().size() >= 1);
    QVERIFY(f.main->windowTitle().startsWith(ui::text(63579)));
    // Closed: the pane again, asking nothing; a saved project is then a recent one.
    QVERIFY(f.main->closeProject());
    QVERIFY(f.prompts.asked.empty());
    QCOMPARE(central->currentWidget(), static_cast<QWidget*>(f.main->startPane()));
    f.main->startPane()
        ->findChild<QAbstractButton*>(QStringLiteral("start%1").arg(command::kNewProject))
        ->click();
    f.dialogs.expect(QStringLiteral("modelLinkDialog"), DialogScript::ok);
    QTRY_VERIFY(f.main->store().projectOpen);
    f.placeText(QStringLiteral("SAVED"), 0, 0);
    f.saveAs(QStringLiteral("started.trn"), 1);
    QVERIFY(f.main->closeProject());
    auto* recent = f.main->startPane()->findChild<QAbstractButton*>(QStringLiteral("recent1"));
    QVERIFY(recent);
    recent->click();
    QTRY_COMPARE(ui::qs(f.main->store().projectPath), f.file(QStringLiteral("started.trn")));
}

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
