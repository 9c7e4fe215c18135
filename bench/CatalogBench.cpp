// Catalog file benchmark: makes a catalog of N bookmarks (10,000 unless
// given), saves and opens it in both formats and prints the times (median
// of several runs) and the memory the catalog value takes.
//
//   CatalogBench [N] [RUNS]
//
// "open" is the reading part only: file to catalog value, without filling
// the grid.

#include "core/catalog/CatalogFiles.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <malloc.h>
#include <vector>

namespace {

CatalogData makeCatalog(int count)
{
    static const char* const categories[] = {"Salsa", "Bachata", "Cha-cha", "West Coast Swing", "Tango"};
    CatalogData c;
    c.bookmarks.reserve(count);
    for (int i = 0; i < count; ++i) {
        Bookmark b;
        b.category = QString::fromLatin1(categories[i % 5]);
        b.name = QStringLiteral("Figure %1 with a \"name\", as typed").arg(i);
        b.learn = i % 3 ? QString(QChar(u'a' + i % 4)) : QString();
        b.rating = i % 4 ? QString::number(i % 11) : QString();
        const int start = (i * 7) % 36000;
        b.startTime = QStringLiteral("%1:%2:%3")
                          .arg(start / 3600, 2, 10, QChar(u'0'))
                          .arg(start / 60 % 60, 2, 10, QChar(u'0'))
                          .arg(start % 60, 2, 10, QChar(u'0'));
        b.endTime = i % 10 ? b.startTime : QStringLiteral("--:--:--");
        b.fileName = QStringLiteral("Lesson %1 - part %2.mp4").arg(i / 40).arg(i % 40);
        b.folder = QStringLiteral("/home/dancer/Video Clips/Workshop %1/").arg(i / 400);
        for (int line = 0; line < i % 4; ++line)
            b.description += (line ? QStringLiteral("\r\n") : QString()) +
                             QStringLiteral("Lead prepares on 7, turn on 1; keep the frame, spot the partner.");
        c.bookmarks.append(b);
    }
    return c;
}

size_t heapInUse()
{
    return mallinfo2().uordblks;
}

template <typename Run> double medianMs(int runs, Run run)
{
    std::vector<double> times;
    for (int r = 0; r < runs; ++r) {
        QElapsedTimer timer;
        timer.start();
        run();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

bool benchFormat(const char* name, const QString& path, const CatalogData& catalog, int runs)
{
    const bool native = path.endsWith(QLatin1String(".tvc"));
    bool ok = true;
    const double save = medianMs(runs, [&] {
        QString error;
        ok = ok && (native ? TVC_WriteCatalogFile(path, catalog, &error) : CSV_WriteCatalogFile(path, catalog, &error));
    });
    CatalogReadResult result;
    const double open = medianMs(runs, [&] {
        result = native ? TVC_ReadCatalogFile(path, CatalogData{}) : CSV_ReadCatalogFile(path, CatalogData{});
    });
    ok = ok && result.complete && result.catalog == catalog;

    // What the catalog read from the file takes on the heap.
    result = {};
    malloc_trim(0);
    const size_t before = heapInUse();
    result = native ? TVC_ReadCatalogFile(path, CatalogData{}) : CSV_ReadCatalogFile(path, CatalogData{});
    const size_t after = heapInUse();

    std::printf("%-4s file_size                 %8.2f MB\n", name, QFileInfo(path).size() / 1e6);
    std::printf("%-4s save                      %8.2f ms (target <= 200)\n", name, save);
    std::printf("%-4s open_read_only            %8.2f ms (target <= 300 with the grid filled)\n", name, open);
    std::printf("%-4s catalog_memory            %8.2f MB (target <= 20)\n", name, (after - before) / 1e6);
    if (!ok)
        std::printf("%-4s ERROR: the catalog did not read back as written\n", name);
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int count = argc > 1 ? std::max(1, atoi(argv[1])) : 10000;
    const int runs = argc > 2 ? std::max(1, atoi(argv[2])) : 7;

    malloc_trim(0);
    const size_t before = heapInUse();
    const CatalogData catalog = makeCatalog(count);
    const size_t built = heapInUse();
    std::printf("bookmarks                     %8d\n", count);
    std::printf("catalog_memory_as_built       %8.2f MB\n", (built - before) / 1e6);

    QTemporaryDir dir;
    if (!dir.isValid())
        return 2;
    const bool ok = benchFormat("tvc", dir.filePath(QStringLiteral("bench.tvc")), catalog, runs) &
                    benchFormat("csv", dir.filePath(QStringLiteral("bench.csv")), catalog, runs);
    return ok ? 0 : 1;
}
