// The property and settings dialogs driven through their widgets, and the screen window's
// placement commands and double-clicks that open them.

#include "AppTestSupport.h"

#include "app/ObjectDialogs.h"

#include "app/dialogs/AddressKeypadDialog.h"
#include "app/dialogs/AlarmGroupDialog.h"
#include "app/dialogs/BitScreenTableDialog.h"
#include "app/dialogs/ChangeRecordDialog.h"
#include "app/dialogs/PanelSettingsDialog.h"
#include "app/dialogs/ReportList.h"
#include "forms/WorkspaceExchange.h"
#include "model/ProjectStore.h"

#include <QLabel>

#include <QCheckBox>
#include <QRadioButton>

using namespace dispcraft;
using namespace dispcraft::apptest;

namespace {

template <typename W = QWidget>
W* ctl(QWidget& d, int id) {
    W* w = d.findChild<W*>(QStringLiteral("ctl%1").arg(id));
    if (!w) {
        qWarning("control %d missing in %s", id, qPrintable(d.objectName()));
    }
    return w;
}

// New project with model n of the model list (0: one port, CPU 1; 1: two ports; 2: two ports,
// two alarm groups, a PLC ID 250 link on COM2, alarm view and screen password).
void newProjectWithModel(Fixture& f, int model) {
    f.dialogs.expect(QStringLiteral("modelLinkDialog"), [model](QDialog& d) {
        d.findChild<QComboBox*>(QStringLiteral("ctl1027"))->setCurrentIndex(model);
        DialogScript::ok(d);
    });
    f.main->runCommand(command::kNewProject);
    QVERIFY(f.dialogs.done());
}

// Types text into an in-place cell editor of a report list and ends the edit.
void editCell(ReportList* list, int row, const QString& text) {
    list->editItem(list->item(row, 0));
    auto* edit = list->findChild<QLineEdit*>(QStringLiteral("cellEdit"));
    QVERIFY(edit);
    edit->setText(text);
    QTest::keyClick(edit, Qt::Key_Return);
    // The edit is committed and its editor deleted by queued events.
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// 13 Chinese characters: within the edit's 24 characters, but 26 bytes of GB2312.
QString tooLongText() { return QString(13, QChar(0x6E29)); }

// The dialogs run through the test's hook are not shown by exec(); in-place editing and the
// focus need them on screen.
void shown(QDialog& d) {
    d.show();
    QVERIFY(QTest::qWaitForWindowExposed(&d));
}

QPoint centre(const Rect& r) { return QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2); }

} // namespace

class DialogsTest : public QObject {
    Q_OBJECT
private slots:
    void keypadReplacesThenAppendsAndRefusesSilently();
    void msgDispPlacedAndEditedWithItsTexts();
    void trendGraphNeedsTheTwoPortModel();
    void everyPlacementCommandOpensItsKindsDialog();
    void panelKeyFromThePanelPicture();
    void panelKeyValueKeepsWhatWasTyped();
    void functionKeyTakesAScreenNumber();
    void alarmGroupChecksItsRangeAndTexts();
    void addressPairTableAddsEditsAndDeletes();
    void panelSettingsChecksAndTheTable();
    void bitScreenTableCountAndRows();
};

void DialogsTest::keypadReplacesThenAppendsAndRefusesSilently() {
    ScriptedPrompts prompts;
    AddressKeypadForm form("0010", "1777", "7777");
    AddressKeypadDialog d(form, prompts);
    shown(d);
    auto* edit = ctl<QLineEdit>(d, AddressKeypadForm::kEdit);
    // The first key replaces the preset text; the next ones append up to the limit's length.
    for (int id : {1008, 1007, 1007, 1007, 1007}) { // 1 6 6 6 6
        ctl<QPushButton>(d, id)->click();
    }
    QCOMPARE(edit->text(), QStringLiteral("1666"));
    ctl<QPushButton>(d, 1019)->click();
    QCOMPARE(edit->text(), QStringLiteral("166"));
    ctl<QPushButton>(d, 1018)->click();
    QCOMPARE(edit->text(), QString());
    // 2000 passes the limit: refused without a message, the dialog stays.
    edit->setText(QStringLiteral("2000"));
    DialogScript::ok(d);
    QCOMPARE(d.result(), int(QDialog::Rejected));
    QVERIFY(prompts.shown.empty());
    edit->setText(QStringLiteral("17"));
    DialogScript ds;
    ds.expect(QStringLiteral("addressKeypadDialog"), DialogScript::ok);
    auto v = d.run();
    QVERIFY(v);
    QCOMPARE(*v, std::string("0017"));
}

