#include "gui/help/HelpMenu.h"

#include "core/base/Prompt.h"
#include "gui/prompt/DesktopServices.h"

#include <QFileInfo>

QString HelpMenu::missingManualMessage(const QString& programFolder)
{
    return QStringLiteral("The User Manual is missing.\n\nPlease make sure the file \"") + userManualFileName() +
           QStringLiteral("\" is in the folder:\n") + programFolder;
}

void HelpMenu::UserManual1Click(const QString& programFolder)
{
    const QString path = programFolder + userManualFileName();
    if (!QFileInfo(path).isFile()) {
        prompt().message(missingManualMessage(programFolder), Prompt::Icon::Warning);
        return;
    }
    if (!DesktopServices::openUrl(QUrl::fromLocalFile(path)))
        prompt().message(QStringLiteral("No program was found to open the User Manual:\n") + path,
                         Prompt::Icon::Warning);
}
