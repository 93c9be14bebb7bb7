// Project > Simulate on the two-port example, used as a user would: keys from the PC keyboard,
// the PLC memory table, a rebuild that keeps the PLC, and the table kept beside the project.

#include "AppTestSupport.h"

#include "app/SimPanelView.h"
#include "app/SimulatorWindow.h"

#include <QTableWidget>

using namespace dispcraft;
using namespace dispcraft::apptest;

class SimulatorWindowTest : public QObject {
    Q_OBJECT
private slots:
    void simulateTheTwoPortExample();
};

namespace {

void clickCell(QTableWidget* table, int row, int column) {
    const QRect r = table->visualItemRect(table->item(row, column));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, r.center());
}

} // namespace

void SimulatorWindowTest::simulateTheTwoPortExample() {
    Fixture f;
    const QString trn = f.file(QStringLiteral("demo.trn"));
    QVERIFY(QFile::copy(QStringLiteral(DISPCRAFT_TEST_BIN_DIR "/../examples/two-port-demo.trn"), trn));
    QVERIFY(f.main->loadProjectFile(trn));
    f.main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.main.get()));
    QTest::keyClick(f.main.get(), Qt::Key_F5); // Project > Simulate
    QPointer<SimulatorWindow> w = f.main->simulator();
    QVERIFY(w);
    QVERIFY(f.prompts.shown.empty());
    SimulatedPlc* plc = &w->simulation()->plc();
    QCOMPARE(w->simulation()->panel().currentScreen(), 1);
    QVERIFY2(w->statusText().startsWith(QStringLiteral("Screen 1")), qPrintable(w->statusText()));
    const QImage before = w->panelView()->lcdPicture();

    // A word typed into the memory table reaches the flow display on the LCD at once.
    w->addressEdit()->setText(QStringLiteral("COM1 DM 0078"));
    QTest::keyClick(w->addressEdit(), Qt::Key_Return);
    QTableWidget* table = w->memoryTable();
    QCOMPARE(table->rowCount(), 1);
    table->item(0, 1)->setText(QStringLiteral("1234"));
    QCOMPARE(plc->word(0, 0, 120), 1234);
    QVERIFY(w->panelView()->lcdPicture() != before);
    // A mistyped address is refused with its reason and adds nothing.
    w->addressEdit()->setText(QStringLiteral("COM1 DM 10000"));
    QTest::keyClick(w->addressEdit(), Qt::Key_Return);
    QCOMPARE(table->rowCount(), 1);
    QVERIFY(!f.prompts.shown.empty());
    // A click on a bit's value toggles it.
    QVERIFY(!w->addRow("COM1 IR 0115"));
    clickCell(table, 1, 1);
    QVERIFY(plc->bit(0, 0, 35, 0)); // IR 01.15: (1 x 2 + 1) x 10 + 5
    QCOMPARE(table->item(1, 1)->text(), QStringLiteral("1"));

    // Shift+F3 is panel key 3, a momentary bit: on while the PC key is held.
    QTest::keyPress(w->panelView(), Qt::Key_F3, Qt::ShiftModifier);
    QVERIFY(plc->bit(0, 0, 16, 0));
    QVERIFY(w->simulation()->panel().held(3));
    QTest::keyRelease(w->panelView(), Qt::Key_F3, Qt::NoModifier);
    QVERIFY(!plc->bit(0, 0, 16, 0));
    // F1 is function key 1: screen 2.
    QTest::keyClick(w->panelView(), Qt::Key_F1);
    QCOMPARE(w->simulation()->panel().currentScreen(), 2);
    const int64_t before5 = w->simulation()->panel().now();
    w->tick();
    QCOMPARE(w->simulation()->panel().now(), before5 + SimulatorWindow::kTickMs);

    // F5 rebuilds and restarts the panel; the PLC and the table stay.
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));
    QTest::keyClick(w, Qt::Key_F5);
    QVERIFY(w);
    QCOMPARE(w->simulation()->panel().currentScreen(), 1);
    QCOMPARE(w->simulation()->plc().word(0, 0, 120), 1234);
    QCOMPARE(table->rowCount(), 2);

    // Closing keeps the table beside the project; the next session starts with it and a PLC at 0.
    w->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!w);
    QVERIFY(QFile::exists(f.file(QStringLiteral("demo.sim.json"))));
    QVERIFY(f.main->runCommand(command::kSimulate));
    w = f.main->simulator();
    QVERIFY(w);
    QCOMPARE(w->memoryTable()->rowCount(), 2);
    QCOMPARE(w->memoryTable()->item(0, 0)->text(), QStringLiteral("COM1 DM 0078"));
    QCOMPARE(w->simulation()->plc().word(0, 0, 120), 0);
    w->close();
}

QTEST_MAIN(SimulatorWindowTest)
#include "SimulatorWindowTest.moc"