void DialogsTest::msgDispPlacedAndEditedWithItsTexts() {
    Fixture f;
    f.newProject();
    f.dialogs.expect(QStringLiteral("msgDispDialog"), [&](QDialog& d) {
        shown(d);
        // COM1 only on the one-port model; D8000 lies beyond the area.
        QCOMPARE(ctl<QComboBox>(d, 1010)->count(), 1);
        auto* list = ctl<ReportList>(d, 1038);
        QCOMPARE(list->rowCount(), 16);
        QCOMPARE(list->cell(3, 0), QString());
        editCell(list, 0, QStringLiteral("RUN"));
        editCell(list, 1, tooLongText()); // refused, the row keeps its text
        QVERIFY(f.prompts.wasShown(61450));
        QCOMPARE(list->cell(1, 0), QString());
        editCell(list, 1, QStringLiteral("停止"));
        ctl<QLineEdit>(d, 1036)->setText(QStringLiteral("8000"));
        DialogScript::ok(d);
        QCOMPARE(d.result(), int(QDialog::Rejected));
        QVERIFY(f.prompts.wasShown(61455));
        QCOMPARE(d.focusWidget(), ctl(d, 1036));
        ctl<QLineEdit>(d, 1036)->setText(QStringLiteral("0100"));
        ctl<QRadioButton>(d, 1035)->setChecked(true);
        DialogScript::ok(d);
    });
    f.main->runCommand(command::kPlaceMsgDisp);
    QVERIFY(f.dialogs.done());
    EditorSession& s = f.active()->session();
    QCOMPARE(s.pointer().placingKind(), int(kKindMsgDisp));
    QTest::mouseClick(f.canvas(), Qt::LeftButton, {}, f.at(16, 16));
    s.pointer().escape();
    const MsgDispObject& o = s.screen().objects().msgDisps[0];
    QVERIFY(o.occupies(kKindMsgDisp));
    QCOMPARE(o.texts[0], std::string("RUN"));
    QCOMPARE(o.texts[1], std::string("\xCD\xA3\xD6\xB9"));
    QCOMPARE(o.texts[2], std::string()); // rows left alone stay empty
    QCOMPARE(o.address, 100);
    QCOMPARE(o.attr & 0x80, 0x80);
    QVERIFY(s.screen().modified());

    // A double-click edits it: Cancel changes nothing, OK writes back.
    f.dialogs.expect(QStringLiteral("msgDispDialog"), [&](QDialog& d) {
        shown(d);
        QCOMPARE(ctl<ReportList>(d, 1038)->cell(0, 0), QStringLiteral("RUN"));
        ctl<QLineEdit>(d, 1036)->setText(QStringLiteral("0200"));
        DialogScript::cancel(d);
    });
    const QPoint onIt = f.at(16 + 4, 16 + 4);
    QTest::mouseDClick(f.canvas(), Qt::LeftButton, {}, onIt);
    QCOMPARE(s.screen().objects().msgDisps[0].address, 100);
    f.dialogs.expect(QStringLiteral("msgDispDialog"), [&](QDialog& d) {
        shown(d);
        ctl<QLineEdit>(d, 1036)->setText(QStringLiteral("0200"));
        ctl<QRadioButton>(d, 1034)->setChecked(true);
        DialogScript::ok(d);
    });
    QTest::mouseDClick(f.canvas(), Qt::LeftButton, {}, onIt);
    QVERIFY(f.dialogs.done());
    QVERIFY(f.dialogs.unexpected.isEmpty());
    QCOMPARE(s.screen().objects().msgDisps[0].address, 200);
    QCOMPARE(s.screen().objects().msgDisps[0].attr & 0x80, 0);
}

