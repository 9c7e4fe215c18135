#pragma once

#include <QString>
#include <QStringView>

// A start or end time as a catalog file holds it. The program writes
// "hh:mm:ss", "hh:mm:ss.mmm" for a precise point, or the no-time mark
// "--:--:--"; a spreadsheet that took the
// field for a time value writes it back the way it shows times. Every such
// form reads back as the time it stands for:
//
//   "00:01:05"   " 00:01:05"   "0:01:05"        the program's own forms
//   "12:01:05 AM"  "1:04:59 PM"  "01:04:59 pm"   12-hour clock
//   "0:01:05.000"  "00:01:05,00"                 seconds with a fraction
//
// Blanks around the time do not count. A fraction of a second is kept to
// the millisecond ("00:01:05.25" reads "00:01:05.250"); a zero fraction is
// a whole second, as a spreadsheet writes one ("0:01:05.000").
struct CatalogTime {
    // "hh:mm:ss", "hh:mm:ss.mmm" or "--:--:--" when the field could be read, else the field
    // as it was given. An empty field stays empty.
    QString text;
    // False for a field that holds no time: a bookmark with it cannot play.
    bool readable = false;
};

CatalogTime readCatalogTime(QStringView field);
