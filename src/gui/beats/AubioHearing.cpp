#include "gui/beats/AubioHearing.h"

#include "core/beats/Chroma.h"
#include "gui/beats/SoundReader.h"

#include <algorithm>
#include <aubio/aubio.h>
#include <cmath>
#include <memory>
#include <mutex>

namespace beats {

namespace {

// The sound is analysed at 22050 Hz (beats and the bass lie far below its
// half); a frame every 128 samples (5.8 ms), over windows of 1024 (46 ms,
// fine enough to tell bass notes apart), in 40 mel bands from 30 Hz to
// 4 kHz: Ellis 2007's onset envelope takes 40 mel bands of sound sampled
// at 8 kHz (so up to 4 kHz).
constexpr uint_t SampleRate = 22050;
constexpr uint_t Hop = 128;
constexpr uint_t Window = 1024;
constexpr uint_t Bands = 40;
constexpr double LowestHz = 30;
constexpr double HighestHz = 4000;
// A frame stands for the time of the first sample it adds: a note is heard
// as soon as it enters the window (its rise in dB is largest there). On
// the demo clip and the click tracks this puts the beats within 2 ms of
// the clicks; a window's middle would put them 17 ms early.
constexpr double FrameDelay = 0;
// A full-scale sine gives a band about this large (aubio's spectrum is not
// scaled by the window): full scale is 0 dB.
constexpr double FullScale = double(Window) / 4.0;

struct PvocDeleter {
    void operator()(aubio_pvoc_t* p) const { del_aubio_pvoc(p); }
};
struct BankDeleter {
    void operator()(aubio_filterbank_t* f) const { del_aubio_filterbank(f); }
};
struct VectorDeleter {
    void operator()(fvec_t* v) const { del_fvec(v); }
};
struct SpectrumDeleter {
    void operator()(cvec_t* c) const { del_cvec(c); }
};

// aubio writes its errors to the terminal; the finder reports them as "no
// beats" instead.
void quietAubio()
{
    static std::once_flag once;
    std::call_once(once, [] {
        for (int level : {AUBIO_LOG_ERR, AUBIO_LOG_WRN, AUBIO_LOG_MSG, AUBIO_LOG_DBG, AUBIO_LOG_INF})
            aubio_log_set_level_function(
                level, [](sint_t, const char_t*, void*) {}, nullptr);
    });
}

} // namespace

Hearing listenForBeats(const QString& clipPath, const std::atomic<bool>& cancel)
{
    Hearing hearing;
    quietAubio();
    std::unique_ptr<aubio_pvoc_t, PvocDeleter> pvoc(new_aubio_pvoc(Window, Hop));
    std::unique_ptr<aubio_filterbank_t, BankDeleter> bank(new_aubio_filterbank(Bands, Window));
    std::unique_ptr<fvec_t, VectorDeleter> block(new_fvec(Hop));
    std::unique_ptr<cvec_t, SpectrumDeleter> spectrum(new_cvec(Window));
    if (!pvoc || !bank || !block || !spectrum ||
        aubio_filterbank_set_mel_coeffs(bank.get(), SampleRate, LowestHz, HighestHz) != 0)
        return hearing;
    OnsetStrength strength(int(Bands), double(SampleRate) / Hop, -FrameDelay / SampleRate);
    const ChromaFold chroma(int(Window / 2 + 1), double(SampleRate) / Window);
    // aubio's mel filters, applied over the bins where each is not zero
    // (a few dozen of the 513): the same sums as aubio_filterbank_do(),
    // twenty times quicker, which a 10-minute clip notices.
    const fmat_t* filters = aubio_filterbank_get_coeffs(bank.get());
    std::vector<std::pair<uint_t, uint_t>> reach(Bands, {0, 0});
    for (uint_t b = 0; b < Bands; ++b) {
        uint_t first = filters->length, end = 0;
        for (uint_t k = 0; k < filters->length; ++k)
            if (filters->data[b][k] != 0) {
                first = std::min(first, k);
                end = k + 1;
            }
        reach[b] = {std::min(first, end), end};
    }

    uint_t filled = 0;
    quint64 samples = 0;
    std::vector<float> scaled(Bands);
    float pitchClasses[PitchClasses];
    const auto frame = [&] {
        aubio_pvoc_do(pvoc.get(), block.get(), spectrum.get());
        for (uint_t b = 0; b < Bands; ++b) {
            double sum = 0;
            for (uint_t k = reach[b].first; k < reach[b].second; ++k)
                sum += double(filters->data[b][k]) * spectrum->norm[k];
            scaled[b] = float(sum / FullScale);
        }
        chroma.fold(spectrum->norm, pitchClasses);
        strength.addFrame(scaled.data(), pitchClasses);
    };
    const SoundReading read = readSound(clipPath, int(SampleRate), cancel, [&](const float* in, int count) {
        for (int i = 0; i < count; ++i) {
            block->data[filled++] = in[i];
            if (filled == Hop) {
                frame();
                filled = 0;
            }
        }
        samples += quint64(count);
    });
    if (read == SoundReading::Cancelled || cancel.load()) {
        hearing.outcome = Hearing::Outcome::Cancelled;
        return hearing;
    }
    if (read != SoundReading::Read || samples == 0)
        return hearing;
    if (filled > 0) {
        for (uint_t i = filled; i < Hop; ++i)
            block->data[i] = 0;
        frame();
    }
    hearing.features = strength.take(double(samples) / SampleRate);
    hearing.outcome = Hearing::Outcome::Heard;
    return hearing;
}

} // namespace beats