void DialogsTest::trendGraphNeedsTheTwoPortModel() {
    Fixture f;
    f.newProject();
    // Disabled on the one-port panel; a model of another CPU kind is told why.
    QVERIFY(!f.main->runCommand(command::kPlaceTrendGraph));
    f.main->store().cpuId = 37;
    QVERIFY(f.main->runCommand(command::kPlaceTrendGraph));
    QVERIFY(f.prompts.wasShown(61502));
    QCOMPARE(f.active()->session().pointer().placingKind(), 0);
    QCOMPARE(f.dialogs.seen, QStringList{QStringLiteral("modelLinkDialog")});
}

void DialogsTest::everyPlacementCommandOpensItsKindsDialog() {
    Fixture f;
    newProjectWithModel(f, 1);
    const std::pair<int, const char*> commands[] = {
        {command::kPlaceTextString, "textStringDialog"}, {command::kPlaceMsgDisp, "msgDispDialog"},
        {command::kPlaceNumDisp, "numDispDialog"},       {command::kPlaceShortNumDisp, "shortNumDispDialog"},
        {command::kPlaceBarGraph, "barGraphDialog"},     {command::kPlaceTrendGraph, "trendGraphDialog"},
        {command::kPlaceLamp, "lampDialog"},             {command::kPlacePicture, "pictureDialog"}};
    int opened = 0;
    for (const auto& [id, name] : commands) {
        if (!ObjectDialogs::instance().hasPlacement(id)) {
            continue; // a kind whose dialog this build lacks keeps its command disabled
        }
        f.main->updateCommandStates();
        QVERIFY(f.main->action(id)->isEnabled());
        const qsizetype before = f.dialogs.seen.size();
        // Nothing is expected: the script cancels each dialog and records its name.
        QVERIFY(f.main->runCommand(id));
        if (f.dialogs.seen.size() > before) {
            QCOMPARE(f.dialogs.seen.last(), QString::fromLatin1(name));
            ++opened;
        }
        // A cancelled placement arms nothing.
        QCOMPARE(f.active()->session().pointer().placingKind(), 0);
    }
    QVERIFY(opened >= 2);
}

