#pragma once

#include "input/FocusModel.h"

#include <functional>

struct AppWindows;
class KeyAssignments;
class QLineEdit;

// The focus models of the four command windows. The main window's keys go
// to its own handlers; the catalog, command line entry and video file
// information windows pass theirs to the main window's handlers, naming
// themselves as the sender.
namespace KeyForwarding {

FocusModel* mainWindowFocus(AppWindows& windows, FocusModel::KeyHandler handler,
                            std::function<void(QLineEdit*)> keyExitCheck, QObject* parent);
// Passes nothing while cell editing of the grid is switched on.
FocusModel* catalogWindowFocus(AppWindows& windows, FocusModel::KeyHandler handler, QObject* parent);
FocusModel* commandLineEntryFocus(AppWindows& windows, FocusModel::KeyHandler handler, QObject* parent);
FocusModel* fileInfoFocus(AppWindows& windows, FocusModel::KeyHandler handler, QObject* parent);

} // namespace KeyForwarding
