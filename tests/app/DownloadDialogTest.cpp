// The download dialog driven through its controls, offscreen: a project built in the program
// and downloaded to dispcraft-panel over a pseudo-terminal, Stop at the next reply, closing in
// the middle of a transfer, the remembered port, the clock box, and the system program's
// questions and refusals.
#include "AppTestSupport.h"

#include "app/dialogs/DownloadDialog.h"
#include "comm/DownloadSession.h"
#include "config/SettingsFile.h"
#include "model/ProjectStore.h"

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QProgressBar>
#include <QScrollBar>

using namespace dispcraft;
using namespace dispcraft::apptest;

namespace {

// dispcraft-panel on a pseudo-terminal; its first line of output names the port.
class Panel {
public:
    explicit Panel(const QString& store, QStringList options = {}) {
        m_process.setProgram(QStringLiteral(DISPCRAFT_TEST_BIN_DIR "/dispcraft-panel"));
        m_process.setArguments(QStringList{QStringLiteral("--store"), store, QStringLiteral("--once"),
                                           QStringLiteral("--idle-ms"), QStringLiteral("300"),
                                           QStringLiteral("--quiet")} +
                               options);
        m_process.start();
        if (m_process.waitForStarted(5000)) {
            while (!m_process.canReadLine() && m_process.waitForReadyRead(5000)) {
            }
            m_port = QString::fromUtf8(m_process.readLine()).trimmed();
        }
    }
    ~Panel() {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.terminate();
            if (!m_process.waitForFinished(3000)) {
                m_process.kill();
                m_process.waitForFinished(3000);
            }
        }
    }
    const QString& port() const { return m_port; }
    // Waits for the exit; the exit code, or -1 when it did not end.
    int finish(int ms) {
        if (!m_process.waitForFinished(ms)) {
            return -1;
        }
        m_output += QString::fromUtf8(m_process.readAllStandardOutput());
        return m_process.exitCode();
    }
    QString output() { return m_output + QString::fromUtf8(m_process.readAllStandardOutput()); }

private:
    QProcess m_process;
    QString m_port;
    QString m_output;
};

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray padded(QByteArray b, int unit) {
    const int n = std::max(unit, static_cast<int>((b.size() + unit - 1) / unit * unit));
    b.append(QByteArray(n - b.size(), '\0'));
    return b;
}

// A log line as the dialog shows it: the text without its line end.
QString logLine(int id) {
    QString t = ui::text(Message::string(id, {"\r", "\n"}));
    t.remove(QLatin1Char('\r'));
    t.remove(QLatin1Char('\n'));
    return t;
}

template <typename W>
W* ctl(QDialog& d, int id) {
    return d.findChild<W*>(QStringLiteral("ctl%1").arg(id));
}

// The running panel is listed by name, found by what it announced; nothing in the
// environment tells the program about it.
void choosePort(QDialog& d, const QString& port) {
    auto* ports = ctl<QComboBox>(d, DownloadDialog::kPortList);
    const int index = ports->findData(port);
    QVERIFY2(index >= 0, qPrintable(port));
    QCOMPARE(ports->itemText(index),
             ui::text(Message::string(DownloadDialog::kVirtualPanel, {ui::str(port.mid(5))})));
    ports->setCurrentIndex(index);
}

// A new two-port project (model 2 of the list) with a start screen, saved.
void twoPortProject(Fixture& f, const QString& name) {
    f.dialogs.expect(QStringLiteral("modelLinkDialog"), [](QDialog& d) {
        d.findChild<QComboBox*>(QStringLiteral("ctl1027"))->setCurrentIndex(1);
        DialogScript::ok(d);
    });
    f.main->runCommand(command::kNewProject);
    QCOMPARE(f.main->store().cpuId, 2);
    f.placeText(QStringLiteral("PUMP 7 RUN"), 16, 16);
    f.placeText(QStringLiteral("温度"), 16, 64, 1);
    f.saveAs(name, 1);
    QVERIFY(f.dialogs.done());
}

} // namespace

class DownloadDialogTest : public QObject {
    Q_OBJECT
private slots:
    void buildThenDownloadToThePanel();
    void stopIsHonouredAtTheNextReply();
    void closingDuringATransferLeavesNoJobBehind();
    void missingStartScreenOffersNoDownload();
    void portIsRememberedAndTheClockBoxFollowsTheGeneration();
    void systemProgramQuestionsAndRefusals();
};

