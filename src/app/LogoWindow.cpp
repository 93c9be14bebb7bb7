#include "app/LogoWindow.h"

#include "base/ProgramDirectory.h"

#include <QTimer>

namespace dispcraft {

LogoWindow::LogoWindow(const QPixmap& picture) : QSplashScreen(picture) {
    setObjectName(QStringLiteral("logoWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
}

LogoWindow* LogoWindow::create(const ProgramDirectory& dir) {
    QPixmap pm(QString::fromStdString(dir.file("logo.bmp")));
    if (pm.isNull()) {
        return nullptr;
    }
    return new LogoWindow(pm);
}

void LogoWindow::showFor(QWidget* mainWindow, int milliseconds) {
    show();
    raise();
    QTimer::singleShot(milliseconds, this, [this, mainWindow] { finish(mainWindow); });
}

} // namespace dispcraft
