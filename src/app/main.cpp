#include "app/SessionEnd.h"
#include "app/Startup.h"
#include "core/catalog/ProgramEnd.h"
#include "gui/main/TMainForm.h"
#include "gui/playback/MpvEngine.h"
#include "gui/prompt/QtPrompt.h"

#include <QApplication>
#include <QIcon>
#include <QLocale>
#include <clocale>
#include <cstdlib>

int main(int argc, char* argv[])
{
    // Numbers with a fraction are written with "." whatever the locale.
    QLocale::setDefault(QLocale::c());
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tempoloop"));
    // The desktop entry and the icon installed with it (none in the build folder).
    QApplication::setDesktopFileName(QStringLiteral("tempoloop"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("tempoloop")));
    // libmpv needs the C numeric locale, which QApplication may have changed.
    std::setlocale(LC_NUMERIC, "C");

    QtPrompt qtPrompt(Startup::applicationTitle());
    Prompt::install(&qtPrompt);
    // A logout, a shutdown or a termination signal ends the program without
    // a question; a signal that comes during start-up is read once the
    // event loop runs.
    SessionEnd sessionEnd;

    Startup::Options options;
    options.makeEngine = [] { return new MpvEngine(); };
    options.programFolder = QApplication::applicationDirPath() + '/';
    options.endProgram = [] { std::_Exit(0); };
    Startup startup(options);
    QObject::connect(&sessionEnd, &SessionEnd::ended, &app, [&startup] {
        if (ProgramEnd* end = startup.programEnd())
            end->end(ProgramEnd::Way::BySession);
        // Every event loop ends, a modal box's too: its question goes
        // unanswered, which leaves things as they are.
        QCoreApplication::exit(0);
    });
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    if (!startup.start(arguments))
        return 1;
    // Ended while a box of the start-up was open.
    if (startup.programEnd() && startup.programEnd()->hasEnded())
        return 0;
    // The other windows go with the main window.
    QObject::connect(startup.windows().MainForm, &TMainForm::closing, &app, &QApplication::quit, Qt::QueuedConnection);
    return app.exec();
}
