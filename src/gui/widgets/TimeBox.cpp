#include "gui/widgets/TimeBox.h"

#include "core/base/Prompt.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTimer>
#include <QWindow>

namespace {

// Positions of the six digit places in the shown text "hh:mm:ss", and of
// the milliseconds' places in "hh:mm:ss.mmm".
constexpr int kDigitPlaces[6] = {0, 1, 3, 4, 6, 7};
constexpr int kFractionPlaces[3] = {9, 10, 11};

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

} // namespace

TimeBox::TimeBox(QWidget* parent) : QLineEdit(parent)
{
    setWide(false);
    setText(QString());
}

void TimeBox::setWide(bool wide)
{
    if (wide == m_wide && !inputMask().isEmpty())
        return;
    const QString kept = digitText();
    // A partly filled box keeps its entry; it changes when it is set next.
    if (kept.contains(u'_'))
        return;
    const bool changed = wide != m_wide;
    m_wide = wide;
    // "9": a required ASCII digit, "0" an optional one; ':' and '.' are
    // literal; '_' marks unfilled places.
    setInputMask(wide ? QStringLiteral("99:99:99.000;_") : QStringLiteral("99:99:99;_"));
    setText(kept);
    if (changed)
        emit wideChanged(wide);
}

void TimeBox::setPrecise(bool precise)
{
    m_precise = precise;
    setWide(precise || digitText().size() == 9);
}

int TimeBox::widthToShow(const QString& text) const
{
    // As the line edit lays out its text: two pixels of margin either side
    // inside the text margins, and a pixel for the cursor after the text.
    constexpr int lineEditMargin = 2;
    const QMargins margins = textMargins();
    const int textWidth =
        fontMetrics().horizontalAdvance(text) + 2 * lineEditMargin + margins.left() + margins.right() + 1;
    QStyleOptionFrame option;
    initStyleOption(&option);
    return style()->sizeFromContents(QStyle::CT_LineEdit, &option, QSize(textWidth, height()), this).width();
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
        const bool digit = isDigit(c);
        places.append(digit ? c : QChar(u'_'));
        any = any || digit;
    }
    if (!m_wide)
        return any ? places : QString();
    // The milliseconds count from the left; blank places after the last
    // digit are zeros, a blank place before one is a gap.
    QString fraction;
    for (int at : kFractionPlaces) {
        const QChar c = at < shown.size() ? shown[at] : QChar(u'_');
        fraction.append(isDigit(c) ? c : QChar(u'_'));
    }
    const qsizetype lastDigit = fraction.lastIndexOf(QRegularExpression(QStringLiteral("[0-9]")));
    if (lastDigit < 0)
        return any ? places : QString();
    for (qsizetype i = lastDigit + 1; i < fraction.size(); ++i)
        fraction[i] = u'0';
    if (fraction == QLatin1String("000") && !places.contains(u'_'))
        return places;
    return places + fraction;
}

void TimeBox::setDigitText(const QString& digits)
{
    QString kept;
    for (QChar c : digits) {
        if (isDigit(c) && kept.size() < 9)
            kept.append(c);
    }
    if (kept.size() < 9 || kept.endsWith(QLatin1String("000")))
        kept.truncate(6);
    setText(QString());
    setWide(m_precise || kept.size() == 9);
    // The mask places each digit in the next digit place, skipping colons.
    setText(kept);
    m_digitsOnEntry = digitText();
}

bool TimeBox::isComplete() const
{
    const QString places = digitText();
    return (places.size() == 6 || places.size() == 9) && !places.contains(u'_');
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
