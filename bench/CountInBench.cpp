// The count-in's timing at the sound output: continuous loops of a click
// track counted in, played on libmpv into a PulseAudio server of the
// bench's own (run it through tests/sound/with-pulse.sh), recorded, and for
// every count-in heard the worst difference of its five intervals (four
// counts and the loop's first beat) from the beat, at 1x and at 0.75x.
//
//   with-pulse.sh CountInBench [PASSES]   (passes per rate, default 6)
#include "../tests/sound/CountInRecording.h"
#include "BenchFigures.h"

#include <QApplication>
#include <vector>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const int passes = argc > 1 ? std::max(1, atoi(argv[1])) : 6;
    QTemporaryDir dir;
    const QString clip = dir.filePath(QStringLiteral("click_track.mp4"));
    if (!countinrecording::makeClickClip(clip)) {
        std::fprintf(stderr, "CountInBench: ffmpeg could not make the click track\n");
        return 1;
    }
    std::vector<double> errors;
    int expected = 0;
    for (double rate : {1.0, 0.75}) {
        const auto heard = countinrecording::playCountedLoop(clip, dir.filePath(QStringLiteral("heard.raw")), rate,
                                                             countin::CountInSound::Clicks, passes);
        expected += passes;
        for (const auto& count : heard)
            errors.push_back(count.worstErrorSeconds(countinrecording::ClipBeat / rate) * 1000);
    }
    double sum = 0;
    for (double e : errors)
        sum += e;
    BenchFigures::print("countin_gaps_heard", double(errors.size()), "");
    BenchFigures::print("countin_gaps_played", double(expected), "");
    BenchFigures::print("countin_error_mean", errors.empty() ? -1 : sum / double(errors.size()), "ms");
    std::printf("%-28s %10.2f ms (target <= 15 ms)\n", "countin_error_worst",
                errors.empty() ? -1.0 : *std::max_element(errors.begin(), errors.end()));
    return errors.size() == std::size_t(expected) ? 0 : 1;
}
