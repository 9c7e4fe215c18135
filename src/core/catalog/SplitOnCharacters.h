#pragma once

#include <QStringList>
#include <QStringView>

// Splits `text` at every character found in `characters`; those characters
// are dropped and only non-empty pieces are kept. ",,7" at "," gives "7";
// "b,7" gives "b" and "7".
QStringList SplitOnCharacters(QStringView text, QStringView characters);
