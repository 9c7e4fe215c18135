#include "core/catalog/CatalogFilesCommon.h"

#include "core/base/FileProbe.h"
#include "core/base/TextCodec.h"
#include "core/base/TextFile.h"
#include "core/catalog/NativeCatalogFile.h"
#include "core/catalog/SpreadsheetCatalogFile.h"

#include <QFile>
#include <QFileInfo>

#include <cmath>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace CatalogFilesCommon {

QString corruptedMessage()
{
    return QStringLiteral("Catalog file is corrupted. Please manually fix.");
}

QString corruptedHeaderMessage()
{
    return QStringLiteral("Catalog file is corrupted (HEADER INFO). Please manually fix.");
}

QStringList textLines(const QByteArray& bytes, QList<int>* windows1252Lines)
{
    DecodedText decoded = decodeTextLines(bytes);
    // An older catalog, in that code page throughout, reads as it always
    // has; the lines to check are those of a file that is UTF-8 elsewhere.
    if (decoded.utf8Text)
        *windows1252Lines = std::move(decoded.windows1252Lines);
    else
        windows1252Lines->clear();
    return splitLines(decoded.text);
}

CatalogReadResult emptyResult(const CatalogData& headers)
{
    CatalogReadResult result;
    result.catalog.categoryHeader = headers.categoryHeader;
    result.catalog.nameHeader = headers.nameHeader;
    result.catalog.learnHeader = headers.learnHeader;
    result.catalog.ratingHeader = headers.ratingHeader;
    return result;
}

void setTitles(CatalogData& catalog, const QStringList& titles, qsizetype first)
{
    catalog.categoryHeader = titles[first];
    catalog.nameHeader = titles[first + 1];
    catalog.learnHeader = titles[first + 2];
    catalog.ratingHeader = titles[first + 3];
}

namespace {

// "Line 9", "Lines 9 and 11", "Lines 9, 11 and 13", and past ten numbers
// "Lines 9, 11, ... and 30 more": a file that a spreadsheet gave an extra
// column has a bad line per bookmark, and the first few say enough.
QString whichLines(const QList<int>& lines)
{
    constexpr qsizetype kShown = 10;
    QStringList numbers;
    for (qsizetype i = 0; i < lines.size() && i < kShown; ++i)
        numbers.append(QString::number(lines.at(i)));
    if (lines.size() == 1)
        return QStringLiteral("Line ") + numbers.first();
    if (lines.size() <= kShown)
        return QStringLiteral("Lines ") + numbers.mid(0, numbers.size() - 1).join(QStringLiteral(", ")) +
               QStringLiteral(" and ") + numbers.last();
    return QStringLiteral("Lines ") + numbers.join(QStringLiteral(", ")) +
           QStringLiteral(" and %1 more").arg(lines.size() - kShown);
}

} // namespace

QString unreadLinesMessage(const QList<int>& lines)
{
    if (lines.isEmpty())
        return {};
    return whichLines(lines) +
           QStringLiteral(" of this catalog file could not be read whole.\n"
                          "Their bookmarks show only what could be read (times, clip, level or rating may be "
                          "missing), and saving the catalog keeps them that way.\n"
                          "To keep what those lines hold, close the catalog without saving, fix the lines "
                          "in the file and open it again.");
}

QString windows1252LinesMessage(const QList<int>& lines, const QStringList& texts)
{
    if (lines.isEmpty())
        return {};
    const bool one = lines.size() == 1;
    QString message =
        whichLines(lines) +
        (one ? QStringLiteral(" of this catalog file was not UTF-8 text and was read as Windows-1252, the code "
                              "page of older catalogs.\n"
                              "Please check its accents and other special letters; saving the catalog writes "
                              "it as UTF-8.")
             : QStringLiteral(" of this catalog file were not UTF-8 text and were read as Windows-1252, the code "
                              "page of older catalogs.\n"
                              "Please check their accents and other special letters; saving the catalog writes "
                              "them as UTF-8."));
    if (!texts.isEmpty())
        message += u'\n';
    for (qsizetype i = 0; i < texts.size() && i < lines.size(); ++i)
        message += QStringLiteral("\n  %1: %2").arg(lines.at(i)).arg(texts.at(i));
    return message;
}

