#pragma once

#include <QRect>
#include <QString>
#include <QStringList>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QWidget;
class TColourButton;

// The controls of the main window's panels, made the way the window was
// designed: named, with their accessible names, at pixel positions inside
// their group.
namespace PanelControls {

TColourButton* button(QWidget* parent, const char* name, const QString& caption, const QRect& bounds);
// A one-character key box; its name, default key and accessible name come
// from the key table.
QLineEdit* keyBox(QWidget* parent, const char* name, int x, int y);
QComboBox* list(QWidget* parent, const char* name, const QStringList& entries, int current, const QRect& bounds);
QLabel* label(QWidget* parent, const char* name, const QString& text, const QRect& bounds);
// A group box that is itself a panel: named and titled.
void makeGroup(QGroupBox* group, const char* name, const QString& title, const QRect& bounds);

// Moves and sizes a control by a mode's placement: a negative value keeps
// that coordinate.
void place(QWidget* control, int left, int top, int width, int height);
// Beginner mode's captions, which name no keys, for the panel's buttons
// that have one.
void showBeginnerCaptions(QWidget* panel);
// Changes a control's bounds by an offset, added (sign 1) or taken away (-1).
void shift(QWidget* control, int sign, int left, int top, int width, int height);

} // namespace PanelControls