void DownloadDialogTest::buildThenDownloadToThePanel() {
    Fixture f;
    twoPortProject(f, QStringLiteral("pump.trn"));
    Panel panel(f.file(QStringLiteral("store")));
    QVERIFY(panel.port().startsWith(QStringLiteral("/dev/")));
    bool ran = false;
    f.dialogs.expect(QStringLiteral("downloadDialog"), [&](QDialog& d) {
        auto& dialog = static_cast<DownloadDialog&>(d);
        d.show();
        // What was built is said before anything is sent.
        auto* built = d.findChild<QLabel*>(QStringLiteral("buildSummary"));
        QVERIFY(built->isVisible());
        QVERIFY(built->text().contains(QStringLiteral("qelsoft.qel")));
        choosePort(d, panel.port());
        auto* clock = ctl<QCheckBox>(d, DownloadDialog::kClockBox);
        QVERIFY(clock->isEnabled());
        QVERIFY(!clock->isChecked());
        clock->click();
        ctl<QPushButton>(d, DownloadDialog::kDownload)->click();
        // While it runs: only Stop may be pressed.
        QVERIFY(dialog.session().transferring());
        QVERIFY(!ctl<QPushButton>(d, DownloadDialog::kDownload)->isEnabled());
        QVERIFY(!ctl<QComboBox>(d, DownloadDialog::kPortList)->isEnabled());
        QVERIFY(!ctl<QPushButton>(d, DownloadDialog::kSystemProgram)->isEnabled());
        QVERIFY(!ctl<QPushButton>(d, DownloadDialog::kCancel)->isEnabled());
        QVERIFY(ctl<QPushButton>(d, DownloadDialog::kStop)->isEnabled());
        QVERIFY(!clock->isEnabled());
        QCOMPARE(ctl<QLineEdit>(d, DownloadDialog::kStatus)->text(), ui::text(61481));
        QTRY_VERIFY_WITH_TIMEOUT(!dialog.session().transferring(), 90000);
        QCOMPARE(dialog.session().outcome(), DownloadOutcome::Finished);
        // The log ends with the completion, and its end is in sight.
        auto* log = ctl<QPlainTextEdit>(d, DownloadDialog::kLog);
        QVERIFY2(log->toPlainText().endsWith(logLine(61471)), qPrintable(log->toPlainText()));
        QVERIFY(log->toPlainText().startsWith(logLine(61494)));
        QCOMPARE(log->verticalScrollBar()->value(), log->verticalScrollBar()->maximum());
        auto* progress = ctl<QProgressBar>(d, DownloadDialog::kProgress);
        QCOMPARE(progress->value(), progress->maximum());
        QVERIFY(progress->maximum() > 0);
        for (int id :
             {DownloadDialog::kDownload, DownloadDialog::kSystemProgram, DownloadDialog::kCancel}) {
            QVERIFY(ctl<QPushButton>(d, id)->isEnabled());
        }
        QVERIFY(!ctl<QPushButton>(d, DownloadDialog::kStop)->isEnabled()); // nothing to stop
        QVERIFY(clock->isEnabled());
        ctl<QPushButton>(d, DownloadDialog::kCancel)->click();
        QVERIFY(!d.isVisible());
        ran = true;
    });
    f.main->runCommand(command::kBuild);
    QVERIFY(f.dialogs.done());
    QVERIFY(ran);
    QVERIFY(f.dialogs.unexpected.isEmpty());
    QCOMPARE(panel.finish(10000), 0);
    // What the panel keeps is the image the build wrote, in whole packets, and it set its clock.
    const QByteArray image = readAll(f.programDir + QStringLiteral("/qelsoft.qel"));
    QVERIFY(!image.isEmpty());
    QCOMPARE(readAll(f.file(QStringLiteral("store/image.qel"))), padded(image, 128));
    const QString out = panel.output();
    QVERIFY2(out.contains(QStringLiteral("clock: ")), qPrintable(out));
    QVERIFY2(out.contains(QStringLiteral("1 screens")), qPrintable(out));
    QVERIFY(f.prompts.shown.empty());
}

