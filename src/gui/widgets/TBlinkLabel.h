#pragma once

#include <QColor>
#include <QLabel>
#include <QPalette>
#include <QTimer>

// A label whose text blinks: every BlinkRate milliseconds it alternates
// between showing its text and hiding it by painting the text in the
// background colour. The timer runs from creation, shown or not.
//
// BlinkRate defaults to 300; a value below 100 (other than 0) is raised to
// 100; 0 stops the blinking and shows the text again if it is hidden.
class TBlinkLabel : public QLabel {
    Q_OBJECT
    Q_PROPERTY(int blinkRate READ blinkRate WRITE setBlinkRate)

public:
    explicit TBlinkLabel(QWidget* parent = nullptr);
    explicit TBlinkLabel(const QString& text, QWidget* parent = nullptr);

    int blinkRate() const { return m_blinkRate; }
    void setBlinkRate(int milliseconds);

    bool isTextHidden() const { return m_hidden; }
    // Whether the text alternates (a rate other than 0).
    bool isBlinking() const { return m_timer.isActive(); }

private:
    void blink();
    void showText();
    QColor backgroundColor() const;

    QTimer m_timer;
    int m_blinkRate = 0;
    bool m_hidden = false;
    QPalette m_savedPalette;
    bool m_hadOwnPalette = false;
};
