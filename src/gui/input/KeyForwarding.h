#pragma once

#include "gui/input/FocusModel.h"
#include "gui/input/KeyboardView.h"

#include <functional>

class QLineEdit;

// The main window's focus model: its keys go to its own handlers, its key
// boxes are checked when left. (The catalog, command line entry and video
// file information windows pass theirs to the same handlers, naming
// themselves as the sender; the composition root makes their models.)
namespace KeyForwarding {

FocusModel* mainWindowFocus(const KeyboardView& main, QWidget* window, FocusModel::KeyHandler handler,
                            std::function<void(QLineEdit*)> keyExitCheck, QObject* parent);

} // namespace KeyForwarding
