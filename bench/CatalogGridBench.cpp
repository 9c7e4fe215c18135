// Catalog window benchmark: writes a native catalog of N bookmarks (10,000
// unless given), opens it into the catalog window (file to filled grid on
// screen), sorts it by name and scrolls the grid from top to bottom, and
// prints the times (median of several runs) and the memory the open
// catalog adds. Then the recovery of that catalog: what a change costs the
// interface thread (the snapshot taken there; the file is written on a
// worker), the time from a keystroke in the description pane to the
// recovery file on the disk, and the write at the end of a session, which
// must leave time to end within two seconds. Run it on a display
// (bench/run.sh uses xvfb-run).
//
//   CatalogGridBench [N] [RUNS]

#include "core/catalog/BookmarksGridColumns.h"
#include "core/catalog/CatalogControllers.h"
#include "core/catalog/CatalogDocument.h"
#include "core/catalog/CatalogFiles.h"
#include "core/catalog/RecoveryWriter.h"
#include "gui/catalog/TBookmarksForm.h"
#include "gui/catalog/TBookmarksGrid.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <malloc.h>
#include <vector>

namespace {

// The clips exist under `root`, as in a catalog in use: opening checks each
// bookmark's clip.
CatalogData makeCatalog(int count, const QString& root)
{
    static const char* const styles[] = {"Salsa", "Bachata", "Tango", "Lindy Hop", "Kizomba", "Zouk"};
    CatalogData c;
    for (int i = 0; i < count; ++i) {
        Bookmark b;
        b.category = QString::fromLatin1(styles[(i / 7) % 6]);
        // Names in no particular order, so the sort has work to do.
        b.name = QStringLiteral("Move %1").arg((i * 7919) % count);
        b.learn = QString(QChar(u'a' + i % 4));
        b.rating = QString::number(i % 11);
        b.startTime = QStringLiteral("00:%1:%2").arg(i / 60 % 60, 2, 10, QChar(u'0')).arg(i % 60, 2, 10, QChar(u'0'));
        b.endTime = QStringLiteral("--:--:--");
        b.fileName = QStringLiteral("class %1.mp4").arg(i / 50);
        b.folder = root + QStringLiteral("/term %1/").arg(i / 1000);
        if (i % 50 == 0 && QDir().mkpath(b.folder))
            QFile(b.folder + b.fileName).open(QIODevice::WriteOnly);
        if (i % 3 == 0)
            b.description = QStringLiteral("Count it: 1, 2, 3 - 5, 6, 7.\r\nKeep the frame.");
        c.bookmarks.append(b);
    }
    return c;
}

template <typename Run> double medianMs(int runs, Run run)
{
    std::vector<double> times;
    for (int r = 0; r < runs; ++r)
        times.push_back(run());
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

double elapsedMs(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const int count = argc > 1 ? std::max(1, atoi(argv[1])) : 10000;
    const int runs = argc > 2 ? std::max(1, atoi(argv[2])) : 5;

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.tvc"));
    QString error;
    if (!TVC_WriteCatalogFile(path, makeCatalog(count, dir.path()), &error)) {
        std::fprintf(stderr, "cannot write the catalog: %s\n", qPrintable(error));
        return 1;
    }

    TBookmarksForm form;
    CatalogControllers rules(*form.document(), form.gridView(), form, dir.filePath(QStringLiteral("state")));
    form.setControllers(&rules);
    BookmarksGridColumns columns;
    columns.showCategory = true;
    rules.lifecycle.ResetBookmarksGrid(columns);
    form.resize(1100, 600);
    form.show();
    app.processEvents();
    TBookmarksGrid* grid = form.findChild<TBookmarksGrid*>();

    const size_t heapBefore = mallinfo2().uordblks;
    const double open = medianMs(runs, [&] {
        QElapsedTimer timer;
        timer.start();
        rules.lifecycle.openCatalogArgument(path);
        grid->viewport()->repaint();
        return elapsedMs(timer);
    });
    app.processEvents();
    const size_t heapAfter = mallinfo2().uordblks;

    rules.grid.toggleSorting();
    const double sort = medianMs(runs, [&] {
        // Each run sorts the rows from file order again.
        rules.grid.BookmarksGridHeaderClick(BookmarkColumn::Number, false);
        rules.grid.BookmarksGridHeaderClick(BookmarkColumn::Rating, false);
        QElapsedTimer timer;
        timer.start();
        rules.grid.BookmarksGridHeaderClick(BookmarkColumn::Name, false);
        grid->viewport()->repaint();
        return elapsedMs(timer);
    });

    QScrollBar* bar = grid->verticalScrollBar();
    int pages = 0;
    const double scroll = medianMs(runs, [&] {
        pages = 0;
        bar->setValue(0);
        QElapsedTimer timer;
        timer.start();
        for (int v = 0; v <= bar->maximum(); v += std::max(1, bar->pageStep())) {
            bar->setValue(v);
            grid->viewport()->repaint();
            ++pages;
        }
        return elapsedMs(timer);
    });

    RecoveryWriter& recovery = rules.recovery;
    const double snapshot = medianMs(runs, [&] {
        QElapsedTimer timer;
        timer.start();
        const RecoverySnapshot taken = recovery.snapshot();
        return taken.catalog.bookmarks.isEmpty() ? -1.0 : elapsedMs(timer);
    });
    auto* pane = form.findChild<QPlainTextEdit*>(QStringLiteral("DescriptionMemo"));
    int typedRuns = 0;
    double longestTurn = 0;
    const double typedToFile = medianMs(runs, [&] {
        const QByteArray typed = QStringLiteral("typed %1").arg(++typedRuns).toUtf8();
        recovery.discard();
        QElapsedTimer timer;
        timer.start();
        pane->setPlainText(QString::fromUtf8(typed));
        // The worker writes it: the loop runs on while it does.
        while (timer.elapsed() < 5000) {
            QElapsedTimer turn;
            turn.start();
            app.processEvents(QEventLoop::AllEvents, 5);
            longestTurn = std::max(longestTurn, elapsedMs(turn));
            QFile file(recovery.writtenFile());
            if (file.open(QIODevice::ReadOnly) && file.readAll().contains(typed))
                return elapsedMs(timer);
        }
        return -1.0;
    });
    const double sessionEndWrite = medianMs(runs, [&] {
        QElapsedTimer timer;
        timer.start();
        return recovery.writeNow() ? elapsedMs(timer) : -1.0;
    });
    const double recoverySize = double(QFileInfo(recovery.writtenFile()).size()) / (1024.0 * 1024.0);

    std::printf("grid_rows                    %10d\n", form.document()->RowCount() - 1);
    std::printf("grid_open_to_screen          %10.1f ms (target <= 300)\n", open);
    std::printf("grid_sort_by_name            %10.1f ms (target <= 100)\n", sort);
    std::printf("grid_scroll_top_to_bottom    %10.1f ms (%d pages, %.2f ms a page)\n", scroll, pages,
                pages ? scroll / pages : 0.0);
    std::printf("grid_memory_added            %10.1f MB\n", double(heapAfter - heapBefore) / (1024.0 * 1024.0));
    std::printf("recovery_snapshot_ui_thread  %10.1f ms (target <= 16)\n", snapshot);
    std::printf("recovery_typed_to_file       %10.1f ms (target <= 2000)\n", typedToFile);
    std::printf("recovery_longest_ui_turn     %10.1f ms (target <= 33)\n", longestTurn);
    std::printf("recovery_session_end_write   %10.1f ms (target <= 1000)\n", sessionEndWrite);
    std::printf("recovery_file_size           %10.1f MB\n", recoverySize);
    // The rules go before the window: nothing it does on its way out reaches them.
    form.setControllers(nullptr);
    return 0;
}
