// The lamp, numeric display, graph and picture dialogs driven through their widgets, from the
// placement commands and double-clicks of a screen window.
#include "AppTestSupport.h"

#include "app/dialogs/DialogLabels.h"
#include "app/dialogs/LampDialog.h"
#include "app/dialogs/GraphicDialogParts.h"
#include "app/dialogs/PictureDialog.h"
#include "app/dialogs/SpinEdit.h"
#include "app/workspace/ProjectTree.h"
#include "app/workspace/WorkspaceDock.h"
#include "editor/EditorSession.h"
#include "model/ProjectStore.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QRadioButton>
#include <QTableWidget>

using namespace dispcraft;
using namespace dispcraft::apptest;

namespace {

template <typename W>
W* child(QDialog& d, const QString& name) {
    W* w = d.findChild<W*>(name);
    if (!w) {
        qWarning("no control %s in %s", qPrintable(name), qPrintable(d.objectName()));
    }
    return w;
}
QString ctl(int id) { return QStringLiteral("ctl%1").arg(id); }
void click(QDialog& d, const QString& name) { child<QAbstractButton>(d, name)->click(); }
void setSpin(QDialog& d, int id, int value) { child<QSpinBox>(d, ctl(id))->setValue(value); }
void setText(QDialog& d, int id, const QString& text) { child<QLineEdit>(d, ctl(id))->setText(text); }
bool refused(QDialog& d) {
    DialogScript::ok(d);
    return d.result() == QDialog::Rejected;
}

// A two-port model (the second in the model list).
void newTwoPortProject(Fixture& f) {
    f.dialogs.expect(QStringLiteral("modelLinkDialog"), [](QDialog& d) {
        child<QComboBox>(d, ctl(1027))->setCurrentIndex(1);
        DialogScript::ok(d);
    });
    f.main->runCommand(command::kNewProject);
    QVERIFY(f.dialogs.done());
    QCOMPARE(f.main->store().cpuId, 2);
}

// A 1-bit BMP of w x h pixels: dark where (x + y) is even on the first row, else background.
QByteArray monoBmp(int w, int h) {
    const int row = (w + 31) / 32 * 4;
    const int offBits = 62;
    const int size = offBits + row * h;
    QByteArray b(size, '\0');
    auto put32 = [&](int at, quint32 v) {
        for (int i = 0; i < 4; ++i) {
            b[at + i] = char((v >> (8 * i)) & 0xFF);
        }
    };
    b[0] = 'B';
    b[1] = 'M';
    put32(2, quint32(size));
    put32(10, quint32(offBits));
    put32(14, 40);
    put32(18, quint32(w));
    put32(22, quint32(h));
    b[26] = 1;
    b[28] = 1;
    put32(54, 0x000000);   // colour 0 black
    put32(58, 0xFFFFFF);   // colour 1 white
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const bool dark = y == 0 && x % 2 == 0;
            if (!dark) {
                b[offBits + y * row + x / 8] = char(b[offBits + y * row + x / 8] | (0x80 >> (x % 8)));
            }
        }
    }
    return b;
}

QString writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return path;
}

int rowOf(QTableWidget* list, const QString& title) {
    for (int r = 0; r < list->rowCount(); ++r) {
        if (list->item(r, 1)->text() == title) {
            return r;
        }
    }
    return -1;
}

int darkPixels(const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            n += image.pixel(x, y) == qRgb(0, 0, 0) ? 1 : 0;
        }
    }
    return n;
}

// The import's file dialog answered with a file and a picture number.
void expectImport(Fixture& f, const QString& path, int number) {
    f.dialogs.expect(QStringLiteral("pictureImportDialog"), [path, number](QDialog& d) {
        static_cast<QFileDialog&>(d).selectFile(path);
        setSpin(d, 1114, number);
        d.accept(); // the file dialog's own accept checks the file
    });
}

} // namespace

class GraphicDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void lampChoosesFileAddressAndOrder();
    void numDispChecksRangesAndDigits();
    void clockDisplayNeedsTwoPortsAndKeepsItsForm();
    void barGraphRangeAndCoding();
    void trendGraphRefusedOnOnePortAndFitsTheLcd();
    void pictureImportIntoTheTable();
    void pictureListFromTheWorkspace();
};

