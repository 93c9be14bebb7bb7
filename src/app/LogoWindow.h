#pragma once

#include <QSplashScreen>

namespace dispcraft {

class ProgramDirectory;

// The start-up logo: "logo.bmp" of the program directory at the top left, shown while the
// main window comes up. Without the picture nothing is shown.
class LogoWindow : public QSplashScreen {
    Q_OBJECT
public:
    explicit LogoWindow(const QPixmap& picture);
    // Null when "logo.bmp" is missing or unreadable.
    static LogoWindow* create(const ProgramDirectory& dir);
    // Shows the logo over the main window for a moment, then closes itself.
    void showFor(QWidget* mainWindow, int milliseconds);
};

} // namespace dispcraft
