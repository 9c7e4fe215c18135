#pragma once

#include "core/settings/BindingTable.h"
#include "core/window/WindowSizeRules.h"

#include <QRect>
#include <QSize>
#include <functional>

class QWidget;

// Putting windows where the settings say, and binding their bounds, position
// and visibility to the settings.
namespace WindowPlacement {

// Bounds fit for a screen: the width and height are brought between the
// window's smallest size and the available area of the screen the window
// lands on, and bounds that then lie wholly off every screen are moved onto
// the primary screen.
QRect fitted(const QRect& bounds, const QSize& smallest);

// The smallest size a window may be given: its own minimum, and never so
// small that it cannot be found on the screen.
QSize smallestSize(const QWidget* window);

// 0 normal, 1 minimised, 2 maximised.
int stateOf(const QWidget* window);

// A window's left, top, width, height and state. State 2 first gives the
// window the large video bounds (shifted right and down by shiftBy) and
// then maximises it, so that restoring it returns to those bounds; 0 and 1
// make it normal; other values change nothing. What is stored is the
// window's bounds and state as they are, or what `toStore` makes of them.
void bindBounds(ConfigBindings& binding, QWidget* window, int Settings::*left, int Settings::*top, int Settings::*width,
                int Settings::*height, int Settings::*state, int shiftBy,
                std::function<windowsize::Placement(const windowsize::Placement&)> toStore = {});

// A window's left and top; its size is its own.
void bindPosition(ConfigBindings& binding, QWidget* window, int Settings::*left, int Settings::*top);

// Whether a window is visible; applying shows or hides it at once.
void bindVisibility(ConfigBindings& binding, QWidget* window, bool Settings::*visible);

} // namespace WindowPlacement
