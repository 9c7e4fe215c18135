#include "input/Keyboard.h"

#include "catalog/TBookmarksForm.h"
#include "input/FocusModel.h"
#include "input/KeyAssignments.h"
#include "input/KeyCommandTable.h"
#include "input/KeyCommands.h"
#include "input/KeyDispatcher.h"
#include "input/KeyForwarding.h"
#include "input/TOptionsForm.h"
#include "input/WindowCommands.h"
#include "ui/AppWindows.h"
#include "ui/TMainForm.h"
#include "ui/widgets/TColourButton.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QMouseEvent>

namespace {

// Each key box is found by its control name in the window that holds it.
KeyCommands::Boxes findKeyBoxes(const AppWindows& windows)
{
    KeyCommands::Boxes boxes{};
    for (const keys::KeyBoxRow& row : keys::keyBoxRows) {
        const QString name = QString::fromLatin1(row.objectName);
        QLineEdit* box = windows.MainForm->findChild<QLineEdit*>(name);
        if (!box)
            box = windows.OptionsForm->findChild<QLineEdit*>(name);
        Q_ASSERT_X(box, "findKeyBoxes", row.objectName);
        boxes[static_cast<int>(row.box)] = box;
    }
    return boxes;
}

} // namespace

Keyboard::Keyboard(AppWindows& windows, QObject* parent) : QObject(parent), m_windows(windows)
{
    windowCommands = new WindowCommands(this);
    bookmarkMaking = new BookmarkMaking(this);
    TBookmarksForm* catalog = windows.BookmarksForm;
    QCheckBox* ctrlSelect = windows.OptionsForm->CtrlSelect;
    commands = new KeyCommands(
        findKeyBoxes(windows),
        [catalog] {
            return keys::Gates{catalog->PlayingAll(), catalog->CatalogMode() != 0};
        },
        [ctrlSelect] { return ctrlSelect->isChecked(); }, this);
    dispatcher = new KeyDispatcher(*commands, windows.MainForm, this);
    assignments = new KeyAssignments(windows, *commands, this);

    auto handler = [d = dispatcher](QObject* sender, const QKeyEvent* event) { return d->keyEvent(sender, event); };
    auto exitCheck = [a = assignments](QLineEdit* box) { a->keyExitCheck(box); };
    mainFocus = KeyForwarding::mainWindowFocus(windows, handler, exitCheck, this);
    catalogFocus = KeyForwarding::catalogWindowFocus(windows, handler, this);
    commandLineEntryFocus = KeyForwarding::commandLineEntryFocus(windows, handler, this);
    fileInfoFocus = KeyForwarding::fileInfoFocus(windows, handler, this);

    windows.MainForm->addBookmarkButton()->installEventFilter(this);
}

void Keyboard::makeBookmarkButtonMouseDown(Qt::KeyboardModifiers modifiers)
{
    m_windows.MainForm->giveFocusToSink();
    if (modifiers.testFlag(Qt::ShiftModifier))
        bookmarkMaking->QuickMakeBookmarkButtonClick();
    else
        bookmarkMaking->makeBookmarkButtonClick();
}

bool Keyboard::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_windows.MainForm->addBookmarkButton() && event->type() == QEvent::MouseButtonPress) {
        const auto* press = static_cast<QMouseEvent*>(event);
        if (press->button() == Qt::LeftButton)
            makeBookmarkButtonMouseDown(press->modifiers());
    }
    return false;
}