void GraphicDialogsTest::lampChoosesFileAddressAndOrder() {
    Fixture f;
    f.newProject();
    // A 16-dot lamp whose two pictures differ: the off state dark, the on state light.
    QByteArray dots(512, '\1');
    for (int row = 0; row < 16; ++row) {
        for (int x = 0; x < 16; ++x) {
            dots[row * 32 + x] = '\0';
        }
    }
    const QString lampDir = f.programDir + QStringLiteral("/lampdata");
    writeFile(lampDir + QStringLiteral("/aatest.lmp"), dots);
    writeFile(lampDir + QStringLiteral("/aabad.lmp"), QByteArray(100, '\0'));

    f.dialogs.expect(QStringLiteral("lampDialog"), [&](QDialog& d) {
        QCOMPARE(child<QComboBox>(d, ctl(1009))->count(), 1); // one port: COM1 only
        auto* list = child<QTableWidget>(d, ctl(1083));
        QVERIFY(list->rowCount() >= 2);
        QVERIFY(refused(d)); // no file chosen yet
        QVERIFY(f.prompts.wasShown(61624));
        // A file of the wrong size: the preview says so and stays empty.
        list->selectRow(rowOf(list, QStringLiteral("aabad")));
        QVERIFY(f.prompts.wasShown(61626));
        list->selectRow(rowOf(list, QStringLiteral("aatest")));
        auto* lamp = static_cast<LampDialog*>(&d);
        // Off state on top: the dark picture covers 32 x 32 pixels from (10, 10).
        QCOMPARE(lamp->previewArea()->image().pixel(12, 12), qRgb(0, 0, 0));
        QCOMPARE(lamp->previewArea()->image().pixel(12, 90), qRgb(0, 255, 0));
        QCOMPARE(darkPixels(lamp->previewArea()->image()), 32 * 32);
        click(d, ctl(1014));
        QCOMPARE(lamp->previewArea()->image().pixel(12, 90), qRgb(0, 0, 0));
        QCOMPARE(lamp->previewArea()->image().pixel(12, 12), qRgb(0, 255, 0));
        // X takes octal addresses up to 377.
        child<QComboBox>(d, ctl(1080))->setCurrentIndex(0);
        setText(d, 1081, QStringLiteral("0400"));
        f.prompts.clear();
        QVERIFY(refused(d));
        QVERIFY(f.prompts.wasShown(61455));
        setText(d, 1081, QStringLiteral("0017"));
        DialogScript::ok(d);
    });
    f.main->runCommand(command::kPlaceLamp);
    QVERIFY(f.dialogs.done());
    EditorSession& s = f.active()->session();
    QCOMPARE(s.pointer().placingKind(), kKindLamp);
    QCOMPARE(s.pointer().placeWidth(), 32);
    QCOMPARE(s.screen().templates().lamp.name, std::string("aatest"));
    QCOMPARE(s.screen().templates().lamp.address, 15); // octal 17
    QCOMPARE(s.screen().templates().lamp.attr, uint8_t(0x80));
    QTest::mouseClick(f.canvas(), Qt::LeftButton, {}, f.at(0, 0));
    s.pointer().escape();
    QCOMPARE(s.screen().objects().count(kKindLamp), 1);
    QCOMPARE(s.screen().objects().lamps[0].dotCount, 512);

    // A double-click opens the lamp's own file once the dialog shows; Cancel changes nothing.
    f.dialogs.expect(QStringLiteral("lampDialog"), [&](QDialog& d) {
        d.show();
        auto* list = child<QTableWidget>(d, ctl(1083));
        QTRY_COMPARE(list->currentRow(), rowOf(list, QStringLiteral("aatest")));
        QVERIFY(child<QRadioButton>(d, ctl(1014))->isChecked());
        QCOMPARE(child<QLineEdit>(d, ctl(1081))->text(), QStringLiteral("0017"));
        click(d, ctl(1034));
        d.hide();
        DialogScript::cancel(d);
    });
    QTest::mouseDClick(f.canvas(), Qt::LeftButton, {}, f.at(4, 4));
    QVERIFY(f.dialogs.done());
    QCOMPARE(s.screen().objects().lamps[0].attr, uint8_t(0x80));

    // OK writes the order back and reloads the dots once.
    f.dialogs.expect(QStringLiteral("lampDialog"), [&](QDialog& d) {
        click(d, ctl(1034));
        DialogScript::ok(d);
    });
    QTest::mouseDClick(f.canvas(), Qt::LeftButton, {}, f.at(4, 4));
    QVERIFY(f.dialogs.done());
    QCOMPARE(s.screen().objects().lamps[0].attr, uint8_t(0x00));
    QCOMPARE(s.screen().objects().lamps[0].dots.size(), size_t(512));

    // With its file gone the lamp still opens, says so, and takes a new address under its name.
    QVERIFY(QFile::remove(lampDir + QStringLiteral("/aatest.lmp")));
    f.prompts.clear();
    f.dialogs.expect(QStringLiteral("lampDialog"), [&](QDialog& d) {
        d.show();
        QTRY_VERIFY(f.prompts.wasShown(61558));
        setText(d, 1081, QStringLiteral("0020"));
        d.hide();
        DialogScript::ok(d);
    });
    QTest::mouseDClick(f.canvas(), Qt::LeftButton, {}, f.at(4, 4));
    QVERIFY(f.dialogs.done());
    QCOMPARE(s.screen().objects().lamps[0].name, std::string("aatest"));
    QCOMPARE(s.screen().objects().lamps[0].address, 16); // octal 20
    QCOMPARE(s.screen().objects().lamps[0].dots.size(), size_t(512));
}

