#include "gui/beats/AubioBeatTracker.h"

#include <QFile>
#include <QFileInfo>
#include <aubio/aubio.h>
#include <memory>
#include <mutex>

namespace beats {

namespace {

// The sound is analysed at 22050 Hz: beats and onsets lie well below, and
// half the samples of CD rate halve the work. Onsets and beats are read
// every 128 samples (5.8 ms), over windows of 512 (23 ms): of aubio's
// settings tried on click tracks under a voice, with tempo changes, these
// placed the beats best and lost them least.
constexpr uint_t SampleRate = 22050;
constexpr uint_t Hop = 128;
constexpr uint_t OnsetWindow = 512;
constexpr uint_t TempoWindow = 512;

struct SourceDeleter {
    void operator()(aubio_source_t* s) const { del_aubio_source(s); }
};
struct TempoDeleter {
    void operator()(aubio_tempo_t* t) const { del_aubio_tempo(t); }
};
struct OnsetDeleter {
    void operator()(aubio_onset_t* o) const { del_aubio_onset(o); }
};
struct VectorDeleter {
    void operator()(fvec_t* v) const { del_fvec(v); }
};

// aubio writes its errors (a file without sound, say) to the terminal; the
// finder reports them as "no beats" instead.
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
    const QFileInfo file(clipPath);
    if (!file.isAbsolute() || !file.isFile())
        return hearing;
    quietAubio();
    const QByteArray path = QFile::encodeName(file.absoluteFilePath());
    std::unique_ptr<aubio_source_t, SourceDeleter> source(new_aubio_source(path.constData(), SampleRate, Hop));
    if (!source)
        return hearing;
    const uint_t rate = aubio_source_get_samplerate(source.get());
    std::unique_ptr<aubio_tempo_t, TempoDeleter> tempo(new_aubio_tempo("default", TempoWindow, Hop, rate));
    std::unique_ptr<aubio_onset_t, OnsetDeleter> onset(new_aubio_onset("hfc", OnsetWindow, Hop, rate));
    std::unique_ptr<fvec_t, VectorDeleter> block(new_fvec(Hop));
    std::unique_ptr<fvec_t, VectorDeleter> tempoOut(new_fvec(2));
    std::unique_ptr<fvec_t, VectorDeleter> onsetOut(new_fvec(1));
    if (!tempo || !onset || !block || !tempoOut || !onsetOut)
        return hearing;
    aubio_onset_set_minioi_ms(onset.get(), 20);

    quint64 samples = 0;
    uint_t read = 0;
    do {
        if (cancel.load(std::memory_order_relaxed)) {
            hearing.outcome = Hearing::Outcome::Cancelled;
            return hearing;
        }
        aubio_source_do(source.get(), block.get(), &read);
        aubio_tempo_do(tempo.get(), block.get(), tempoOut.get());
        aubio_onset_do(onset.get(), block.get(), onsetOut.get());
        if (tempoOut->data[0] != 0)
            hearing.heard.beats.append({aubio_tempo_get_last_s(tempo.get()), aubio_tempo_get_period_s(tempo.get()),
                                        aubio_tempo_get_confidence(tempo.get())});
        if (onsetOut->data[0] != 0)
            hearing.heard.onsets.append(aubio_onset_get_last_s(onset.get()));
        samples += read;
    } while (read == Hop);
    hearing.heard.duration = double(samples) / rate;
    hearing.outcome = Hearing::Outcome::Heard;
    return hearing;
}

} // namespace beats
