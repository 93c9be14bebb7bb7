#include "core/lamp/TestBmp.h"
#include "lampgen/BmpPreviewPane.h"
#include "lampgen/BulbsmithWindow.h"
#include "lampgen/LampPreview.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace dispcraft;
using dispcraft::testing::TestBmp;

class BulbsmithWindowTest : public QObject {
    Q_OBJECT

private:
    struct Harness {
        BulbsmithWindow window;
        QStringList messages;
        Harness() {
            window.setMessageHandler([this](const QString& m) { messages << m; });
        }
        QLineEdit* edit(const char* name) {
            return window.findChild<QLineEdit*>(QString::fromLatin1(name));
        }
        QPushButton* button(const char* name) {
            return window.findChild<QPushButton*>(QString::fromLatin1(name));
        }
        void paths(const QString& source, const QString& target) {
            edit("sourceEdit")->setText(source);
            edit("targetEdit")->setText(target);
        }
        void click(const char* name) { QTest::mouseClick(button(name), Qt::LeftButton); }
        // The preview area as it is on screen, from its client origin.
        QImage shown() {
            LampPreview* p = window.preview();
            QImage img = p->grab().toImage();
            return img.copy(p->contentsRect());
        }
    };

    QString writeFile(const QString& name, const std::vector<uint8_t>& bytes) {
        QString path = m_dir.filePath(name);
        QFile f(path);
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
        return path;
    }
    static QByteArray readFile(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir m_dir;

private slots:
    void textsAreTheProgramsOwn() {
        Harness h;
        QCOMPARE(h.window.windowTitle(), QStringLiteral("文本显示器之“灯部品”文件生成器"));
        QStringList labels;
        for (QLabel* l : h.window.findChildren<QLabel*>()) {
            labels << l->text();
        }
        for (const char* t : {"位图资源文件(目前只支持单色的BMP文件)", "目标文件", "预览:",
                              "尺寸(单位：像素)", "Ver1.1"}) {
            QVERIFY2(labels.contains(QString::fromUtf8(t)), t);
        }
        QCOMPARE(h.button("sourceBrowse")->text(), QStringLiteral("浏览..."));
        QCOMPARE(h.button("targetBrowse")->text(), QStringLiteral("浏览..."));
        QCOMPARE(h.button("convert16")->text(), QStringLiteral("16*16转换"));
        QCOMPARE(h.button("convert32")->text(), QStringLiteral("32*32转换"));
        QCOMPARE(h.button("exitButton")->text(), QStringLiteral("退出"));
        QCOMPARE(h.button("aboutButton")->text(), QStringLiteral("关于 Bulbsmith(&A)..."));
        QVERIFY(h.edit("sourceEdit")->text().isEmpty());
        QVERIFY(h.edit("targetEdit")->text().isEmpty());
        auto* sizes = h.window.findChild<QComboBox*>(QStringLiteral("sizeList"));
        QVERIFY(sizes);
        QCOMPARE(sizes->count(), 2);
        QCOMPARE(sizes->itemText(0), QStringLiteral("16×16"));
        QCOMPARE(sizes->itemText(1), QStringLiteral("32×32"));
        QCOMPARE(sizes->currentIndex(), 0);
        h.window.show();
        QVERIFY(!sizes->isVisible());
        QVERIFY(!sizes->isEnabled());
        QVERIFY(!h.window.windowIcon().isNull());
    }

    void missingPathsAreReportedSourceFirst() {
        Harness h;
        h.click("convert16");
        QCOMPARE(h.messages, QStringList{QStringLiteral("请指定源文件！")});

        h.messages.clear();
        QString target = m_dir.filePath("missing_target.lmp");
        h.paths(QString(), target);
        h.click("convert32");
        QCOMPARE(h.messages, QStringList{QStringLiteral("请指定源文件！")});

        h.messages.clear();
        QString source = writeFile("ok.bmp", TestBmp{}.bytes());
        h.paths(source, QString());
        h.click("convert16");
        QCOMPARE(h.messages, QStringList{QStringLiteral("请指定目标文件！")});
        QVERIFY(h.window.preview()->image().isNull());
        // The fields stay as the user left them.
        QCOMPARE(h.edit("sourceEdit")->text(), source);
        QVERIFY(!QFile::exists(target));
    }

    void conversionWritesTheFileAndPreviewsItUpright() {
        Harness h;
        h.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&h.window));
        // First picture: black with a white top-left dot; second picture white with a black
        // bottom-right dot.
        TestBmp bmp;
        bmp.bit = [](int x, int y) {
            if (x < 16) {
                return x == 0 && y == 0;
            }
            return !(x == 31 && y == 15);
        };
        QString source = writeFile("pair.bmp", bmp.bytes());
        QString target = m_dir.filePath("pair.lmp");
        h.paths(source, target);
        h.click("convert16");
        QVERIFY(h.messages.isEmpty());
        QByteArray file = readFile(target);
        QCOMPARE(file.size(), 512);
        QCOMPARE(file.at(0), char(0));          // bottom row, first picture
        QCOMPARE(file.at(15 * 32), char(1));    // top row: the white dot
        QCOMPARE(file.at(31), char(0));         // bottom row, last column: the black dot
        QCOMPARE(file.at(16), char(1));

