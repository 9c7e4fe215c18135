// The hand-over of play all on the real engine: a catalog whose bookmarks
// alternate between two clips, two bookmarks per clip in a row, plays all;
// for each loop's end the time until the next loop's first frame reaches
// the screen is measured, and the medians are printed as "name value unit"
// lines, for the same clip and for another clip.
//
//   HandOverBench CLIP [ROUNDS]     (needs an X display: run under xvfb-run)
#include "../tests/support/ScriptedPrompt.h"
#include "BenchFigures.h"
#include "app/Startup.h"
#include "core/catalog/CatalogControllers.h"
#include "core/catalog/CatalogDocument.h"
#include "core/catalog/CatalogFiles.h"
#include "core/playback/MediaPlayerControl.h"
#include "gui/catalog/TBookmarksForm.h"
#include "gui/catalog/TBookmarksGrid.h"
#include "gui/main/AppWindows.h"
#include "gui/main/TMainForm.h"
#include "gui/playback/MpvEngine.h"
#include "gui/playback/MpvVideoWidget.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

using BenchFigures::median;
using BenchFigures::print;

namespace {

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: HandOverBench CLIP [ROUNDS]\n");
        return 2;
    }
    const int rounds = argc > 2 ? std::max(1, atoi(argv[2])) : 5;
    QTemporaryDir programDir;
    const QString folder = programDir.path() + QStringLiteral("/VideoClips/");
    QDir().mkpath(folder);
    QDir().mkpath(programDir.path() + QStringLiteral("/VideoCatalogs"));
    const QStringList clips = {QStringLiteral("a.mp4"), QStringLiteral("b.mp4")};
    for (const QString& name : clips)
        QFile::copy(QString::fromLocal8Bit(argv[1]), folder + name);

    // a, a, b, b, a, a, ...: every other hand-over changes the clip.
    CatalogData data;
    for (int i = 0; i < 4 * rounds; ++i) {
        Bookmark b;
        b.name = QStringLiteral("move %1").arg(i + 1);
        const int start = 1 + 2 * (i % 2);
        b.startTime = QStringLiteral("00:00:%1").arg(start, 2, 10, QChar(u'0'));
        b.endTime = QStringLiteral("00:00:%1").arg(start + 1, 2, 10, QChar(u'0'));
        b.fileName = clips[(i / 2) % 2];
        b.folder = folder;
        data.bookmarks.append(b);
    }
    const QString catalogPath = programDir.path() + QStringLiteral("/VideoCatalogs/bench.tvc");
    QString error;
    if (!TVC_WriteCatalogFile(catalogPath, data, &error)) {
        std::fprintf(stderr, "cannot write the catalog: %s\n", qPrintable(error));
        return 1;
    }

    ScriptedPrompt prompt;
    Startup::Options options;
    options.makeEngine = [] { return new MpvEngine(); };
    options.programFolder = programDir.path() + u'/';
    options.userConfigFolder = programDir.path();
    options.endProgram = [] {};
    Startup startup(options);
    if (!startup.start({})) {
        std::fprintf(stderr, "the player does not start\n");
        return 1;
    }
    TMainForm* main = startup.windows().MainForm;
    TBookmarksForm* catalog = startup.windows().BookmarksForm;
    MediaPlayerControl* player = main->player();
    auto* picture = main->findChild<MpvVideoWidget*>();
    if (!picture) {
        std::fprintf(stderr, "no video picture\n");
        return 1;
    }
    prompt.queueFileName(catalogPath);
    if (!startup.catalog()->lifecycle.OpenButtonClick(CatalogLifecycle::Caller::CatalogWindow))
        return 1;

    std::vector<double> sameClip;
    std::vector<double> otherClip;
    QElapsedTimer clock;
    int handingTo = -1; // the row whose first frame is awaited
    QString previousClip;
    bool clipChanged = false;
    QObject::connect(catalog->document(), &CatalogDocument::playingBookmarkChanged, [&] {
        const int row = catalog->document()->PlayingBookmark();
        if (row < 1)
            return;
        const QString clip = catalog->document()->Cells(BookmarkColumn::Filename, row);
        clipChanged = clip != previousClip;
        if (!previousClip.isEmpty()) {
            handingTo = row;
            clock.start();
        }
        previousClip = clip;
    });
    QObject::connect(picture, &MpvVideoWidget::frameRendered, [&] {
        if (handingTo < 1 || player->PlayState() != mpPlaying)
            return;
        const double start = 1 + 2 * ((handingTo - 1) % 2);
        const double at = player->CurrentPosition();
        if (at < start - 0.05 || at > start + 0.5)
            return;
        (clipChanged ? otherClip : sameClip).push_back(clock.nsecsElapsed() / 1e6);
        handingTo = -1;
        // HANDOVER_GRAB=folder saves both windows once, for a look at them
        // while all bookmarks play.
        const QString grabs = qEnvironmentVariable("HANDOVER_GRAB");
        if (!grabs.isEmpty() && sameClip.size() + otherClip.size() == 2) {
            catalog->grab().save(grabs + QStringLiteral("/catalog.png"));
            main->grab().save(grabs + QStringLiteral("/main.png"));
        }
    });

    main->show();
    catalog->show();
    startup.catalog()->grid.goToCell(BookmarkColumn::Name, 1);
    startup.catalog()->playing.togglePlayAll();
    QTimer timeout;
    timeout.setSingleShot(true);
    QObject::connect(&timeout, &QTimer::timeout, &app, &QCoreApplication::quit);
    timeout.start(4 * rounds * 1500 + 20000);
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (!startup.catalog()->playing.PlayingAll())
            app.quit();
    });
    poll.start(20);
    app.exec();

    print("handover_same_clip_median", median(sameClip), "ms");
    print("handover_same_clip_max", sameClip.empty() ? -1 : *std::max_element(sameClip.begin(), sameClip.end()), "ms");
    print("handover_other_clip_median", median(otherClip), "ms");
    print("handover_other_clip_max", otherClip.empty() ? -1 : *std::max_element(otherClip.begin(), otherClip.end()),
          "ms");
    print("handovers_measured", double(sameClip.size() + otherClip.size()), "");
    for (const QString& m : prompt.messages())
        std::fprintf(stderr, "message: %s\n", qPrintable(m));
    return 0;
}
