#include "app/AppContext.h"
#include "app/CommandIcons.h"
#include "app/LogoWindow.h"
#include "app/MainWindow.h"
#include "app/Prompts.h"
#include "app/ToolkitTranslations.h"
#include "config/SettingsFile.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

// Dispcraft: start-up in this order: the program directory and its settings file, the language
// named there, the main window; then the logo for a moment. A project file given on the
// command line (as the desktop's file association passes it) is opened.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Dispcraft"));
    QApplication::setApplicationVersion(QStringLiteral("3.1.0"));
    QApplication::setDesktopFileName(QStringLiteral("dispcraft"));
    QApplication::setWindowIcon(dispcraft::programIcon());

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Screen designer for serial text panels"));
    parser.addHelpOption();
    parser.addVersionOption();
    QCommandLineOption programDir(QStringLiteral("program-dir"),
                                  QStringLiteral("The program directory (qelsys.ini, Protocol, ...)."),
                                  QStringLiteral("DIR"));
    QCommandLineOption noLogo(QStringLiteral("no-logo"), QStringLiteral("Do not show the logo."));
    QCommandLineOption screens(QStringLiteral("screens"),
                               QStringLiteral("Screens of the project to open in windows."),
                               QStringLiteral("N,N,..."));
    parser.addOption(programDir);
    parser.addOption(noLogo);
    parser.addOption(screens);
    parser.addPositionalArgument(QStringLiteral("project"), QStringLiteral("A .trn project to open."),
                                 QStringLiteral("[project]"));
    parser.process(app);

    auto ctx = dispcraft::AppContext::start(parser.value(programDir).toStdString(),
                                            QCoreApplication::applicationFilePath().toStdString());
    // Message box buttons and file dialogs speak the program's language where the toolkit's
    // translations are installed.
    dispcraft::installToolkitTranslations(ctx->language());

    dispcraft::MainWindow window(*ctx);
    window.show();
    if (!parser.isSet(noLogo)) {
        if (dispcraft::LogoWindow* logo = dispcraft::LogoWindow::create(ctx->dir())) {
            logo->showFor(&window, 1500);
        }
    }
    const QStringList args = parser.positionalArguments();
    QList<int> open;
    for (const QString& n : parser.value(screens).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        open << n.toInt();
    }
    QTimer::singleShot(0, &window, [&window, &ctx, args, open] {
        if (!ctx->languageProblem().empty()) {
            window.prompts().show(ctx->languageProblem(), dispcraft::Icon::Warning);
        }
        if (!args.isEmpty()) {
            window.openAtStart(args.first(), open);
        }
    });
    return app.exec();
}
