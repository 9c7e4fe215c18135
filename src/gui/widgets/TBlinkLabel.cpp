#include "gui/widgets/TBlinkLabel.h"

TBlinkLabel::TBlinkLabel(QWidget* parent) : TBlinkLabel(QString(), parent)
{
}

TBlinkLabel::TBlinkLabel(const QString& text, QWidget* parent) : QLabel(text, parent)
{
    connect(&m_timer, &QTimer::timeout, this, &TBlinkLabel::blink);
    setBlinkRate(300);
}

void TBlinkLabel::setBlinkRate(int milliseconds)
{
    if (milliseconds == 0) {
        m_blinkRate = 0;
        m_timer.stop();
        showText();
        return;
    }
    m_blinkRate = qMax(100, milliseconds);
    m_timer.start(m_blinkRate);
}

QColor TBlinkLabel::backgroundColor() const
{
    // A label that does not fill its background shows its parent's.
    if (!autoFillBackground() && parentWidget())
        return parentWidget()->palette().color(parentWidget()->backgroundRole());
    return palette().color(backgroundRole());
}

void TBlinkLabel::blink()
{
    if (m_hidden) {
        showText();
        return;
    }
    // Remember the palette as it stands (own or inherited) to give it back.
    m_savedPalette = palette();
    m_hadOwnPalette = testAttribute(Qt::WA_SetPalette);
    QPalette pal = palette();
    pal.setColor(foregroundRole(), backgroundColor());
    setPalette(pal);
    m_hidden = true;
}

void TBlinkLabel::showText()
{
    if (!m_hidden)
        return;
    setPalette(m_hadOwnPalette ? m_savedPalette : QPalette());
    m_hidden = false;
}
