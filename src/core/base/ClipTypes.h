#pragma once

#include <QString>
#include <QStringList>

// The one list of the files the program takes as clips: on the command line
// (and so from the file manager, through the desktop entry), in the open and
// import dialogs, and in a folder's clip list for previous and next clip.
// libmpv plays every one of them.
//
// data/tempoloop.desktop offers the program for the media types below; a
// test holds the two together: every extension the desktop's database gives
// one of those types is on the list, and every type of an extension on the
// list is offered, except where that type also covers files that are no
// clips (see unofferedExtensions()).
namespace ClipTypes {

// Extensions in small letters with their dot, compared without regard to
// letter case: the program's first eight (".mpg", ".mpeg", ".m2p", ".avi",
// ".mov", ".vob", ".mp3", ".wav"), then the others.
const QStringList& extensions();
const QStringList& videoExtensions();
const QStringList& audioExtensions(); // ".wav" and ".mp3" first

// True when `fileName` ends with a clip extension, in any letter case.
bool isClipFileName(const QString& fileName);

// "*.mpg", "*.mpeg", ...: every extension as a wildcard, in list order.
QStringList wildcards();

// The open dialog's filter: "Video files (...)|...|Audio Files (...)|...|
// All Files (*.*)|*.*".
QString openDialogFilter();

// The media types the desktop entry names in its MimeType line, besides the
// catalog's own type.
const QStringList& desktopMediaTypes();

// Extensions on the list whose media type is not offered: the type also
// names files no player opens (Blu-ray index files share the transport
// stream's type).
const QStringList& unofferedExtensions();

} // namespace ClipTypes
