#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>

// One line of a catalog's practice log: one bookmark practised in one
// session of the program (from the catalog's opening until it closes or the
// program ends).
struct PracticeEntry {
    QDateTime began; // the session's first pass of the bookmark began, local time
    QString category;
    QString name;
    int passes = 0;
    double seconds = 0;   // practised in all, at the rates played
    double slowest = 1.0; // the lowest and highest rates of its passes
    double fastest = 1.0;

    bool operator==(const PracticeEntry&) const = default;
};

// A line of a log as read: its bytes as they stood (without the line
// break), and what it says when it is a line of practice. The header,
// lines of a newer program and damaged lines are kept with no entry, and
// are written back byte for byte.
struct PracticeLogLine {
    QByteArray bytes;
    std::optional<PracticeEntry> entry;
};

// The practice log of a catalog, "<catalog file name>.log.csv" beside it:
// UTF-8, a header line, then one comma-separated line per bookmark per
// session, the category and the name quoted as a spreadsheet quotes them.
namespace PracticeLog {

QString pathFor(const QString& catalogPath);
QString header();
// A line of `entry`, without its line break. Line breaks in a name or a
// category become spaces: a line of the log is a line of the file.
QString formatLine(const PracticeEntry& entry);
// The entry of a line; none for a line that is not one (the header, a
// damaged line).
std::optional<PracticeEntry> parseLine(const QString& line);
// A log's bytes, line by line (lines end with LF or CR LF; a line that is
// no UTF-8 is kept, and is no entry).
QList<PracticeLogLine> parse(const QByteArray& bytes);
// The bytes of a log: the lines kept, then the session's lines, each
// ending with LF. A log that starts without the header gets one.
QByteArray compose(const QList<PracticeLogLine>& kept, const QList<PracticeEntry>& session);

} // namespace PracticeLog
