#include "gui/input/FocusModel.h"

#include "core/input/KeyCommandTable.h"
#include "gui/input/FocusSink.h"
#include "gui/widgets/TimeBox.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

FocusModel::FocusModel(QWidget* window, FocusSink* sink, QObject* parent)
    : QObject(parent), m_window(window), m_sink(sink), m_clickFocus([sink] { sink->takeFocus(); })
{
    m_window->installEventFilter(this);
    connect(m_sink, &FocusSink::focusPanelClick, this, &FocusModel::FormClick);
    attachToPlatformWindow();
}

void FocusModel::watchTextBox(QWidget* box, EndKeys endKeys, std::function<void()> exitCheck)
{
    m_watched.insert(box, Watched{true, endKeys, std::move(exitCheck), box->metaObject()});
    box->installEventFilter(this);
}

void FocusModel::watchList(QWidget* list, EndKeys endKeys)
{
    m_watched.insert(list, Watched{false, endKeys, {}, list->metaObject()});
}

void FocusModel::watchBackground(QWidget* area)
{
    if (area != m_window)
        area->installEventFilter(this);
    m_backgrounds.insert(area);
}

const FocusModel::Watched* FocusModel::watchedBox(QObject* object) const
{
    const auto it = m_watched.constFind(object);
    return it != m_watched.constEnd() && it->type == object->metaObject() ? &*it : nullptr;
}

void FocusModel::FormClick()
{
    m_keyPreview = true;
    m_clickFocus();
}

void FocusModel::FormActivate()
{
    m_sink->show();
    if (!m_activationFocusesSink)
        return;
    m_keyPreview = true;
    m_sink->takeFocus();
    // A box left by switching windows has not run its exit yet.
    if (m_enteredBox)
        KeyExit(m_enteredBox);
}

void FocusModel::FormDeactivate()
{
    // Hidden once the platform has moved the focus away, so that hiding it
    // does not move the focus to another control of this window.
    QTimer::singleShot(0, m_sink, [sink = m_sink, window = m_window] {
        if (!window->isActiveWindow())
            sink->hide();
    });
}

void FocusModel::KeyEnter(QWidget* box)
{
    m_enteredBox = box;
    m_keyPreview = false;
}

void FocusModel::KeyExit(QWidget* box)
{
    if (m_enteredBox == box)
        m_enteredBox = nullptr;
    const Watched* watched = watchedBox(box);
    if (watched && watched->exitCheck)
        watched->exitCheck();
    m_keyPreview = true;
}

bool FocusModel::KeyPressIt(QWidget* box, const QKeyEvent* event)
{
    const Watched* it = watchedBox(box);
    if (!it)
        return false;
    const int key = event->key();
    const bool escape = key == Qt::Key_Escape;
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (!escape && !(enter && it->endKeys == EndKeys::EnterAndEscape))
        return false;
    // A time box first abandons an unfinished entry on Escape.
    if (escape && qobject_cast<TimeBox*>(box)) {
        QKeyEvent copy(event->type(), event->key(), event->modifiers(), event->text());
        QCoreApplication::sendEvent(box, &copy);
    }
    FormClick();
    return true;
}

void FocusModel::attachToPlatformWindow()
{
    QWindow* handle = m_window->windowHandle();
    if (handle == m_platformWindow)
        return;
    if (m_platformWindow)
        m_platformWindow->removeEventFilter(this);
    m_platformWindow = handle;
    if (handle)
        handle->installEventFilter(this);
}

bool FocusModel::platformKeyPress(QKeyEvent* event)
{
    QWidget* focused = m_window->focusWidget();
    if (focused && KeyPressIt(focused, event))
        return true;
    // A media key types nothing: it is a command also in a box.
    if ((!m_keyPreview && !keys::isMediaKey(event->key())) || !m_handler || (m_passKeys && !m_passKeys()))
        return false;
    return m_handler(m_window, event);
}

bool FocusModel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_platformWindow) {
        if (event->type() == QEvent::KeyPress)
            return platformKeyPress(static_cast<QKeyEvent*>(event));
        return false;
    }
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::WinIdChange:
        if (watched == m_window)
            attachToPlatformWindow();
        break;
    case QEvent::WindowActivate:
        if (watched == m_window)
            FormActivate();
        break;
    case QEvent::WindowDeactivate:
        if (watched == m_window)
            FormDeactivate();
        break;
    case QEvent::FocusIn:
        if (const Watched* box = watchedBox(watched); box && box->textBox)
            KeyEnter(static_cast<QWidget*>(watched));
        break;
    case QEvent::FocusOut: {
        // Switching windows or opening a pop-up list is not leaving the box.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        const Watched* box = watchedBox(watched);
        if (box && box->textBox && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            KeyExit(static_cast<QWidget*>(watched));
        break;
    }
    case QEvent::MouseButtonPress:
        if (m_backgrounds.contains(watched))
            FormClick();
        break;
    default:
        break;
    }
    return false;
}
