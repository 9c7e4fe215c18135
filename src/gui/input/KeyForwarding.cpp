#include "gui/input/KeyForwarding.h"

#include "gui/input/FocusSink.h"

#include <QComboBox>
#include <QLineEdit>

namespace KeyForwarding {

FocusModel* mainWindowFocus(const KeyboardView& main, QWidget* window, FocusModel::KeyHandler handler,
                            std::function<void(QLineEdit*)> keyExitCheck, QObject* parent)
{
    const KeyboardFocusParts parts = main.focusParts();
    auto* focus = new FocusModel(window, parts.sink, parent);
    focus->setKeyHandler(std::move(handler));
    for (QWidget* box : parts.textBoxes.mid(0, 2))
        focus->watchTextBox(box);
    for (QLineEdit* box : parts.keyBoxes)
        focus->watchTextBox(box, FocusModel::EndKeys::EnterAndEscape, [box, keyExitCheck] { keyExitCheck(box); });
    for (QWidget* box : parts.textBoxes.mid(2))
        focus->watchTextBox(box);
    for (QComboBox* list : parts.lists)
        focus->watchList(list);
    for (QWidget* area : parts.backgrounds)
        focus->watchBackground(area);
    return focus;
}

} // namespace KeyForwarding
