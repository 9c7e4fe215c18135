#pragma once

#include <QString>

// The file a catalog is saved to when the user chose `chosen` in the save
// dialog. The extension picks the format, ".tvc" or ".csv" in any letter
// case (CatalogFormat.h); a name with any other extension is taken like one
// without an extension, so that "Class 12.03" or "moves.txt" is not refused:
//   "moves.tvc", "moves.csv", "moves.TVC", "moves.Csv"
//                                 stay as they are;
//   "moves", "moves.", "moves.txt", "Class 12.03"
//                                 get ".tvc" after them ("moves.tvc",
//                                 "moves.txt.tvc").
// When the result differs from `chosen`, the dialog's question about
// replacing a file was about another file: the caller asks again for this
// one.
QString catalogSaveFileName(const QString& chosen);