void DownloadDialogTest::stopIsHonouredAtTheNextReply() {
    Fixture f;
    twoPortProject(f, QStringLiteral("stop.trn"));
    // Paced at the line rate, so the transfer lasts long enough to be stopped.
    Panel panel(f.file(QStringLiteral("store")), {QStringLiteral("--pace")});
    f.dialogs.expect(QStringLiteral("downloadDialog"), [&](QDialog& d) {
        auto& dialog = static_cast<DownloadDialog&>(d);
        d.show();
        choosePort(d, panel.port());
        ctl<QPushButton>(d, DownloadDialog::kDownload)->click();
        QTRY_VERIFY_WITH_TIMEOUT(dialog.session().progressPosition() > 0, 30000);
        QVERIFY(dialog.session().transferring());
        ctl<QPushButton>(d, DownloadDialog::kStop)->click();
        // Nothing happens until the next reply comes in.
        QVERIFY(dialog.session().transferring());
        const int at = dialog.session().progressPosition();
        QTRY_VERIFY_WITH_TIMEOUT(!dialog.session().transferring(), 30000);
        QCOMPARE(dialog.session().outcome(), DownloadOutcome::Cancelled);
        QVERIFY(dialog.session().progressPosition() < dialog.session().progressMax());
        QVERIFY(dialog.session().progressPosition() >= at);
        auto* log = ctl<QPlainTextEdit>(d, DownloadDialog::kLog);
        QVERIFY2(log->toPlainText().endsWith(logLine(63000)), qPrintable(log->toPlainText()));
        QVERIFY(ctl<QPushButton>(d, DownloadDialog::kDownload)->isEnabled());
        QVERIFY(ctl<QPushButton>(d, DownloadDialog::kCancel)->isEnabled());
        d.reject();
    });
    f.main->runCommand(command::kBuild);
    QVERIFY(f.dialogs.done());
    QVERIFY(f.prompts.shown.empty());
}

void DownloadDialogTest::closingDuringATransferLeavesNoJobBehind() {
    Fixture f;
    twoPortProject(f, QStringLiteral("close.trn"));
    Panel panel(f.file(QStringLiteral("store")), {QStringLiteral("--pace")});
    f.dialogs.expect(QStringLiteral("downloadDialog"), [&](QDialog& d) {
        auto& dialog = static_cast<DownloadDialog&>(d);
        d.show();
        choosePort(d, panel.port());
        ctl<QPushButton>(d, DownloadDialog::kDownload)->click();
        QTRY_VERIFY_WITH_TIMEOUT(dialog.session().progressPosition() > 0, 30000);
        // The close box while a reply is awaited: the dialog goes at once.
        QVERIFY(!ctl<QPushButton>(d, DownloadDialog::kCancel)->isEnabled());
        QTest::keyClick(&d, Qt::Key_Escape); // Escape is Cancel, which is disabled now
        QVERIFY(d.isVisible());
        d.close();
        QVERIFY(!d.isVisible());
        QCOMPARE(d.result(), int(QDialog::Rejected));
    });
    f.main->runCommand(command::kBuild);
    QVERIFY(f.dialogs.done());
    // The dialog is gone; a reply still under way must find nothing to touch.
    QTest::qWait(1500);
    QVERIFY(f.prompts.shown.empty());
    QVERIFY(f.prompts.asked.empty());
}

void DownloadDialogTest::missingStartScreenOffersNoDownload() {
    Fixture f;
    twoPortProject(f, QStringLiteral("nostart.trn"));
    f.main->store().projectBlock.startScreen = 9;
    f.main->store().treeChanged = true;
    f.main->runCommand(command::kBuild);
    QVERIFY(!f.dialogs.seen.contains(QStringLiteral("downloadDialog")));
    QVERIFY(f.prompts.wasShown(61571));
    QVERIFY(QFileInfo::exists(f.programDir + QStringLiteral("/qelsoft.qel")));
}

