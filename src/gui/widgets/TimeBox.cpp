#include "gui/widgets/TimeBox.h"

#include "core/base/Prompt.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QTimer>
#include <QWindow>

namespace {

// Positions of the six digit places in the shown text "hh:mm:ss".
constexpr int kDigitPlaces[6] = {0, 1, 3, 4, 6, 7};

} // namespace

TimeBox::TimeBox(QWidget* parent) : QLineEdit(parent)
{
    // "9": a required ASCII digit; ':' literal; '_' marks unfilled places.
    setInputMask(QStringLiteral("99:99:99;_"));
    setText(QString());
}

QString TimeBox::incompleteMessage()
{
    return QStringLiteral("The time is not complete.\n\nPlease type all six digits, clear the box, or press Escape "
                          "to go back to the time it had.");
}

QString TimeBox::digitText() const
{
    // displayText() shows every place, "_" for an unfilled one; text() would
    // drop the unfilled places and shift the digits after them.
    const QString shown = displayText();
    QString places;
    bool any = false;
    for (int at : kDigitPlaces) {
        const QChar c = at < shown.size() ? shown[at] : QChar(u'_');
        const bool digit = c >= u'0' && c <= u'9';
        places.append(digit ? c : QChar(u'_'));
        any = any || digit;
    }
    return any ? places : QString();
}

void TimeBox::setDigitText(const QString& digits)
{
    QString kept;
    for (QChar c : digits) {
        if (c >= u'0' && c <= u'9' && kept.size() < 6)
            kept.append(c);
    }
    // The mask places each digit in the next digit place, skipping colons.
    setText(kept);
    m_digitsOnEntry = digitText();
}

bool TimeBox::isComplete() const
{
    const QString places = digitText();
    return places.size() == 6 && !places.contains(u'_');
}

void TimeBox::focusInEvent(QFocusEvent* event)
{
    if (!m_refusing)
        m_digitsOnEntry = digitText();
    qApp->installEventFilter(this);
    QLineEdit::focusInEvent(event);
}

void TimeBox::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // Switching windows or opening a pop-up is not leaving the box.
    const Qt::FocusReason reason = event->reason();
    const bool leaving = reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
    if (leaving && isPartlyFilled() && isVisible() && window()->isActiveWindow()) {
        // The press that took the focus still reaches the filter: it is
        // swallowed there.
        refuseLeaving();
        return;
    }
    qApp->removeEventFilter(this);
}

bool TimeBox::focusNextPrevChild(bool next)
{
    if (isPartlyFilled()) {
        refuseLeaving();
        return true;
    }
    return QLineEdit::focusNextPrevChild(next);
}

void TimeBox::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier && digitText() != m_digitsOnEntry) {
        setDigitText(m_digitsOnEntry);
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

// While the box has the focus: a click on anything else in its window is
// refused as long as the box is partly filled. The press is caught as it
// reaches the window, before it moves the focus.
bool TimeBox::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if ((type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick) || !(hasFocus() || m_refusing) ||
        !isPartlyFilled())
        return QLineEdit::eventFilter(watched, event);
    QWidget* target = nullptr;
    if (watched == window()->windowHandle()) {
        const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
        target = window()->childAt(at);
        if (!target)
            target = window();
    } else if (watched->isWidgetType()) {
        target = static_cast<QWidget*>(watched);
    }
    if (!target || target == this || target->window() != window())
        return QLineEdit::eventFilter(watched, event);
    refuseLeaving();
    return true;
}

// The box keeps (or takes back) the focus and the user is told why. The
// message comes after the event that tried to leave, never inside it.
void TimeBox::refuseLeaving()
{
    if (m_refusing)
        return;
    m_refusing = true;
    QPointer<TimeBox> self(this);
    QTimer::singleShot(0, this, [self] {
        if (!self)
            return;
        self->setFocus(Qt::OtherFocusReason);
        prompt().message(incompleteMessage(), Prompt::Icon::Warning);
        if (!self)
            return;
        self->setFocus(Qt::OtherFocusReason);
        self->m_refusing = false;
    });
}
