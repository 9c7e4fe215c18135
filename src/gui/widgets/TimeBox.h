#pragma once

#include <QLineEdit>

// A loop time box: a line edit masked as "__:__:__" into which only digits can
// be typed. Its value is the digit form of a time code: the six digits
// without colons, or the empty text for no time.
//
// A partly filled box (some digit places still "_") holds no time code. The
// box cannot be left in that state: until the entry is completed, emptied or
// abandoned with Escape, clicks elsewhere in the window and Tab are refused
// with a message, and the box takes the focus back from anything else that
// takes it within the window. Its digitText() then keeps the unfilled places
// as "_" ("00:_1:05" gives "00_105"), which no time code check accepts, so a
// reader that meets it refuses it instead of guessing.
//
// Escape while the box is being edited gives back the value it had when it
// took the focus (abandoning the entry); an unedited box lets Escape pass on
// to the window.
//
// Precise, or holding a time with milliseconds, the box is masked as
// "__:__:__.___": three more places for the milliseconds, which may stay
// blank (a whole second). Digits typed there count from the left (".2" is
// 200 ms); a blank place before a typed one leaves the time partly filled.
// A whole second, however entered, gives the six digits of old.
class TimeBox : public QLineEdit {
    Q_OBJECT

public:
    explicit TimeBox(QWidget* parent = nullptr);

    // The digit places in order, colons never included: six digits when
    // complete (nine with milliseconds other than 000), the empty text when
    // blank, and with "_" for each unfilled place when partly filled.
    QString digitText() const;
    // Shows the first six digits of `digits`, or nine when they carry
    // milliseconds (other characters are skipped); the empty text clears the
    // box. The value set becomes the one Escape returns to.
    void setDigitText(const QString& digits);

    // Whether the box offers the milliseconds' places even for a whole
    // second (the "precise loop points" switch).
    void setPrecise(bool precise);
    bool isPrecise() const { return m_precise; }
    // Whether the box shows the milliseconds' places now (precise, or
    // holding a time with milliseconds).
    bool isWide() const { return m_wide; }
    // The width the box needs to show `text` whole in its font, frame and
    // margins included.
    int widthToShow(const QString& text) const;

    // True when all six digit places are filled (and the milliseconds'
    // places, if any, leave no gap).
    bool isComplete() const;
    // True when no digit place is filled (no time).
    bool isBlank() const { return digitText().isEmpty(); }
    // True when some digit places are filled, not all.
    bool isPartlyFilled() const { return !isBlank() && !isComplete(); }

    // What the user is told when leaving a partly filled box.
    static QString incompleteMessage();

signals:
    // The box took or dropped the milliseconds' places.
    void wideChanged(bool wide);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refuseLeaving();
    // The mask with or without the milliseconds' places.
    void setWide(bool wide);

    QString m_digitsOnEntry;
    bool m_refusing = false;
    bool m_precise = false;
    bool m_wide = false;
};
