#include "app/AppContext.h"
#include "app/CommandIcons.h"
#include "app/LogoWindow.h"
#include "app/MainWindow.h"
#include "app/Prompts.h"
#include "config/SettingsFile.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QLibraryInfo>
#include <QTimer>
#include <QTranslator>

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
    parser.addOption(programDir);
    parser.addOption(noLogo);
    parser.addPositionalArgument(QStringLiteral("project"), QStringLiteral("A .trn project to open."),
                                 QStringLiteral("[project]"));
    parser.process(app);

    auto ctx = dispcraft::AppContext::start(parser.value(programDir).toStdString(),
                                            QCoreApplication::applicationFilePath().toStdString());
    // Message box buttons and file dialogs speak the program's language where the toolkit's
    // translations are installed.
    QTranslator qtTexts;
    if (ctx->language() == dispcraft::SettingsFile::kChinese &&
        qtTexts.load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtTexts);
    }

    dispcraft::MainWindow window(*ctx);
    window.show();
    if (!parser.isSet(noLogo)) {
        if (dispcraft::LogoWindow* logo = dispcraft::LogoWindow::create(ctx->dir())) {
            logo->showFor(&window, 1500);
        }
    }
    const QStringList args = parser.positionalArguments();
    QTimer::singleShot(0, &window, [&window, &ctx, args] {
        if (!ctx->languageProblem().empty()) {
            window.prompts().show(ctx->languageProblem(), dispcraft::Icon::Warning);
        }
        if (!args.isEmpty()) {
            window.loadProjectFile(args.first());
        }
    });
    return app.exec();
}