        QImage shown = h.shown();
        QCOMPARE(shown.pixel(0, 0), qRgb(255, 255, 255));
        QCOMPARE(shown.pixel(1, 0), qRgb(0, 0, 0));
        QCOMPARE(shown.pixel(0, 15), qRgb(0, 0, 0));
        QCOMPARE(shown.pixel(16, 0), qRgb(255, 255, 255));
        QCOMPARE(shown.pixel(31, 15), qRgb(0, 0, 0));
        QCOMPARE(shown.pixel(30, 15), qRgb(255, 255, 255));
        // Nothing beyond the 32 x 16 drawing.
        QVERIFY(shown.pixel(40, 5) != qRgb(0, 0, 0));
        QVERIFY(shown.pixel(5, 20) != qRgb(0, 0, 0));

        // The window says what it wrote.
        auto* result = h.window.findChild<QLabel*>(QStringLiteral("resultLabel"));
        QVERIFY(result->text().contains(QDir::toNativeSeparators(target)));
        QVERIFY(result->text().contains(QStringLiteral("512")));

        // The same source as a 32-dot lamp would be padded into a wrong lamp: refused, naming
        // both sizes, and the file and the preview stay.
        h.click("convert32");
        QCOMPARE(h.messages.size(), 1);
        QVERIFY2(h.messages[0].contains(QStringLiteral("32×16")) &&
                     h.messages[0].contains(QStringLiteral("64×32")),
                 qPrintable(h.messages[0]));
        QCOMPARE(readFile(target).size(), 512);
        QCOMPARE(h.window.preview()->image().size(), QSize(32, 16));

