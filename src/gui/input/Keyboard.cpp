#include "gui/input/Keyboard.h"

#include "core/catalog/BookmarkMaking.h"
#include "core/input/KeyCommandTable.h"
#include "gui/input/FocusModel.h"
#include "gui/input/KeyAssignments.h"
#include "gui/input/KeyCommands.h"
#include "gui/input/KeyDispatcher.h"
#include "gui/input/KeyForwarding.h"
#include "gui/input/KeyboardView.h"
#include "gui/options/TOptionsForm.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QLineEdit>

namespace {

// Each key box is found by its control name in the window that holds it.
KeyCommands::Boxes findKeyBoxes(const Keyboard::Windows& windows)
{
    KeyCommands::Boxes boxes{};
    for (const keys::KeyBoxRow& row : keys::keyBoxRows) {
        const QString name = QString::fromLatin1(row.objectName);
        QLineEdit* box = windows.mainWindow->findChild<QLineEdit*>(name);
        if (!box)
            box = windows.options->findChild<QLineEdit*>(name);
        Q_ASSERT_X(box, "findKeyBoxes", row.objectName);
        boxes[static_cast<int>(row.box)] = box;
    }
    return boxes;
}

} // namespace

Keyboard::Keyboard(const Windows& windows, QObject* parent) : QObject(parent), m_main(*windows.main)
{
    bookmarkMaking = new BookmarkMaking(this);
    const TOptionsForm* options = windows.options;
    commands = new KeyCommands(
        findKeyBoxes(windows), windows.gates, [options] { return options->exitKeyNeedsCtrl(); }, this);
    dispatcher = new KeyDispatcher(*commands, windows.mainWindow, this);
    QList<QWidget*> captionWindows = windows.captionWindows;
    captionWindows.prepend(windows.mainWindow);
    assignments = new KeyAssignments(*windows.main, captionWindows, *windows.options, *commands, this);
    assignments->setPopUpHints(windows.popUpHints);

    auto exitCheck = [a = assignments](QLineEdit* box) { a->keyExitCheck(box); };
    mainFocus = KeyForwarding::mainWindowFocus(*windows.main, windows.mainWindow, keyHandler(), exitCheck, this);

    // Acts on the click, however it comes: mouse, Space on the focused
    // button, or an accessibility tool's press.
    connect(windows.main->addBookmarkButton(), &QAbstractButton::clicked, this,
            [this] { makeBookmarkButtonMouseDown(QGuiApplication::keyboardModifiers()); });
}

std::function<bool(QObject*, const QKeyEvent*)> Keyboard::keyHandler() const
{
    return [d = dispatcher](QObject* sender, const QKeyEvent* event) { return d->keyEvent(sender, event); };
}

void Keyboard::makeBookmarkButtonMouseDown(Qt::KeyboardModifiers modifiers)
{
    m_main.giveFocusToSink();
    if (modifiers.testFlag(Qt::ShiftModifier))
        bookmarkMaking->makeQuickBookmark();
    else
        bookmarkMaking->makeBookmark();
}
