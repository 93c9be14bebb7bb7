#include "lampgen/BulbsmithIcon.h"
#include "lampgen/BulbsmithWindow.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

// Bulbsmith has no command line and no settings: one window until it is closed.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Bulbsmith"));
    QApplication::setApplicationVersion(QStringLiteral("1.1"));
    QApplication::setWindowIcon(dispcraft::bulbsmithIcon());
    // The program speaks Chinese whatever the desktop's language, so the file dialogs and
    // message box buttons should too, where the toolkit's translations are installed.
    QTranslator qtTexts;
    if (qtTexts.load(QStringLiteral("qtbase_zh_CN"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtTexts);
    }
    dispcraft::BulbsmithWindow window;
    window.exec();
    return 0;
}