void DialogsTest::panelKeyFromThePanelPicture() {
    Fixture f;
    newProjectWithModel(f, 2);
    EditorSession& s = f.active()->session();
    const QPoint key0 = centre(s.screen().panelKeyRects()[0]);
    // A word action of 10000 in decimal digits is refused; then a per-screen show-screen.
    f.dialogs.expect(QStringLiteral("keyFunctionDialog"), [&](QDialog& d) {
        shown(d);
        QCOMPARE(d.windowTitle(), ui::text(Message::string(61514, {"1"})));
        QVERIFY(ctl(d, 1194)->isVisibleTo(&d)); // the model has the fourth action
        // What only the panel's manual explains says which bits it stores; bit modes say what
        // they do.
        QVERIFY(ctl(d, 1194)->toolTip().contains(ui::text(appmsg::kTipFourthAction)));
        QVERIFY(ctl<QRadioButton>(d, 1203)->text().contains(QStringLiteral("held")));
        ctl<QRadioButton>(d, 1193)->click();
        QVERIFY(!ctl(d, 1227)->isVisibleTo(&d));
        QVERIFY(ctl(d, 1211)->isVisibleTo(&d));
        ctl<QRadioButton>(d, 1205)->click();
        ctl<QSpinBox>(d, 1211)->setValue(10000);
        ctl<QLineEdit>(d, 1223)->setText(QStringLiteral("0010"));
        DialogScript::ok(d);
        QCOMPARE(d.result(), int(QDialog::Rejected));
        QVERIFY(f.prompts.wasShown(61537));
        QCOMPARE(d.focusWidget(), ctl(d, 1211));
        ctl<QRadioButton>(d, 1191)->click();
        ctl<QSpinBox>(d, 1227)->setValue(5);
        d.findChild<QCheckBox*>(QStringLiteral("perScreen"))->setChecked(true);
        DialogScript::ok(d);
    });
    QTest::mouseDClick(f.canvas(), Qt::LeftButton, {}, key0);
    QVERIFY(f.dialogs.done());
    const ProjectStore& st = f.main->store();
    QCOMPARE(st.globalKeys[0].kind, uint8_t(1));
    QCOMPARE(s.screen().keys()[0].screen, uint8_t(5));
    QCOMPARE(s.screen().keys()[0].flags, uint8_t(0));
    // Cancelled in per-screen mode: the project-wide record keeps its per-screen mark.
    f.dialogs.expect(QStringLiteral("keyFunctionDialog"), DialogScript::cancel);
    QTest::mouseDClick(f.canvas(), Qt::LeftButton, {}, key0);
    QCOMPARE(st.globalKeys[0].kind, uint8_t(1));

    // Project-wide again: a bit action on COM2 in mode 2 is encoded into the record.
    f.dialogs.expect(QStringLiteral("keyFunctionDialog"), [&](QDialog& d) {
        shown(d);
        auto* perScreen = d.findChild<QCheckBox*>(QStringLiteral("perScreen"));
        QVERIFY(perScreen->isChecked());
        QCOMPARE(ctl<QSpinBox>(d, 1227)->value(), 5);
        ctl<QRadioButton>(d, 1192)->click();
        ctl<QComboBox>(d, 1216)->setCurrentIndex(1);
        ctl<QRadioButton>(d, 1202)->click();
        ctl<QLineEdit>(d, 1223)->setText(QStringLiteral("0001"));
        perScreen->setChecked(false);
        DialogScript::ok(d);
    });
    QTest::mouseDClick(f.canvas(), Qt::LeftButton, {}, key0);
    QVERIFY(f.dialogs.done());
    QCOMPARE(st.globalKeys[0].kind, uint8_t(0));
    QCOMPARE(st.globalKeys[0].flags, uint8_t(0xC2));
    QCOMPARE(st.globalKeys[0].address, uint16_t(1));
    QCOMPARE(st.globalKeys[0].operand, 1u);

    // Cancel leaves the key as it was.
    f.dialogs.expect(QStringLiteral("keyFunctionDialog"), [&](QDialog& d) {
        shown(d);
        ctl<QRadioButton>(d, 1191)->click();
        DialogScript::cancel(d);
    });
    QTest::mouseDClick(f.canvas(), Qt::LeftButton, {}, key0);
    QCOMPARE(st.globalKeys[0].flags, uint8_t(0xC2));
    QVERIFY(f.dialogs.unexpected.isEmpty());
}

void DialogsTest::panelKeyValueKeepsWhatWasTyped() {
    Fixture f;
    newProjectWithModel(f, 1);
    EditorSession& s = f.active()->session();
    // 65535 typed as an unsigned 16-bit value stays 65535 when the format changes to four
    // decimal digits: OK refuses it with that format's message, and only typing is held to four.
    f.dialogs.expect(QStringLiteral("keyFunctionDialog"), [&](QDialog& d) {
        shown(d);
        ctl<QRadioButton>(d, 1193)->click();
        ctl<QComboBox>(d, 1209)->setCurrentIndex(0);
        ctl<QRadioButton>(d, 1206)->click();
        auto* value = ctl<QSpinBox>(d, 1211);
        auto* edit = value->findChild<QLineEdit*>();
        QVERIFY(edit);
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("65535"));
        QCOMPARE(edit->text(), QStringLiteral("65535"));
        ctl<QRadioButton>(d, 1205)->click();
        QCOMPARE(edit->text(), QStringLiteral("65535"));
        QCOMPARE(value->value(), 65535);
        QTest::keyClick(edit, Qt::Key_End);
        QTest::keyClicks(edit, QStringLiteral("9"));
        QCOMPARE(edit->text(), QStringLiteral("65535"));
        ctl<QLineEdit>(d, 1223)->setText(QStringLiteral("0010"));
        DialogScript::ok(d);
        QCOMPARE(d.result(), int(QDialog::Rejected));
        QVERIFY(f.prompts.wasShown(61537));
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("123456"));
        QCOMPARE(edit->text(), QStringLiteral("1234"));
        DialogScript::ok(d);
    });
    QTest::mouseDClick(f.canvas(), Qt::LeftButton, {}, centre(s.screen().panelKeyRects()[0]));
    QVERIFY(f.dialogs.done());
    QVERIFY(f.dialogs.unexpected.isEmpty());
    const KeyRecord& key = f.main->store().globalKeys[0];
    QCOMPARE(key.flags, uint8_t(KeyRecord::kDecimalDigits | KeyRecord::kWord16));
    QCOMPARE(key.operand, 1234u);
}