        // A bitmap of the 32-dot size: the file grows to 2048 bytes, the preview to 64 x 32;
        // a target typed without an extension gets ".lmp".
        h.messages.clear();
        TestBmp big;
        big.width = 64;
        big.height = 32;
        big.bit = [](int x, int) { return x < 32; };
        h.paths(writeFile("big.bmp", big.bytes()), m_dir.filePath("big"));
        h.click("convert32");
        QVERIFY(h.messages.isEmpty());
        QCOMPARE(readFile(m_dir.filePath("big.lmp")).size(), 2048);
        QCOMPARE(h.edit("targetEdit")->text(), m_dir.filePath("big.lmp"));
        QCOMPARE(h.window.preview()->image().size(), QSize(64, 32));
        QCOMPARE(h.shown().pixel(0, 0), qRgb(255, 255, 255));
        QCOMPARE(h.shown().pixel(40, 0), qRgb(0, 0, 0));
        // Repainting keeps the picture.
        h.window.preview()->repaint();
        QCOMPARE(h.shown().pixel(0, 0), qRgb(255, 255, 255));
    }

    void refusalsAndUnwritableTargetsKeepTheWindowOpen() {
        Harness h;
        h.window.show();
        QString colour = writeFile("colour.bmp", TestBmp{.bitCount = 24}.bytes());
        QString target = m_dir.filePath("never.lmp");
        h.paths(colour, target);
        h.click("convert32");
        QCOMPARE(h.messages,
                 QStringList{QStringLiteral(
                     "单色液晶只能处理单色的BMP文件！\n请利用工具(画图板等)转化！")});
        QVERIFY(!QFile::exists(target));

        h.messages.clear();
        h.paths(m_dir.filePath("absent.bmp"), target);
        h.click("convert16");
        QCOMPARE(h.messages, QStringList{QStringLiteral("无法打开的BMP文件！")});

        h.messages.clear();
        QString good = writeFile("good.bmp", TestBmp{}.bytes());
        QString unwritable = m_dir.filePath("no/such/dir/x.lmp");
        h.paths(good, unwritable);
        h.click("convert16");
        QCOMPARE(h.messages.size(), 1);
        QVERIFY2(h.messages[0].startsWith(QStringLiteral("无法创建或写入目标文件！")),
                 qPrintable(h.messages[0]));
        QVERIFY(h.messages[0].contains(unwritable));
        QVERIFY(h.window.isVisible());
        QCOMPARE(h.edit("targetEdit")->text(), unwritable);

        // A directory as target is refused the same way.
        h.messages.clear();
        h.paths(good, m_dir.path());
        h.click("convert16");
        QCOMPARE(h.messages.size(), 1);
    }

    void messagesUseABoxWithOneButton() {
        BulbsmithWindow window;
        window.show();
        QString text;
        int buttons = -1;
        QTimer::singleShot(0, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                text = box->text();
                buttons = static_cast<int>(box->buttons().size());
                box->accept();
            }
        });
        QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("convert16")),
                          Qt::LeftButton);
        QCOMPARE(text, QStringLiteral("请指定源文件！"));
        QCOMPARE(buttons, 1);
        QVERIFY(window.isVisible());
    }

    void sourceDialogPreviewsTheSelectedBitmap() {
        Harness h;
        TestBmp bmp;
        bmp.bit = [](int x, int) { return x >= 16; };
        QString source = writeFile("dialog.bmp", bmp.bytes());
        writeFile("other.txt", {'x'});
        QFileDialog* dlg = h.window.createSourceDialog();
        QVERIFY(dlg->testOption(QFileDialog::DontUseNativeDialog));
        QCOMPARE(dlg->acceptMode(), QFileDialog::AcceptOpen);
        QCOMPARE(dlg->nameFilters(), QStringList{QStringLiteral("位图文件(*.bmp)")});
        auto* pane = dlg->findChild<BmpPreviewPane*>(QStringLiteral("bmpPreviewPane"));
        QVERIFY(pane);
        dlg->setDirectory(m_dir.path());
        dlg->show();
        QVERIFY(QTest::qWaitForWindowExposed(dlg));
        QVERIFY(pane->isVisible());

        // Moving to the file in the list, as a click does.
        auto* list = dlg->findChild<QListView*>(QStringLiteral("listView"));
        QVERIFY(list);
        auto* model = qobject_cast<QFileSystemModel*>(list->model());
        QVERIFY(model);
        QTRY_VERIFY(model->index(source).isValid());
        list->setCurrentIndex(model->index(source));
        QVERIFY(!pane->image().isNull());
        QCOMPARE(pane->image().size(), QSize(32, 16));
        // Stretched over the whole pane: the left half black, the right half white.
        QImage shown = pane->grab().toImage();
        QCOMPARE(shown.pixel(2, shown.height() / 2), qRgb(0, 0, 0));
        QCOMPARE(shown.pixel(shown.width() - 3, shown.height() - 3), qRgb(255, 255, 255));

        // A name that is not an image clears the pane.
        emit dlg->currentChanged(m_dir.filePath("other.txt"));
        QVERIFY(pane->image().isNull());
        emit dlg->currentChanged(QString());
        QVERIFY(pane->image().isNull());
        // Typing the name into the dialog's name field.
        auto* name = dlg->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        QVERIFY(name);
        name->clear();
        QTest::keyClicks(name, QStringLiteral("dialog.bmp"));
        QVERIFY(!pane->image().isNull());
        delete dlg;
    }

    void targetDialogAsksBeforeOverwritingAndAddsTheExtension() {
        Harness h;
        QFileDialog* dlg = h.window.createTargetDialog();
        QVERIFY(dlg->testOption(QFileDialog::DontUseNativeDialog));
        QCOMPARE(dlg->acceptMode(), QFileDialog::AcceptSave);
        QVERIFY(!dlg->testOption(QFileDialog::DontConfirmOverwrite));
        QCOMPARE(dlg->defaultSuffix(), QStringLiteral("lmp"));
        QCOMPARE(dlg->nameFilters(), QStringList{QStringLiteral("灯文件(*.lmp)")});
        delete dlg;
    }

    void aboutBoxOpensAndCloses() {
        Harness h;
        h.window.show();
        QString name;
        QTimer::singleShot(0, [&] {
            if (auto* about = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                if (auto* label = about->findChild<QLabel*>(QStringLiteral("aboutName"))) {
                    name = label->text();
                }
                about->accept();
            }
        });
        h.click("aboutButton");
        QVERIFY(name.contains(QStringLiteral("Bulbsmith")));
        QVERIFY(name.contains(QStringLiteral("1.1")));
    }
};

QTEST_MAIN(BulbsmithWindowTest)
#include "BulbsmithWindowTest.moc"