void DownloadDialogTest::portIsRememberedAndTheClockBoxFollowsTheGeneration() {
    Fixture f;
    const SettingsFile& settings = f.ctx->settings();
    // Two devices that are not there: listed by their names, refused when opened.
    const QString a = f.file(QStringLiteral("ttyNOPE0"));
    const QString b = f.file(QStringLiteral("ttyNOPE1"));
    qputenv("DISPCRAFT_SERIAL_DEVICES", (a + QLatin1Char(':') + b).toUtf8());
    DownloadInputs one;
    one.cpuId = 1;
    {
        DownloadDialog d(one, f.prompts, nullptr, nullptr, &settings);
        QVERIFY(!ctl<QCheckBox>(d, DownloadDialog::kClockBox)->isEnabled());
        auto* ports = ctl<QComboBox>(d, DownloadDialog::kPortList);
        const int chosen = ports->findData(b);
        QVERIFY(chosen >= 0);
        QCOMPARE(ports->itemText(chosen), b); // by its device, not as "COMn"
        ports->setCurrentIndex(chosen);
        // The test open fails: 61480 naming the device, and why.
        ctl<QPushButton>(d, DownloadDialog::kDownload)->click();
        QVERIFY(f.prompts.wasShown(61480));
        QCOMPARE(f.prompts.shown.front().args.at(0), ui::str(b));
        QVERIFY(!d.session().transferring());
        QVERIFY(ctl<QPushButton>(d, DownloadDialog::kDownload)->isEnabled());
    }
    // Remembered by device in the settings file, wherever the list puts it now.
    QVERIFY(f.settingsText().contains(QStringLiteral("port=") + b));
    qputenv("DISPCRAFT_SERIAL_DEVICES", (b + QLatin1Char(':') + a).toUtf8());
    DownloadInputs two;
    two.cpuId = 2;
    {
        DownloadDialog d(two, f.prompts, nullptr, nullptr, &settings);
        QCOMPARE(d.chosenDevice(), b);
        QVERIFY(ctl<QCheckBox>(d, DownloadDialog::kClockBox)->isEnabled());
        // A device typed by its name or path is taken as typed; an empty field is refused.
        auto* ports = ctl<QComboBox>(d, DownloadDialog::kPortList);
        ports->setEditText(QStringLiteral("ttyUSB7"));
        QCOMPARE(d.chosenDevice(), QStringLiteral("/dev/ttyUSB7"));
        ports->setEditText(f.file(QStringLiteral("typed")));
        QCOMPARE(d.chosenDevice(), f.file(QStringLiteral("typed")));
        f.prompts.clear();
        ctl<QPushButton>(d, DownloadDialog::kDownload)->click();
        QCOMPARE(f.prompts.shown.front().args.at(0), ui::str(f.file(QStringLiteral("typed"))));
        ports->setEditText(QString());
        f.prompts.clear();
        ctl<QPushButton>(d, DownloadDialog::kDownload)->click();
        QVERIFY(f.prompts.wasShown(DownloadDialog::kNoPorts));
        QVERIFY(!d.session().transferring());
    }
    qunsetenv("DISPCRAFT_SERIAL_DEVICES");
}

void DownloadDialogTest::systemProgramQuestionsAndRefusals() {
    Fixture f;
    DownloadInputs one;
    one.cpuId = 1;
    DownloadDialog d(one, f.prompts);
    auto* button = ctl<QPushButton>(d, DownloadDialog::kSystemProgram);
    // Cancel at the first question: no file dialog.
    f.prompts.answers = {Answer::Cancel};
    f.prompts.files = {QStringLiteral("never")};
    button->click();
    QVERIFY(f.prompts.wasAsked(61489));
    QCOMPARE(int(f.prompts.files.size()), 1);
    f.prompts.files.clear();
    f.prompts.clear();

    // One byte too short for a generation-1 system program: 61485 after both questions.
    const QString shortFile = f.file(QStringLiteral("short.bin"));
    {
        QFile out(shortFile);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(QByteArray(24575, 'x'));
    }
    f.prompts.files = {shortFile};
    button->click();
    QVERIFY(f.prompts.wasAsked(61489));
    QVERIFY(f.prompts.wasAsked(61492));
    QVERIFY(f.prompts.wasAsked(61485));
    QCOMPARE(ctl<QLineEdit>(d, DownloadDialog::kStatus)->text(), shortFile);
    QVERIFY(!d.session().transferring());
    QVERIFY(button->isEnabled());
    QVERIFY(ctl<QPushButton>(d, DownloadDialog::kCancel)->isEnabled());

    // Long enough but without the marker: 61493.
    f.prompts.clear();
    const QString unmarked = f.file(QStringLiteral("unmarked.bin"));
    {
        QFile out(unmarked);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(QByteArray(30000, 'x'));
    }
    f.prompts.files = {unmarked};
    button->click();
    QVERIFY(f.prompts.wasShown(61493));
    QVERIFY(!d.session().transferring());
}

QTEST_MAIN(DownloadDialogTest)
#include "DownloadDialogTest.moc"
