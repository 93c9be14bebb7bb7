// Stands in for the user of a running Dispcraft in the recovery test. Loaded into the real
// program (LD_PRELOAD), it works the program's widgets as a user would, through their events,
// and prints what it saw on the standard output, one line each. DISPCRAFT_TEST_DRIVER says what
// to do:
//   "edit X Y"  drags the object at view pixel (X, Y) of the first screen window 32 pixels
//               down, then prints "edited";
//   "restore"   prints "asked: TEXT" for the first question and answers Yes, then
//               "title: TITLE" and "windows: N" once the main window shows a project.
#include <QAbstractButton>
#include <QApplication>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QMouseEvent>
#include <QTimer>

#include <cstdio>

namespace {

constexpr int kPollMs = 100;

QWidget* findByClass(const char* className) {
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (qstrcmp(top->metaObject()->className(), className) == 0) {
            return top;
        }
        for (QWidget* w : top->findChildren<QWidget*>()) {
            if (qstrcmp(w->metaObject()->className(), className) == 0) {
                return w;
            }
        }
    }
    return nullptr;
}

void say(const QString& line) {
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

void mouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButton button,
           Qt::MouseButtons held) {
    QMouseEvent e(type, QPointF(at), w->mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

void edit(QPoint at) {
    QWidget* canvas = findByClass("dispcraft::ScreenCanvas");
    if (canvas == nullptr || QApplication::activeModalWidget() != nullptr) {
        QTimer::singleShot(kPollMs, [at] { edit(at); });
        return;
    }
    const QPoint to = at + QPoint(0, 32);
    mouse(canvas, QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
    mouse(canvas, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    mouse(canvas, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    mouse(canvas, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
    say(QStringLiteral("edited"));
}

void showProject() {
    auto* main = qobject_cast<QMainWindow*>(findByClass("dispcraft::MainWindow"));
    QMdiArea* area = main ? main->findChild<QMdiArea*>() : nullptr;
    if (area == nullptr || area->subWindowList().isEmpty()) {
        QTimer::singleShot(kPollMs, showProject);
        return;
    }
    say(QStringLiteral("title: ") + main->windowTitle());
    say(QStringLiteral("windows: ") + QString::number(area->subWindowList().size()));
}

void restore() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) {
        QTimer::singleShot(kPollMs, restore);
        return;
    }
    say(QStringLiteral("asked: ") + box->text());
    box->button(QMessageBox::Yes)->click();
    QTimer::singleShot(kPollMs, showProject);
}

void start() {
    const QStringList what =
        QString::fromLocal8Bit(qgetenv("DISPCRAFT_TEST_DRIVER")).split(QLatin1Char(' '));
    if (what.value(0) == QLatin1String("edit") && what.size() == 3) {
        const QPoint at(what[1].toInt(), what[2].toInt());
        QTimer::singleShot(kPollMs, [at] { edit(at); });
    } else if (what.value(0) == QLatin1String("restore")) {
        QTimer::singleShot(kPollMs, restore);
    }
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(start)