void GraphicDialogsTest::numDispChecksRangesAndDigits() {
    Fixture f;
    newTwoPortProject(f);
    f.dialogs.expect(QStringLiteral("numDispDialog"), [&](QDialog& d) {
        // The two-port model shows the alarm range.
        QVERIFY(!child<QWidget>(d, ctl(1183))->isHidden());
        QVERIFY(!child<QWidget>(d, ctl(1048))->isEnabled()); // display only: no entry range
        click(d, ctl(1041) + QStringLiteral("_1"));              // entry at the panel
        QVERIFY(child<QWidget>(d, ctl(1048))->isEnabled());
        QVERIFY(!child<QWidget>(d, ctl(1051))->isEnabled()); // alarm range still off
        click(d, ctl(1180));                                 // BCD resets the range
        QCOMPARE(child<QSpinBox>(d, ctl(1048))->value(), 9999);
        setSpin(d, 1048, 10000);
        QVERIFY(refused(d));
        QVERIFY(f.prompts.wasShown(61613));
        setSpin(d, 1048, 500);
        setSpin(d, 1007, 5);
        setSpin(d, 1047, 5);
        QVERIFY(refused(d));
        QVERIFY(f.prompts.wasShown(61557));
        setSpin(d, 1047, 2);
        click(d, ctl(1182)); // signed
        QCOMPARE(child<QSpinBox>(d, ctl(1049))->value(), -32768);
        setSpin(d, 1048, 500);
        setSpin(d, 1049, -500);
        child<QComboBox>(d, ctl(1046))->setCurrentIndex(1);
        DialogScript::ok(d);
    });
    f.main->runCommand(command::kPlaceNumDisp);
    QVERIFY(f.dialogs.done());
    EditorSession& s = f.active()->session();
    QCOMPARE(s.pointer().placingKind(), kKindNumDisp);
    QCOMPARE(s.screen().templates().numDisp.preview, std::string("-123.45"));
    QCOMPARE(s.screen().templates().numDisp.maximum, 500);
    QCOMPARE(s.screen().templates().numDisp.minimum, -500);
    QCOMPARE(s.screen().templates().numDisp.attr, uint8_t(0x08 | 0x20 | 1));
    QTest::mouseClick(f.canvas(), Qt::LeftButton, {}, f.at(0, 0));
    s.pointer().escape();
    QCOMPARE(s.screen().objects().count(kKindNumDisp), 1);

    // The object opens as it was stored; 32 bits unsigned resets both ranges to the full width.
    f.dialogs.expect(QStringLiteral("numDispDialog"), [&](QDialog& d) {
        QVERIFY(child<QRadioButton>(d, ctl(1182))->isChecked());
        QCOMPARE(child<QSpinBox>(d, ctl(1047))->value(), 2);
        click(d, ctl(1181));
        child<QComboBox>(d, ctl(1011))->setCurrentIndex(1);
        QCOMPARE(child<QSpinBox>(d, ctl(1048))->value(), 2147483647);
        QCOMPARE(child<QSpinBox>(d, ctl(1051))->value(), 2147483647);
        QCOMPARE(child<QSpinBox>(d, ctl(1049))->value(), 0);
        DialogScript::ok(d);
    });
    QTest::mouseDClick(f.canvas(), Qt::LeftButton, {}, f.at(4, 4));
    QVERIFY(f.dialogs.done());
    const NumDispObject& o = s.screen().objects().numDisps[0];
    QCOMPARE(o.preview, std::string("123.45"));
    QCOMPARE(o.attr & 0x10, 0x10);
    QCOMPARE(o.maximum, 2147483647);
}

