#include "app/AppContext.h"
#include "app/Commands.h"
#include "app/CommandIcons.h"
#include "app/LogoWindow.h"
#include "app/MainWindow.h"
#include "app/Prompts.h"
#include "app/ToolkitTranslations.h"
#include "config/SettingsFile.h"
#include "model/ProjectStore.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

#include <string>

// Dispcraft: start-up in this order: the program directory and its settings file, the language
// named there, the main window; then the logo for a moment. A project file given on the
// command line (as the desktop's file association passes it) is opened.
namespace {

struct Options {
    QCommandLineOption programDir{QStringLiteral("program-dir"),
                                  QStringLiteral("The program directory (qelsys.ini, Protocol, ...)."),
                                  QStringLiteral("DIR")};
    QCommandLineOption noLogo{QStringLiteral("no-logo"), QStringLiteral("Do not show the logo.")};
    QCommandLineOption screens{QStringLiteral("screens"),
                               QStringLiteral("Screens of the project to open in windows."),
                               QStringLiteral("N,N,...")};
    QCommandLineOption screen{QStringLiteral("screen"),
                              QStringLiteral("Open the project with screen N active, its view "
                                             "holding the keyboard focus."),
                              QStringLiteral("N")};
};

void describe(QCommandLineParser& parser, const Options& o) {
    parser.setApplicationDescription(QStringLiteral("Screen designer for serial text panels"));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOptions({o.programDir, o.noLogo, o.screens, o.screen});
    parser.addPositionalArgument(QStringLiteral("project"), QStringLiteral("A .trn project to open."),
                                 QStringLiteral("[project]"));
}

// --help and --version print and end before anything needs a display.
bool printsOnly(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const QByteArray a(argv[i]);
        if (a == "--help" || a == "-h" || a == "-?" || a == "--help-all" || a == "--version" ||
            a == "-v") {
            return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    const Options options;
    if (printsOnly(argc, argv)) {
        QCoreApplication core(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("Dispcraft"));
        QCoreApplication::setApplicationVersion(QStringLiteral("3.1.0"));
        QCommandLineParser parser;
        describe(parser, options);
        parser.process(core); // prints and exits
        return 0;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Dispcraft"));
    QApplication::setApplicationVersion(QStringLiteral("3.1.0"));
    QApplication::setDesktopFileName(QStringLiteral("dispcraft"));
    QApplication::setWindowIcon(dispcraft::programIcon());

    QCommandLineParser parser;
    describe(parser, options);
    parser.process(app);
    const QCommandLineOption& programDir = options.programDir;
    const QCommandLineOption& noLogo = options.noLogo;
    const QCommandLineOption& screens = options.screens;

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
    // --screen N: that screen's window comes last, so it is the active one.
    const int active = parser.isSet(options.screen) ? parser.value(options.screen).toInt() : 0;
    if (active != 0) {
        open.removeAll(active);
        open << active;
    }
    QTimer::singleShot(0, &window, [&window, &ctx, args, open, active] {
        if (!ctx->languageProblem().empty()) {
            window.prompts().show(ctx->languageProblem(), dispcraft::Icon::Warning);
        }
        // Work a killed run left unsaved comes first; restored, it takes the place of a project
        // named on the command line.
        if (!window.startRecovery() && !args.isEmpty()) {
            window.openAtStart(args.first(), open);
            if (active != 0 && window.store().projectOpen && !window.focusScreen(active)) {
                window.prompts().show(dispcraft::Message::string(dispcraft::appmsg::kNoSuchScreen,
                                                                 {std::to_string(active)}),
                                      dispcraft::Icon::Warning);
            }
        }
    });
    return app.exec();
}
