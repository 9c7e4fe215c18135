#include "app/Startup.h"
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

    Startup::Options options;
    options.makeEngine = [] { return new MpvEngine(); };
    options.programFolder = QApplication::applicationDirPath() + '/';
    options.endProgram = [] { std::_Exit(0); };
    Startup startup(options);
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    if (!startup.start(arguments))
        return 1;
    // The other windows go with the main window.
    QObject::connect(startup.windows().MainForm, &TMainForm::closing, &app, &QApplication::quit, Qt::QueuedConnection);
    return app.exec();
}
