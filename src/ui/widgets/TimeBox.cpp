#include "ui/widgets/TimeBox.h"

#include <QKeyEvent>

TimeBox::TimeBox(QWidget* parent) : QLineEdit(parent)
{
    // "9": a required ASCII digit; ':' literal; '_' marks unfilled places.
    setInputMask(QStringLiteral("99:99:99;_"));
    setText(QString());
}

QString TimeBox::digitText() const
{
    // With a mask, text() keeps the literal colons and drops unfilled places.
    QString digits;
    for (QChar c : text()) {
        if (c >= u'0' && c <= u'9')
            digits.append(c);
    }
    return digits;
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
    m_digitsOnEntry = kept;
}

bool TimeBox::isComplete() const
{
    return digitText().size() == 6;
}

void TimeBox::focusInEvent(QFocusEvent* event)
{
    m_digitsOnEntry = digitText();
    QLineEdit::focusInEvent(event);
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