void GraphicDialogsTest::clockDisplayNeedsTwoPortsAndKeepsItsForm() {
    {
        Fixture one;
        one.newProject();
        QVERIFY(!one.main->commandEnabled(command::kPlaceShortNumDisp));
    }
    Fixture f;
    newTwoPortProject(f);
    f.dialogs.expect(QStringLiteral("shortNumDispDialog"), [&](QDialog& d) {
        QVERIFY(!child<QWidget>(d, ctl(1156))->isEnabled()); // display only
        click(d, ctl(1151));                                 // day of week
        QVERIFY(!child<QWidget>(d, ctl(1179))->isEnabled());
        click(d, ctl(1154) + QStringLiteral("_1"));
        QVERIFY(child<QWidget>(d, ctl(1156))->isEnabled());
        QVERIFY(child<QWidget>(d, ctl(1178))->isEnabled());
        child<QCheckBox>(d, ctl(1156))->setChecked(true);
        click(d, ctl(1178));
        DialogScript::ok(d);
    });
    f.main->runCommand(command::kPlaceShortNumDisp);
    QVERIFY(f.dialogs.done());
    EditorSession& s = f.active()->session();
    QCOMPARE(s.pointer().placingKind(), kKindNumDisp);
    const NumDispObject& t = s.screen().templates().numDisp;
    QCOMPARE(t.maximum, 7);
    QCOMPARE(t.minimum, 1);
    // Bit 1 cleared by the second button; option 1179 starts ticked, so bit 2 stays clear.
    QCOMPARE(t.options, uint8_t(0x81));
    QCOMPARE(t.preview, std::string("\xD2\xBB"));
    QTest::mouseClick(f.canvas(), Qt::LeftButton, {}, f.at(0, 0));
    s.pointer().escape();
    // A double-click opens the short form again, on the object's field; Cancel keeps it.
    f.dialogs.expect(QStringLiteral("shortNumDispDialog"), [&](QDialog& d) {
        QVERIFY(child<QRadioButton>(d, ctl(1151))->isChecked());
        QVERIFY(child<QCheckBox>(d, ctl(1156))->isChecked());
        click(d, ctl(1152));
        DialogScript::cancel(d);
    });
    QTest::mouseDClick(f.canvas(), Qt::LeftButton, {}, f.at(4, 4));
    QVERIFY(f.dialogs.done());
    QVERIFY(f.dialogs.unexpected.isEmpty());
    QCOMPARE(s.screen().objects().numDisps[0].address, 5);
}

void GraphicDialogsTest::barGraphRangeAndCoding() {
    Fixture f;
    f.newProject();
    f.dialogs.expect(QStringLiteral("barGraphDialog"), [&](QDialog& d) {
        QCOMPARE(child<QSpinBox>(d, ctl(1060))->value(), 65535); // a range that passes
        setSpin(d, 1060, 0);
        QVERIFY(refused(d)); // minimum = maximum
        QVERIFY(f.prompts.wasShown(61606));
        click(d, ctl(1058) + QStringLiteral("_1")); // BCD
        QCOMPARE(child<QSpinBox>(d, ctl(1060))->value(), 9999);
        setSpin(d, 1060, 10000);
        QVERIFY(refused(d));
        QVERIFY(f.prompts.wasShown(61608));
        click(d, ctl(1058)); // unsigned takes 65535
        QCOMPARE(child<QSpinBox>(d, ctl(1060))->value(), 65535);
        click(d, ctl(1059) + QStringLiteral("_1")); // horizontal
        setText(d, 1057, QStringLiteral("0100"));
        DialogScript::ok(d);
    });
    f.main->runCommand(command::kPlaceBarGraph);
    QVERIFY(f.dialogs.done());
    EditorSession& s = f.active()->session();
    QCOMPARE(s.pointer().placingKind(), kKindBarGraph);
    QCOMPARE(s.pointer().placeWidth(), 96); // 2 x length 48, horizontal
    QCOMPARE(s.pointer().placeHeight(), 48);
    QCOMPARE(s.screen().templates().barGraph.address, 100);
    QCOMPARE(s.screen().templates().barGraph.attr, uint8_t(0x01));
    QTest::mouseClick(f.canvas(), Qt::LeftButton, {}, f.at(0, 0));
    s.pointer().escape();
    // The stored unsigned maximum comes back as 65535 and signed coding resets the range.
    f.dialogs.expect(QStringLiteral("barGraphDialog"), [&](QDialog& d) {
        QCOMPARE(child<QSpinBox>(d, ctl(1060))->value(), 65535);
        QVERIFY(child<QRadioButton>(d, ctl(1059) + QStringLiteral("_1"))->isChecked());
        click(d, ctl(1058) + QStringLiteral("_2"));
        QCOMPARE(child<QSpinBox>(d, ctl(1061))->value(), -32768);
        DialogScript::ok(d);
    });
    QTest::mouseDClick(f.canvas(), Qt::LeftButton, {}, f.at(4, 4));
    QVERIFY(f.dialogs.done());
    QCOMPARE(s.screen().objects().barGraphs[0].attr, uint8_t(0x81));
    QCOMPARE(s.screen().objects().barGraphs[0].minimum, -32768);
}

