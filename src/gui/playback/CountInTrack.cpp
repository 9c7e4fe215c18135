#include "gui/playback/CountInTrack.h"

#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace countintrack {

namespace {

// The sound lasts past the loop's "1" by this much, so that the last count
// is never cut off.
constexpr double TailSeconds = 0.6;

quint32 le32(const QByteArray& bytes, qsizetype at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

quint16 le16(const QByteArray& bytes, qsizetype at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

// Adds `sound` into `track` from sample `at`, clipped to 16 bits.
void mixAt(QList<qint16>& track, const QList<qint16>& sound, qsizetype at)
{
    for (qsizetype i = 0; i < sound.size() && at + i < track.size(); ++i)
        track[at + i] = qint16(std::clamp(int(track[at + i]) + int(sound[i]), -32768, 32767));
}

// A struck tone that dies away in 40 ms.
QList<qint16> click(double frequency, double loudness, int rate)
{
    QList<qint16> samples(qsizetype(0.04 * rate));
    for (qsizetype i = 0; i < samples.size(); ++i) {
        const double t = double(i) / rate;
        samples[i] = qint16(32767 * loudness * std::exp(-t / 0.008) * std::sin(2 * std::numbers::pi * frequency * t));
    }
    return samples;
}

QList<qint16> silentTrack(const countin::CountInPlan& plan, int rate)
{
    return QList<qint16>(qsizetype(std::ceil((LeadInSeconds + plan.lengthSeconds() + TailSeconds) * rate)), 0);
}

} // namespace

Samples readSpokenWord(const QByteArray& wav)
{
    if (wav.size() < 12 || !wav.startsWith("RIFF") || wav.mid(8, 4) != "WAVE")
        return {};
    int rate = 0;
    bool monoPcm16 = false;
    for (qsizetype at = 12; at + 8 <= wav.size();) {
        const QByteArray id = wav.mid(at, 4);
        const qsizetype size = std::min<qsizetype>(le32(wav, at + 4), wav.size() - at - 8);
        const qsizetype body = at + 8;
        if (id == "fmt " && size >= 16) {
            monoPcm16 = le16(wav, body) == 1 && le16(wav, body + 2) == 1 && le16(wav, body + 14) == 16;
            rate = int(le32(wav, body + 4));
        } else if (id == "data" && monoPcm16 && rate > 0) {
            Samples word{rate, {}};
            for (qsizetype i = 0; i + 1 < size; i += 2)
                word.values << qint16(le16(wav, body + i));
            // The word starts where it is first heard: above a fiftieth of
            // its loudest sample.
            int loudest = 0;
            for (qint16 v : word.values)
                loudest = std::max(loudest, std::abs(int(v)));
            const auto first = std::find_if(word.values.cbegin(), word.values.cend(),
                                            [loudest](qint16 v) { return std::abs(int(v)) * 50 > loudest; });
            word.values.remove(0, first - word.values.cbegin());
            return word.values.isEmpty() ? Samples{} : word;
        }
        at = body + size + (size & 1);
    }
    return {};
}

QByteArray renderClicks(const countin::CountInPlan& plan, int rate)
{
    QList<qint16> track = silentTrack(plan, rate);
    const QList<qint16> accented = click(1760, 0.9, rate);
    const QList<qint16> plain = click(1320, 0.6, rate);
    for (int i = 0; i < countin::Counts; ++i)
        mixAt(track, i == 0 ? accented : plain, qRound64((LeadInSeconds + plan.countAt(i)) * rate));
    return wavFile(track, rate);
}

QByteArray renderVoice(const countin::CountInPlan& plan, const QList<Samples>& words)
{
    if (words.size() != countin::Counts || words[0].rate <= 0)
        return {};
    const int rate = words[0].rate;
    for (const Samples& word : words)
        if (word.rate != rate)
            return {};
    QList<qint16> track = silentTrack(plan, rate);
    for (int i = 0; i < countin::Counts; ++i)
        mixAt(track, words[i].values, qRound64((LeadInSeconds + plan.countAt(i)) * rate));
    return wavFile(track, rate);
}

QByteArray wavFile(const QList<qint16>& samples, int rate)
{
    const quint32 dataBytes = quint32(samples.size() * 2);
    QByteArray out;
    out.reserve(44 + dataBytes);
    const auto put32 = [&out](quint32 v) {
        char b[4];
        qToLittleEndian(v, b);
        out.append(b, 4);
    };
    const auto put16 = [&out](quint16 v) {
        char b[2];
        qToLittleEndian(v, b);
        out.append(b, 2);
    };
    out.append("RIFF");
    put32(36 + dataBytes);
    out.append("WAVEfmt ");
    put32(16);
    put16(1); // PCM
    put16(1); // mono
    put32(quint32(rate));
    put32(quint32(rate * 2));
    put16(2);
    put16(16);
    out.append("data");
    put32(dataBytes);
    for (qint16 v : samples)
        put16(quint16(v));
    return out;
}

} // namespace countintrack
