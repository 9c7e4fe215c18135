#pragma once

#include <QString>

// Time codes: clip positions in whole seconds, in three text forms.
//
//  - display form  "hh:mm:ss", exactly eight characters (grid, files,
//                  bookmark command lines);
//  - no-time mark  "--:--:--" (as an end time: to the end of the clip);
//  - digit form    the six digits without colons, "hhmmss", as held by the
//                  two loop time boxes; the empty text means no time.
//
// None of these checks ranges: minute and second pairs of 60 to 99 count as
// they stand (00:75:00 is 4500 seconds).
//
// Precise loop points carry milliseconds as well. A time with a fraction of
// a second has a longer form of each ("hh:mm:ss.mmm", twelve characters;
// nine digits "hhmmssmmm"); a whole second always keeps the short one, so
// whatever holds only whole seconds reads and writes exactly as before. The
// long display form is no time code for validateTimeCode(), so a reader that
// knows only whole seconds refuses it as a bad time instead of taking it for
// another time.

inline constexpr const char* kNoTimeMark = "--:--:--";

// Largest time the two-digit hour places can hold: 99:59:59.
inline constexpr int kMaxTimeCodeSeconds = 99 * 3600 + 59 * 60 + 59;

// Seconds -> digit form ("%.2d" hours, minutes, seconds joined), e.g. 205 ->
// "000325". A time of 100 hours or more has no six-digit form; it is clamped
// to 995959 so that every result fits the time boxes and the display form
// (a clip that long is beyond anything the loop boxes can address anyway).
// Negative seconds are clamped to 000000 for the same reason.
QString determineColonStringFromSeconds(int seconds);

// Digit form -> display form; the empty text gives "--:--:--". Nine digits
// give the long form "hh:mm:ss.mmm"; otherwise only the first six
// characters are used. A shorter, partly filled digit form shows its
// unfilled places as "_" ("1234" -> "12:34:__"), which validateTimeCode()
// refuses, so an incomplete time can never pass for a valid one.
QString insertColonsIntoString(const QString& digits);

// Display form -> digit form; "--:--:--" gives the empty text. Takes the
// characters at positions 1, 2, 4, 5, 7 and 8, and of a long form
// "hh:mm:ss.mmm" the three after the point as well; positions past the end
// of a shorter text are skipped. Callers pass only texts that
// validateTimeCode() or validatePreciseTimeCode() accepted.
QString removeColonsFromString(const QString& text);

// Digit form -> seconds: hours * 3600 + minutes * 60 + seconds from the three
// digit pairs. A missing or non-digit character counts as 0, so malformed
// input gives a defined, non-negative result rather than an error.
int determineSecondsFromColonString(const QString& digits);

// True for a complete digit form: exactly six ASCII digits. A time box that
// is only partly filled gives a text this refuses (its unfilled places stay
// "_"), and so does the empty text of no time; readers of the boxes check it
// before taking a time.
bool isDigitForm(const QString& digits);

// True for "--:--:--" and for exactly eight characters "dd:dd:dd" with ASCII
// digits; no range check on the fields.
bool validateTimeCode(const QString& text);

// Player position in seconds -> whole seconds, to the nearest, an exact half
// going to the even neighbour (2.5 -> 2, 3.5 -> 4). NaN gives 0; values
// outside the int range are clamped to it.
int roundPositionToSeconds(double position);

// Milliseconds -> digit form: the six digits of a whole second, else nine
// ("hhmmssmmm"), e.g. 65250 -> "000105250", 65000 -> "000105". Clamped to
// 0 and to 99:59:59.999 as the whole-second form is.
QString determineColonStringFromMilliseconds(qint64 milliseconds);

// Digit form of six or nine digits -> milliseconds. As for the seconds, a
// missing or non-digit character counts as 0.
qint64 determineMillisecondsFromColonString(const QString& digits);

// True for a complete digit form with or without milliseconds: six or nine
// ASCII digits.
bool isPreciseDigitForm(const QString& digits);

// True for what validateTimeCode() accepts and for the long form
// "dd:dd:dd.ddd"; no range check.
bool validatePreciseTimeCode(const QString& text);

// Whether digit form a is earlier than b, both complete. Whole-second forms
// compare character by character, as they always have (so 00:75:00 counts
// as earlier than 01:00:00, as typed); a form with milliseconds compares as
// its whole-second digits followed by the three of the fraction.
bool timeDigitsLess(const QString& a, const QString& b);

// Player position in seconds -> whole milliseconds, to the nearest. NaN and
// negative positions give 0.
qint64 roundPositionToMilliseconds(double position);
