#pragma once

#include <QLineEdit>

// A loop time box: a line edit masked as "__:__:__" into which only digits can
// be typed. Its value is the digit form of a time code: the six digits
// without colons, or the empty text for no time.
//
// A partly filled box (some digit places still "_") is incomplete:
// isComplete() is false and digitText() gives just the digits typed, fewer
// than six, which no time code check accepts, so callers refuse it instead
// of guessing. Escape while the box is being edited gives back the value it
// had when it took the focus (abandoning the entry); an unedited box lets
// Escape pass on to the window.
class TimeBox : public QLineEdit {
    Q_OBJECT

public:
    explicit TimeBox(QWidget* parent = nullptr);

    // Digits typed, in order, colons never included; empty when none.
    QString digitText() const;
    // Shows the first six digits of `digits` (other characters are skipped);
    // the empty text clears the box. The value set becomes the one Escape
    // returns to.
    void setDigitText(const QString& digits);

    // True when all six digit places are filled.
    bool isComplete() const;
    // True when no digit place is filled (no time).
    bool isBlank() const { return digitText().isEmpty(); }

protected:
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString m_digitsOnEntry;
};
