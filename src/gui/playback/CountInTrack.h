#pragma once

#include "core/playback/CountIn.h"

#include <QByteArray>
#include <QList>

// The whole count-in as one sound, a mono 16-bit WAV file's bytes: four
// clicks (the first accented) or the four spoken counts, each starting on
// its beat of the plan after a short lead-in, so that the sound's own clock
// times the counts: the loop's "1" is at LeadInSeconds + the plan's length.
namespace countintrack {

// The silence before the first count: an output that starts a stream loses
// its first milliseconds, which must not be the count's "5".
inline constexpr double LeadInSeconds = 0.05;

// The samples of a mono 16-bit WAV file's bytes, from the first one that is
// heard (the silence a speech synthesiser puts before a word is cut); none
// when the bytes are no such file.
struct Samples {
    int rate = 0;
    QList<qint16> values;
};
Samples readSpokenWord(const QByteArray& wavFile);

// The clicks' sound at `rate` samples a second.
QByteArray renderClicks(const countin::CountInPlan& plan, int rate = 44100);
// The spoken counts "five" to "eight", all at one rate; empty when they are
// not four words of one rate.
QByteArray renderVoice(const countin::CountInPlan& plan, const QList<Samples>& words);

// A WAV file of mono 16-bit samples.
QByteArray wavFile(const QList<qint16>& samples, int rate);

} // namespace countintrack