void GraphicDialogsTest::trendGraphRefusedOnOnePortAndFitsTheLcd() {
    {
        Fixture one;
        one.newProject();
        one.active()->runCommand(command::kPlaceTrendGraph);
        QVERIFY(one.prompts.wasShown(61502));
        QVERIFY(!one.dialogs.seen.contains(QStringLiteral("trendGraphDialog")));
        QCOMPARE(one.active()->session().pointer().placingKind(), 0);
    }
    Fixture f;
    newTwoPortProject(f);
    f.dialogs.expect(QStringLiteral("trendGraphDialog"), [&](QDialog& d) {
        // A new graph: count 2, spacing 10, the full unsigned range.
        QCOMPARE(child<QSpinBox>(d, ctl(1012))->value(), 2);
        QCOMPARE(child<QSpinBox>(d, ctl(1070))->value(), 10);
        QCOMPARE(child<QSpinBox>(d, ctl(1022))->value(), 65535);
        QVERIFY(child<QLabel>(d, QStringLiteral("graphWidth"))->text().contains(QStringLiteral("33")));
        setSpin(d, 1071, 65535);
        QVERIFY(refused(d));
        QVERIFY(f.prompts.wasShown(61606));
        setSpin(d, 1071, 0);
        setSpin(d, 1012, 20); // 21 x 10 + 3 = 213 dots: too wide
        DialogScript::ok(d);
        QCOMPARE(child<QSpinBox>(d, ctl(1012))->value(), 17);
    });
    f.main->runCommand(command::kPlaceTrendGraph);
    QVERIFY(f.dialogs.done());
    bool named17 = false;
    for (const Message& m : f.prompts.shown) {
        named17 = named17 || (m.id == 61634 && !m.args.empty() && m.args[0] == "17");
    }
    QVERIFY(named17);
    EditorSession& s = f.active()->session();
    QCOMPARE(s.pointer().placingKind(), kKindTrendGraph);
    QCOMPARE(s.pointer().placeWidth(), 2 * 183);
    QCOMPARE(s.pointer().placeHeight(), 2 * 56);
}