void setWindows1252Lines(CatalogReadResult& result, QList<int> numbers, const QStringList& lines)
{
    // A few lines are enough to show what to look for.
    constexpr qsizetype kQuoted = 3;
    constexpr qsizetype kLength = 60;
    result.windows1252Texts.clear();
    for (qsizetype i = 0; i < numbers.size() && i < kQuoted; ++i) {
        QString text = lines.value(numbers.at(i) - 1);
        if (text.size() > kLength)
            text = text.left(kLength) + QStringLiteral("...");
        result.windows1252Texts.append(text);
    }
    result.windows1252Lines = std::move(numbers);
}

namespace {

void append(QString& message, const QString& more)
{
    if (!more.isEmpty())
        message = message.isEmpty() ? more : message + QStringLiteral("\n\n") + more;
}

void nameLines(CatalogReadResult& result)
{
    append(result.message, unreadLinesMessage(result.unreadLines));
    append(result.message, windows1252LinesMessage(result.windows1252Lines, result.windows1252Texts));
}

} // namespace

CatalogReadResult stopped(CatalogReadResult&& result, const QString& message)
{
    result.message = message;
    nameLines(result);
    return std::move(result);
}

void squeeze(Bookmark& b)
{
    for (QString* s :
         {&b.category, &b.name, &b.learn, &b.rating, &b.startTime, &b.endTime, &b.fileName, &b.folder, &b.description})
        s->squeeze();
}

void finish(CatalogReadResult& result)
{
    if (result.catalog.bookmarks.isEmpty())
        result.catalog.bookmarks.append(Bookmark{});
    result.complete = true;
    nameLines(result);
}

QString oneLine(QString text)
{
    if (!text.contains(u'\r') && !text.contains(u'\n'))
        return text;
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(u'\r', u' ');
    text.replace(u'\n', u' ');
    return text;
}

QString firstCharacter(const QString& text)
{
    if (text.size() >= 2 && text[0].isHighSurrogate() && text[1].isLowSurrogate())
        return text.left(2);
    return text.left(1);
}

bool saveText(const QString& path, const QString& text, const QString& message, QString* errorMessage)
{
    if (saveFileAtomically(path, encodeText(text)))
        return true;
    if (errorMessage)
        *errorMessage = message;
    return false;
}

QString unstorableValueMessage(const QString& formatName, qsizetype index, const Bookmark& b, const QString& what)
{
    return QStringLiteral("The %1 version of this file could not be saved.\n"
                          "Bookmark %2 (\"%3\") has %4,\n"
                          "which a %1 catalog file cannot hold.\n"
                          "Please change it, and try again.")
        .arg(formatName)
        .arg(index + 1)
        .arg(b.name, what);
}

QString unstorableLocationMessage(const CatalogData& catalog, const QString& formatName)
{
    const auto breaks = [](const QString& text) { return text.contains(u'\r') || text.contains(u'\n'); };
    for (qsizetype i = 0; i < catalog.bookmarks.size(); ++i) {
        const Bookmark& b = catalog.bookmarks.at(i);
        const bool quote = b.fileName.contains(u'"') || b.folder.contains(u'"');
        if (!quote && !breaks(b.fileName) && !breaks(b.folder))
            continue;
        return QStringLiteral("The %1 version of this file could not be saved.\n"
                              "The clip of bookmark %2 (\"%3\") has a %4 in its file name or folder,\n"
                              "which a catalog file cannot hold.\n"
                              "Please rename the clip or its folder, relink the bookmark, and try again.")
            .arg(formatName)
            .arg(i + 1)
            .arg(b.name, quote ? QStringLiteral("double quote") : QStringLiteral("line break"));
    }
    return {};
}

} // namespace CatalogFilesCommon

namespace {

// The file by its name, the folder on a line of its own: a long path would
// otherwise break the sentence.
QString refusal(const QString& path, const QString& reason)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    return QStringLiteral("The video catalog \"%1\" was not opened:\n%2.\n\nFolder: %3")
        .arg(path.mid(slash + 1), reason, path.left(slash + 1));
}

QString sizeReason(qint64 size)
{
    // Rounded up to a tenth, so that a file just over the limit does not
    // read as the limit itself.
    const double mib = std::ceil(double(size) * 10.0 / (1024.0 * 1024.0)) / 10.0;
    return QStringLiteral("it is %1 MiB, more than the %2 MiB a catalog file may have")
        .arg(QString::number(mib, 'g', 12))
        .arg(kMaxCatalogFileBytes / (1024 * 1024));
}

QString unreadableReason(const QString& systemReason)
{
    return QStringLiteral("it could not be read (%1)").arg(systemReason);
}

