#pragma once

// What the Dispcraft window tests share: a program directory of their own, prompts that answer
// from a script, and dialogs filled in by the test instead of a user.

#include "app/AppContext.h"
#include "app/Commands.h"
#include "app/UiText.h"
#include "app/DialogRunner.h"
#include "app/MainWindow.h"
#include "app/Prompts.h"
#include "app/ScreenCanvas.h"
#include "app/ScreenWindow.h"
#include "document/ProjectDocument.h"

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QSpinBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <deque>
#include <functional>
#include <memory>

namespace dispcraft::apptest {

// Records every message and question; answers questions from a script, else with the default
// button (as a bare Enter would); file dialogs return the scripted names, else cancel.
class ScriptedPrompts : public Prompts {
public:
    std::vector<Message> shown;
    std::vector<Message> asked;
    std::vector<QString> captions;
    std::deque<Answer> answers;
    std::deque<QString> files;
    std::vector<QUrl> opened;
    bool openResult = true;

    void showText(const Message& m, Icon, int) override { shown.push_back(m); }
    Answer askTitled(const Message& m, Buttons b, const QString& caption) override {
        asked.push_back(m);
        captions.push_back(caption);
        if (!answers.empty()) {
            Answer a = answers.front();
            answers.pop_front();
            return a;
        }
        switch (b) {
        case Buttons::Ok:
        case Buttons::OkCancel: return Answer::Ok;
        case Buttons::YesNoDefaultNo: return Answer::No;
        case Buttons::OkCancelDefaultCancel: return Answer::Cancel;
        default: return Answer::Yes;
        }
    }
    int fileDialogs = 0;
    QString saveFileName(const QString&, const QString&, const QString&) override { return nextFile(); }
    QString openFileName(const QString&, const QString&, const QString&) override { return nextFile(); }
    bool openExternal(const QUrl& url) override {
        opened.push_back(url);
        return openResult;
    }

    bool wasShown(int id) const { return count(shown, id) > 0; }
    bool wasAsked(int id) const { return count(asked, id) > 0; }
    static int count(const std::vector<Message>& list, int id) {
        int n = 0;
        for (const Message& m : list) {
            n += m.id == id ? 1 : 0;
        }
        return n;
    }
    void clear() {
        shown.clear();
        asked.clear();
        captions.clear();
    }

private:
    QString nextFile() {
        ++fileDialogs;
        if (files.empty()) {
            return {};
        }
        QString f = files.front();
        files.pop_front();
        return f;
    }
};

// Each dialog the program opens is handed to the next expected filler, which sets its
// controls and presses OK or Cancel; an unexpected dialog is cancelled and recorded.
class DialogScript {
public:
    using Fill = std::function<void(QDialog&)>;

    DialogScript() {
        DialogRunner::setHook([this](QDialog& d) { return handle(d); });
    }
    ~DialogScript() { DialogRunner::setHook({}); }

    void expect(const QString& objectName, Fill fill) { m_queue.push_back({objectName, std::move(fill)}); }
    bool done() const { return m_queue.empty(); }
    QStringList unexpected;
    QStringList seen;

    static void ok(QDialog& d) { d.findChild<QPushButton*>(QStringLiteral("ok"))->click(); }
    static void cancel(QDialog& d) { d.reject(); }

private:
    int handle(QDialog& d) {
        seen << d.objectName();
        if (m_queue.empty() || m_queue.front().first != d.objectName()) {
            unexpected << d.objectName();
            return QDialog::Rejected;
        }
        Fill fill = std::move(m_queue.front().second);
        m_queue.pop_front();
        d.setResult(QDialog::Rejected);
        fill(d);
        return d.result();
    }
    std::deque<std::pair<QString, Fill>> m_queue;
};

// A program directory laid out from the build's, without the programs and, unless asked,
// without a settings file.
inline QString makeProgramDirectory(const QString& target) {
    const QDir from(QStringLiteral(DISPCRAFT_TEST_PROGRAM_DIR));
    std::function<void(const QString&, const QString&)> copy = [&](const QString& src, const QString& dst) {
        QDir().mkpath(dst);
        const QDir d(src);
        for (const QFileInfo& fi : d.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)) {
            if (fi.isDir()) {
                copy(fi.filePath(), dst + QLatin1Char('/') + fi.fileName());
            } else if (!fi.isExecutable() && fi.fileName() != QStringLiteral("qel.ini") &&
                       fi.fileName() != QStringLiteral("qelsoft.qel")) {
                QFile::copy(fi.filePath(), dst + QLatin1Char('/') + fi.fileName());
            }
        }
    };
    copy(from.path(), target);
    return target;
}