void GraphicDialogsTest::pictureImportIntoTheTable() {
    Fixture f;
    f.newProject();
    const QString bmp = writeFile(f.file(QStringLiteral("p100x20.bmp")), monoBmp(100, 20));
    const QString notBmp = writeFile(f.file(QStringLiteral("text.bmp")), QByteArray("hello, world"));
    auto importFile = [&](const QString& path, int number) { expectImport(f, path, number); };

    // Cancel after an import leaves the project's table as it was.
    f.dialogs.expect(QStringLiteral("pictureDialog"), [&](QDialog& d) {
        importFile(bmp, 0);
        click(d, ctl(1074));
        QCOMPARE(child<QTableWidget>(d, ctl(1094))->rowCount(), 1);
        DialogScript::cancel(d);
    });
    f.main->runCommand(command::kPlacePicture);
    QVERIFY(f.dialogs.done());
    QCOMPARE(f.main->store().pictures[1].id, uint8_t(0));
    QCOMPARE(f.active()->session().pointer().placingKind(), 0);

    f.dialogs.expect(QStringLiteral("pictureDialog"), [&](QDialog& d) {
        auto* list = child<QTableWidget>(d, ctl(1094));
        QCOMPARE(list->rowCount(), 0);
        QVERIFY(child<QWidget>(d, ctl(1002))->isHidden()); // no deleting from a screen window
        QVERIFY(refused(d));                               // nothing chosen
        QVERIFY(f.prompts.wasShown(63512));
        importFile(notBmp, 0);
        click(d, ctl(1074));
        QVERIFY(f.prompts.wasShown(62000));
        QCOMPARE(list->rowCount(), 0);
        f.prompts.clear();
        importFile(bmp, 0);
        click(d, ctl(1074));
        QVERIFY(f.prompts.wasShown(61629)); // no number: the first free slot
        QCOMPARE(list->rowCount(), 1);
        QCOMPARE(list->item(0, 0)->text(), QStringLiteral("1"));
        QCOMPARE(list->item(0, 1)->text(), QStringLiteral("104 x 24"));
        // The picture stands upright: the dark dots of the BMP's bottom row are on row 19.
        const QImage& shown = static_cast<PictureDialog&>(d).previewArea()->image();
        QCOMPARE(darkPixels(shown), 50);
        QCOMPARE(shown.pixel(0, 23), qRgb(0, 0, 0));
        QCOMPARE(shown.pixel(1, 23), qRgb(0, 255, 0));
        // Number 1 is taken: asked, and No puts the second import into slot 2.
        f.prompts.answers.push_back(Answer::No);
        importFile(bmp, 1);
        click(d, ctl(1074));
        QVERIFY(f.prompts.wasAsked(61630));
        QCOMPARE(list->rowCount(), 2);
        DialogScript::ok(d);
    });
    f.main->runCommand(command::kPlacePicture);
    QVERIFY(f.dialogs.done());
    QVERIFY(f.dialogs.unexpected.isEmpty());
    const ProjectStore& st = f.main->store();
    QCOMPARE(st.pictures[1].id, uint8_t(1));
    QCOMPARE(st.pictures[2].id, uint8_t(2));
    QCOMPARE(st.pictures[1].width, uint8_t(104));
    QCOMPARE(st.pictures[1].height, uint8_t(24));
    QCOMPARE(st.pictures[1].dots.size(), size_t(104 * 24));
    EditorSession& s = f.active()->session();
    QCOMPARE(s.pointer().placingKind(), kKindPicture);
    QCOMPARE(int(s.screen().templates().picture.pictureNo), 2);
    QCOMPARE(s.pointer().placeWidth(), 208);
    QTest::mouseClick(f.canvas(), Qt::LeftButton, {}, f.at(0, 0));
    s.pointer().escape();
    QCOMPARE(s.screen().objects().count(kKindPicture), 1);

    // A double-click preselects the object's picture once the dialog shows.
    f.dialogs.expect(QStringLiteral("pictureDialog"), [&](QDialog& d) {
        d.show();
        auto* list = child<QTableWidget>(d, ctl(1094));
        QTRY_COMPARE(list->currentRow(), 1);
        list->selectRow(0);
        d.hide();
        DialogScript::ok(d);
    });
    QTest::mouseDClick(f.canvas(), Qt::LeftButton, {}, f.at(4, 4));
    QVERIFY(f.dialogs.done());
    QCOMPARE(int(s.screen().objects().pictures[0].pictureNo), 1);
}

void GraphicDialogsTest::pictureListFromTheWorkspace() {
    Fixture f;
    f.newProject();
    const QString bmp = writeFile(f.file(QStringLiteral("p16.bmp")), monoBmp(16, 8));
    f.dialogs.expect(QStringLiteral("pictureDialog"), [&](QDialog& d) {
        // Opened from the workspace: pictures may be deleted and the dialog closes with "close".
        QVERIFY(!child<QWidget>(d, ctl(1002))->isHidden());
        QCOMPARE(child<QPushButton>(d, QStringLiteral("ok"))->text(), ui::text(63513));
        expectImport(f, bmp, 3); // a free number takes the picture
        click(d, ctl(1074));
        QCOMPARE(child<QTableWidget>(d, ctl(1094))->item(0, 0)->text(), QStringLiteral("3"));
        DialogScript::ok(d);
    });
    ProjectTree* t = f.main->workspace()->projectTree();
    QTreeWidgetItem* item = t->captionItem(ProjectTree::kPictureList);
    QVERIFY(item);
    t->scrollToItem(item);
    QTest::mouseDClick(t->viewport(), Qt::LeftButton, {}, t->captionRect(item).center());
    QVERIFY(f.dialogs.done());
    QVERIFY(f.prompts.shown.empty());
    QCOMPARE(f.main->store().pictures[3].id, uint8_t(3));
    QCOMPARE(f.main->store().pictures[3].width, uint8_t(16));
}

QTEST_MAIN(GraphicDialogsTest)
#include "GraphicDialogsTest.moc"