void DialogsTest::functionKeyTakesAScreenNumber() {
    Fixture f;
    f.newProject();
    EditorSession& s = f.active()->session();
    f.dialogs.expect(QStringLiteral("screenNumberDialog"), [](QDialog& d) {
        ctl<QSpinBox>(d, 1110)->setValue(200); // refused by the range check
        DialogScript::ok(d);
        QCOMPARE(d.result(), int(QDialog::Rejected));
        ctl<QSpinBox>(d, 1110)->setValue(7);
        DialogScript::ok(d);
    });
    QTest::mouseDClick(f.canvas(), Qt::LeftButton, {}, centre(s.screen().fnKeyRects()[2]));
    QVERIFY(f.dialogs.done());
    QVERIFY(f.dialogs.unexpected.isEmpty());
    QCOMPARE(s.screen().fnKeyFlags()[2], uint8_t(7));
    QVERIFY(s.screen().modified());
}

void DialogsTest::alarmGroupChecksItsRangeAndTexts() {
    Fixture f;
    newProjectWithModel(f, 1);
    AlarmGroupForm form = WorkspaceExchange::alarmGroupForm(f.main->store(), 0);
    AlarmGroupDialog d(form, f.prompts);
    shown(d);
    auto* list = ctl<ReportList>(d, AlarmGroupForm::kList);
    auto* start = ctl<QLineEdit>(d, AlarmGroupForm::kStartAddress);
    auto* count = ctl<QSpinBox>(d, AlarmGroupForm::kCount);
    QCOMPARE(ctl<QComboBox>(d, AlarmGroupForm::kPortList)->count(), 2);
    // Three messages from M0010 (the second area of the bit areas may differ: take area 0).
    start->setText(QStringLiteral("0010"));
    count->setValue(3);
    emit count->editingFinished();
    QCOMPARE(list->rowCount(), 3);
    QVERIFY(list->cell(0, 1).endsWith(QStringLiteral("=ON")));
    editCell(list, 2, QStringLiteral("Overheat"));
    editCell(list, 1, tooLongText());
    QVERIFY(f.prompts.wasShown(61450));
    QCOMPARE(list->cell(2, 0), QStringLiteral("Overheat"));
    // An invalid start address: 61455 at OK, the address becomes "0".
    start->setText(QStringLiteral("FFFF"));
    DialogScript::ok(d);
    QCOMPARE(d.result(), int(QDialog::Rejected));
    QVERIFY(f.prompts.wasShown(61455));
    QCOMPARE(start->text(), QStringLiteral("0"));
    start->setText(QStringLiteral("0010"));
    emit start->editingFinished();
    count->setValue(3);
    emit count->editingFinished();
    editCell(list, 0, QStringLiteral("Pump"));
    DialogScript ds;
    ds.expect(QStringLiteral("alarmGroupDialog"), DialogScript::ok);
    auto v = d.run();
    QVERIFY(v);
    QCOMPARE(int(v->count), 3);
    QCOMPARE(v->texts[0], std::string("Pump"));
}

