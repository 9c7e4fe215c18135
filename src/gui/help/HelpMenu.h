#pragma once

#include <QString>

// The user manual of the main window's Help menu: a document beside the
// program, opened with the desktop's default program for it.
namespace HelpMenu {

inline QString userManualFileName()
{
    return QStringLiteral("Tempoloop_1.00_User_Manual.htm");
}

// What the user is told when the manual is not in the program's folder.
QString missingManualMessage(const QString& programFolder);

// Help, User Manual; programFolder ends with "/".
void UserManual1Click(const QString& programFolder);

} // namespace HelpMenu