// Refuses what is not a plain file, by what the file system says of it.
QString kindReason(const QString& path)
{
#ifdef Q_OS_UNIX
    struct stat facts {};
    if (::stat(QFile::encodeName(path).constData(), &facts) != 0)
        return unreadableReason(qt_error_string(errno));
    if (S_ISREG(facts.st_mode))
        return {};
    if (S_ISDIR(facts.st_mode))
        return QStringLiteral("it is a folder, not a file");
    if (S_ISFIFO(facts.st_mode))
        return QStringLiteral("it is a named pipe, not a file");
    if (S_ISCHR(facts.st_mode) || S_ISBLK(facts.st_mode))
        return QStringLiteral("it is a device, not a file");
    return QStringLiteral("it is not a plain file");
#else
    const QFileInfo info(path);
    if (info.isDir())
        return QStringLiteral("it is a folder, not a file");
    if (!info.isFile())
        return QStringLiteral("it is not a plain file");
    return {};
#endif
}

// Opens the file for reading. On this platform it is opened without
// waiting (a named pipe put in the file's place since it was looked at
// would wait for a writer) and looked at again once open.
bool openFile(QFile& file, const QString& path, QString* reason)
{
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        *reason = unreadableReason(qt_error_string(errno));
        return false;
    }
    struct stat facts {};
    if (::fstat(fd, &facts) != 0 || !S_ISREG(facts.st_mode)) {
        ::close(fd);
        *reason = QStringLiteral("it is not a plain file");
        return false;
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        *reason = unreadableReason(file.errorString());
        return false;
    }
    return true;
#else
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *reason = unreadableReason(file.errorString());
        return false;
    }
    return true;
#endif
}

} // namespace

CatalogFile CatalogFilesCommon::loadFile(const QString& path, CatalogFormat format)
{
    CatalogFile loaded;
    loaded.path = path;
    loaded.format = format;
    const auto refuse = [&loaded](const QString& reason) {
        loaded.access = CatalogFileAccess::Refused;
        loaded.refusal = refusal(loaded.path, reason);
        return loaded;
    };
    // Asked first on a worker: a file on a folder that does not answer (a
    // network share gone away) must not freeze the window.
    if (!FileProbe::facts(path).answered)
        return refuse(QStringLiteral("its folder does not answer (a network share or disk that is gone?)"));
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink()) {
        loaded.access = CatalogFileAccess::Missing;
        return loaded;
    }
    if (const QString reason = kindReason(path); !reason.isEmpty())
        return refuse(reason);
    if (info.size() > kMaxCatalogFileBytes)
        return refuse(sizeReason(info.size()));
    loaded.stamp = FileStamp::of(path);
    QFile file;
    QString reason;
    if (!openFile(file, path, &reason))
        return refuse(reason);
    // A file that grew since it was looked at is cut off one byte past the
    // limit, so that it is refused too.
    loaded.bytes = file.read(kMaxCatalogFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return refuse(unreadableReason(file.errorString()));
    if (loaded.bytes.size() > kMaxCatalogFileBytes) {
        loaded.bytes.clear();
        return refuse(sizeReason(file.size()));
    }
    return loaded;
}

CatalogFile loadCatalogFile(const QString& path)
{
    const CatalogFormat format = catalogFormatOf(path);
    if (format != CatalogFormat::None)
        return CatalogFilesCommon::loadFile(path, format);
    CatalogFile refused;
    refused.path = path;
    refused.access = CatalogFileAccess::Refused;
    refused.refusal =
        refusal(path, QStringLiteral("its name does not end in \".tvc\" or \".csv\", so it is no video catalog"));
    return refused;
}

CatalogReadResult readCatalogFile(const CatalogFile& file, const CatalogData& headers, QChar fallback)
{
    CatalogReadResult result;
    switch (file.access) {
    case CatalogFileAccess::Missing:
        result = CatalogFilesCommon::emptyResult(headers);
        result.access = CatalogFileAccess::Missing;
        return result;
    case CatalogFileAccess::Refused:
        result = CatalogFilesCommon::emptyResult(headers);
        result.access = CatalogFileAccess::Refused;
        result.message = file.refusal;
        return result;
    case CatalogFileAccess::Read:
        break;
    }
    return file.format == CatalogFormat::Native ? TVC_ReadCatalogText(file.bytes, headers)
                                                : CSV_ReadCatalogText(file.bytes, headers, fallback);
}