void DialogsTest::addressPairTableAddsEditsAndDeletes() {
    Fixture f;
    newProjectWithModel(f, 1);
    ChangeTableForm form = WorkspaceExchange::changeTableForm(f.main->store());
    ChangeTableDialog d(form, f.prompts);
    shown(d);
    auto* list = ctl<ReportList>(d, ChangeTableForm::kList);
    QCOMPARE(list->rowCount(), 0);
    // Edit and delete without a row say so.
    ctl<QPushButton>(d, ChangeTableForm::kEdit)->click();
    QVERIFY(f.prompts.wasShown(61643));
    ctl<QPushButton>(d, ChangeTableForm::kDelete)->click();
    QVERIFY(f.prompts.wasShown(61644));
    for (int i = 0; i < 3; ++i) {
        f.dialogs.expect(QStringLiteral("changeRecordDialog"), [&, i](QDialog& r) {
            shown(r);
            auto* first = ctl<QLineEdit>(r, ChangeRecordForm::kFirstAddress);
            if (i == 0) {
                first->setText(QStringLiteral("9999")); // beyond D7999
                DialogScript::ok(r);
                QCOMPARE(r.result(), int(QDialog::Rejected));
                QVERIFY(f.prompts.wasShown(61455));
                QCOMPARE(r.focusWidget(), first);
            }
            first->setText(QStringLiteral("%1").arg(100 * (i + 1), 4, 10, QLatin1Char('0')));
            if (i == 1) {
                ctl<QRadioButton>(r, ChangeRecordForm::kOption + 1)->setChecked(true);
            }
            DialogScript::ok(r);
        });
        ctl<QPushButton>(d, ChangeTableForm::kAdd)->click();
    }
    QVERIFY(f.dialogs.done());
    QCOMPARE(list->rowCount(), 3);
    QCOMPARE(list->cell(1, 2), QStringLiteral("<-"));
    QCOMPARE(list->cell(0, 2), QStringLiteral("->"));
    list->selectRow(0);
    ctl<QPushButton>(d, ChangeTableForm::kDelete)->click();
    QCOMPARE(list->rowCount(), 2);
    QCOMPARE(list->cell(0, 2), QStringLiteral("<-"));
    DialogScript ds;
    ds.expect(QStringLiteral("changeTableDialog"), DialogScript::ok);
    auto v = d.run();
    QVERIFY(v);
    QCOMPARE(int(v->count), 2);
    QCOMPARE(v->records[0].options, uint8_t(0x80));
    QCOMPARE(v->records[0].firstAddress, uint16_t(200));
    QCOMPARE(v->records[1].firstAddress, uint16_t(300));
}

