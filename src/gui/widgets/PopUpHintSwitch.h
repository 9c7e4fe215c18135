#pragma once

#include <QObject>

// The program-wide switch of the pop-up hints. Installed once on the
// application, it shows each control's hint for up to ten seconds, as plain
// text (hints such as "<Shift+O>" are not markup), and while switched off it
// swallows every hint request, the grid's header hints included.
class PopUpHintSwitch : public QObject {
    Q_OBJECT
public:
    // Switches the hints of the whole program on or off.
    static void setHintsShown(bool shown);
    static bool hintsShown();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit PopUpHintSwitch(QObject* parent) : QObject(parent) {}
    static PopUpHintSwitch* instance();

    bool m_shown = true;
};