// One running program: its own program directory, the main window shown offscreen.
struct Fixture {
    QTemporaryDir tmp;
    QString programDir;
    ScriptedPrompts prompts;
    DialogScript dialogs;
    std::unique_ptr<AppContext> ctx;
    std::unique_ptr<MainWindow> main;
    int restarts = 0;
    QStringList restartArguments;

    // language: the "lan" of the settings file written first; empty = no settings file.
    // settings: more of the settings file.
    explicit Fixture(const char* language = "ZOZUDEDevo.dll", const QByteArray& settings = {}) {
        programDir = makeProgramDirectory(tmp.path() + QStringLiteral("/program"));
        if (language) {
            QFile ini(programDir + QStringLiteral("/qel.ini"));
            ini.open(QIODevice::WriteOnly);
            ini.write(QByteArray("[language]\r\nlan=") + language + "\r\n" + settings);
        }
        ctx = AppContext::start(programDir.toStdString(), "dispcraft");
        main = std::make_unique<MainWindow>(*ctx);
        main->setPrompts(&prompts);
        main->setRestarter([this](const QStringList& arguments) {
            ++restarts;
            restartArguments = arguments;
        });
        main->show();
    }

    QString file(const QString& name) const { return tmp.path() + QLatin1Char('/') + name; }
    QString settingsText() const {
        QFile f(programDir + QStringLiteral("/qel.ini"));
        f.open(QIODevice::ReadOnly);
        return QString::fromUtf8(f.readAll());
    }

    ScreenWindow* active() const { return main->activeScreenWindow(); }
    ScreenCanvas* canvas() const { return active()->canvas(); }
    Point lcd() const { return active()->session().screen().lcdOrigin(); }
    QPoint at(int dx, int dy) const { return QPoint(lcd().x + dx, lcd().y + dy); }

    // New project with the first model and its preselected links.
    void newProject() {
        dialogs.expect(QStringLiteral("modelLinkDialog"), DialogScript::ok);
        main->runCommand(command::kNewProject);
    }
    // The text placement command with its dialog, then a click at (dx, dy) from the LCD origin.
    void placeText(const QString& text, int dx, int dy, int font = 0) {
        dialogs.expect(QStringLiteral("textStringDialog"), [text, font](QDialog& d) {
            d.findChild<QLineEdit*>(QStringLiteral("ctl1003"))->setText(text);
            d.findChild<QComboBox*>(QStringLiteral("ctl1033"))->setCurrentIndex(font);
            DialogScript::ok(d);
        });
        main->runCommand(command::kPlaceTextString);
        QTest::mouseClick(canvas(), Qt::LeftButton, {}, at(dx, dy));
        active()->session().pointer().escape();
    }
    // The screen number dialog answered with a number and a name.
    void expectScreenNumber(int n, const QString& name = {}) {
        dialogs.expect(QStringLiteral("screenAssignDialog"), [n, name](QDialog& d) {
            d.findChild<QSpinBox*>(QStringLiteral("ctl1087"))->setValue(n);
            d.findChild<QLineEdit*>(QStringLiteral("ctl1088"))->setText(name);
            DialogScript::ok(d);
        });
    }
    // Saves an untitled project as name, storing the active window as screen n.
    void saveAs(const QString& name, int n) {
        prompts.files.push_back(file(name));
        expectScreenNumber(n);
        main->runCommand(command::kSaveProject);
    }
};

} // namespace dispcraft::apptest