void DialogsTest::panelSettingsChecksAndTheTable() {
    Fixture f;
    newProjectWithModel(f, 2);
    PanelSettingsForm form = WorkspaceExchange::panelSettingsForm(f.main->store(), f.main->app().dir());
    PanelSettingsDialog d(form, f.prompts);
    shown(d);
    auto* use1 = ctl<QCheckBox>(d, PanelSettingsForm::kUse1);
    auto* use2 = ctl<QCheckBox>(d, PanelSettingsForm::kUse2);
    auto* table = ctl<QPushButton>(d, PanelSettingsForm::kTableButton);
    QVERIFY(!ctl(d, PanelSettingsForm::kAddress1)->isEnabled());
    // The table follows address 2's port: COM2 has the PLC ID 250 link.
    use2->setChecked(true);
    QVERIFY(ctl(d, PanelSettingsForm::kAddress2)->isEnabled());
    ctl<QComboBox>(d, PanelSettingsForm::kPort2)->setCurrentIndex(1);
    QVERIFY(table->isVisibleTo(&d));
    QVERIFY(table->isEnabled());
    ctl<QComboBox>(d, PanelSettingsForm::kPort2)->setCurrentIndex(0);
    QVERIFY(!table->isVisibleTo(&d));
    ctl<QComboBox>(d, PanelSettingsForm::kPort2)->setCurrentIndex(1);
    f.dialogs.expect(QStringLiteral("bitScreenTableDialog"), [](QDialog& t) {
        ctl<QSpinBox>(t, BitScreenTableForm::kCount)->setValue(2);
        DialogScript::ok(t);
    });
    table->click();
    // Option 1130 needs address 1 in use.
    QVERIFY(!ctl(d, PanelSettingsForm::kOptionB)->isEnabled());
    use1->setChecked(true);
    QVERIFY(ctl(d, PanelSettingsForm::kOptionB)->isEnabled());
    ctl<QCheckBox>(d, PanelSettingsForm::kOptionB)->setChecked(true);
    use1->setChecked(false);
    QVERIFY(!ctl<QCheckBox>(d, PanelSettingsForm::kOptionB)->isChecked());
    // Start screen 0 is refused with 63527 and the focus on it.
    ctl<QSpinBox>(d, PanelSettingsForm::kStartScreen)->setValue(0);
    DialogScript::ok(d);
    QCOMPARE(d.result(), int(QDialog::Rejected));
    QVERIFY(f.prompts.wasShown(63527));
    QCOMPARE(d.focusWidget(), ctl(d, PanelSettingsForm::kStartScreen));
    ctl<QSpinBox>(d, PanelSettingsForm::kStartScreen)->setValue(199);
    ctl<QSpinBox>(d, PanelSettingsForm::kSetting4)->setValue(2000);
    DialogScript::ok(d);
    QVERIFY(f.prompts.wasShown(63529));
    ctl<QSpinBox>(d, PanelSettingsForm::kSetting4)->setValue(1999);
    // The help note, captioned with the program's name.
    f.prompts.clear();
    ctl<QPushButton>(d, PanelSettingsForm::kHelpButton)->click();
    QCOMPARE(f.prompts.shown.size(), size_t(1));
    QVERIFY(ui::text(f.prompts.shown[0]).contains(QStringLiteral("Zovariz110&PX4")));
    DialogScript ds;
    ds.expect(QStringLiteral("panelSettingsDialog"), [](QDialog& shownDialog) {
        // The options and settings name the bytes they are stored in, labels included.
        QVERIFY(ctl(shownDialog, 1161)
                    ->toolTip()
                    .contains(
                        ui::text(Message::string(appmsg::kTipControlBit, {"7"})).toHtmlEscaped()));
        auto* spin = ctl(shownDialog, PanelSettingsForm::kSetting3);
        QVERIFY(spin->toolTip().contains(QStringLiteral("62-63")));
        bool labelled = false;
        for (QLabel* label : shownDialog.findChildren<QLabel*>()) {
            labelled = labelled || (label->buddy() == spin && label->toolTip() == spin->toolTip());
        }
        QVERIFY(labelled);
        DialogScript::ok(shownDialog);
    });
    auto v = d.run();
    QVERIFY(v);
    QCOMPARE(int(v->startScreen), 199);
    QCOMPARE(int(v->setting4), 1999);
    QCOMPARE(v->options & 0x0B, 0x0A); // address 2 in use, on COM2; address 1 not
    QCOMPARE(int(v->tableCount), 2);
    QCOMPARE(v->address1, 0);
}

void DialogsTest::bitScreenTableCountAndRows() {
    ScriptedPrompts prompts;
    std::array<uint8_t, 32> screens{};
    screens[1] = 9;
    BitScreenTableForm form(2, screens);
    BitScreenTableDialog d(form, prompts);
    shown(d);
    auto* list = ctl<ReportList>(d, BitScreenTableForm::kList);
    auto* count = ctl<QSpinBox>(d, BitScreenTableForm::kCount);
    QCOMPARE(list->rowCount(), 2);
    QCOMPARE(list->cell(1, 0), QStringLiteral("BIT1=ON"));
    count->setValue(40);
    emit count->editingFinished();
    QVERIFY(prompts.wasShown(61548));
    QCOMPARE(count->value(), 32);
    QCOMPARE(list->rowCount(), 32);
    DialogScript ds;
    ds.expect(QStringLiteral("screenNumberDialog"), [](QDialog& n) {
        QCOMPARE(ctl<QSpinBox>(n, 1110)->value(), 9);
        ctl<QSpinBox>(n, 1110)->setValue(12);
        DialogScript::ok(n);
    });
    emit list->cellDoubleClicked(1, 0);
    QVERIFY(ds.done());
    QCOMPARE(list->cell(1, 1), ui::text(Message::string(61549, {"12"})));
    ds.expect(QStringLiteral("bitScreenTableDialog"), DialogScript::ok);
    auto v = d.run();
    QVERIFY(v);
    QCOMPARE(int(v->count), 32);
    QCOMPARE(int(v->screens[1]), 12);
}

QTEST_MAIN(DialogsTest)
#include "DialogsTest.moc"
