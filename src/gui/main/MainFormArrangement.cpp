// The main window's part in its modes and arrangements: the arrangement
// object gets the window's controls, and the window follows each change.
#include "gui/main/TMainForm.h"

#include "core/playback/ClipLoader.h"
#include "gui/input/KeyAssignments.h"
#include "gui/input/Keyboard.h"
#include "gui/main/ControlsArrangement.h"
#include "gui/main/WindowSizing.h"

void TMainForm::buildArrangement()
{
    m_arrangement = new ControlsArrangement(*this);
    m_arrangement->restoreKeyCaptions = [this] {
        if (keyboard) {
            keyboard->assignments->anyKeyChange();
            keyboard->assignments->nonshiftKeyChange();
        } else {
            nonshiftKeyChange();
        }
    };
    m_arrangement->giveFocusToSink = [this] { giveFocusToSink(); };
    // The video area changed: lay the panels out again; the window's
    // minimum size and the title follow.
    connect(m_arrangement, &ControlsArrangement::layoutChanged, this, [this] {
        layoutPanels();
        if (sizing)
            sizing->userControlsChanged();
        else if (clips)
            clips->UpdateMainFormTitleBar();
    });
}
