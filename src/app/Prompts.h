#pragma once

#include "base/MessageSink.h"

#include <QString>
#include <QUrl>

class QWidget;

namespace dispcraft {

// Everything the program shows or asks outside its own dialogs: message boxes, file dialogs and
// the desktop's opening of documents. The program uses WidgetPrompts; tests put a scripted one
// in its place, so no stray modal window waits for a user.
class Prompts : public MessageSink {
public:
    // caption 0 = the program's name (string 128).
    void show(const Message& message, Icon icon = Icon::None) override { showText(message, icon, 0); }
    virtual void showText(const Message& message, Icon icon, int caption) = 0;
    Answer ask(const Message& message, Buttons buttons, int caption = 0) override;
    // A question whose caption is a literal text rather than a numbered string.
    virtual Answer askTitled(const Message& message, Buttons buttons, const QString& caption) = 0;

    // A file to write; empty = cancelled. filter is a "Description (*.ext);;All files (*)" text.
    virtual QString saveFileName(const QString& title, const QString& filter,
                                 const QString& startPath) = 0;
    // An existing file to read; empty = cancelled.
    virtual QString openFileName(const QString& title, const QString& filter,
                                 const QString& startPath) = 0;
    // Opens a document with the desktop's program for it; false when that failed.
    virtual bool openExternal(const QUrl& url) = 0;
};

// Message boxes and file dialogs over a parent window.
class WidgetPrompts : public Prompts {
public:
    explicit WidgetPrompts(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }

    void showText(const Message& message, Icon icon, int caption) override;
    Answer askTitled(const Message& message, Buttons buttons, const QString& caption) override;
    QString saveFileName(const QString& title, const QString& filter,
                         const QString& startPath) override;
    QString openFileName(const QString& title, const QString& filter,
                         const QString& startPath) override;
    bool openExternal(const QUrl& url) override;

private:
    QWidget* parentWidget() const;

    QWidget* m_parent;
};

} // namespace dispcraft

namespace dispcraft {

// Passes everything on to another Prompts that may be exchanged while the program runs (the
// editor sessions keep a reference to this one).
class ForwardingPrompts : public Prompts {
public:
    explicit ForwardingPrompts(Prompts* target = nullptr) : m_target(target) {}
    void setTarget(Prompts* target) { m_target = target; }
    Prompts* target() const { return m_target; }

    void showText(const Message& m, Icon icon, int caption) override {
        m_target->showText(m, icon, caption);
    }
    Answer ask(const Message& m, Buttons b, int caption = 0) override {
        return m_target->ask(m, b, caption);
    }
    Answer askTitled(const Message& m, Buttons b, const QString& caption) override {
        return m_target->askTitled(m, b, caption);
    }
    QString saveFileName(const QString& t, const QString& f, const QString& s) override {
        return m_target->saveFileName(t, f, s);
    }
    QString openFileName(const QString& t, const QString& f, const QString& s) override {
        return m_target->openFileName(t, f, s);
    }
    bool openExternal(const QUrl& url) override { return m_target->openExternal(url); }

private:
    Prompts* m_target;
};

} // namespace dispcraft
