#include "core/base/ClipTypes.h"

namespace ClipTypes {

namespace {

struct Type {
    const char* extension;
    bool audio;
};

// The program's first eight types, then what else libmpv plays that dancers
// have: phone and camera clips, web downloads, other containers.
const Type kTypes[] = {
    {".mpg", false},  {".mpeg", false},  {".m2p", false},  {".avi", false},  {".mov", false},  {".vob", false},
    {".mp3", true},   {".wav", true},    {".mp4", false},  {".m4v", false},  {".f4v", false},  {".lrv", false},
    {".qt", false},   {".moov", false},  {".qtvr", false}, {".3gp", false},  {".3gpp", false}, {".3g2", false},
    {".3gp2", false}, {".3gpp2", false}, {".mkv", false},  {".webm", false}, {".ogv", false},  {".mpe", false},
    {".m2v", false},  {".divx", false},  {".avf", false},  {".wmv", false},  {".flv", false},  {".mts", false},
    {".m2ts", false}, {".mpga", true},   {".mp2", true},   {".m4a", true},   {".f4a", true},   {".3ga", true},
    {".ogg", true},   {".oga", true},    {".opus", true},  {".flac", true},  {".mka", true},
};

QStringList extensionsWhere(bool all, bool audio)
{
    QStringList list;
    for (const Type& type : kTypes)
        if (all || type.audio == audio)
            list.append(QString::fromLatin1(type.extension));
    return list;
}

} // namespace

const QStringList& videoExtensions()
{
    static const QStringList list = extensionsWhere(false, false);
    return list;
}

const QStringList& audioExtensions()
{
    // ".wav" first, as the open dialog has always listed it.
    static const QStringList list = [] {
        QStringList audio = extensionsWhere(false, true);
        audio.move(audio.indexOf(QStringLiteral(".wav")), 0);
        return audio;
    }();
    return list;
}

const QStringList& extensions()
{
    static const QStringList list = extensionsWhere(true, false);
    return list;
}

bool isClipFileName(const QString& fileName)
{
    const qsizetype dot = fileName.lastIndexOf(u'.');
    if (dot < 0)
        return false;
    const QString extension = fileName.mid(dot).toLower();
    return !extension.contains(u'/') && extensions().contains(extension);
}

QStringList wildcards()
{
    QStringList list;
    for (const QString& extension : extensions())
        list.append(u'*' + extension);
    return list;
}

namespace {

QString patterns(const QStringList& extensions)
{
    QStringList list;
    for (const QString& extension : extensions)
        list.append(u'*' + extension);
    return list.join(u';');
}

} // namespace

QString openDialogFilter()
{
    const QString video = patterns(videoExtensions());
    const QString audio = patterns(audioExtensions());
    return QStringLiteral("Video files (") + video + QStringLiteral(")|") + video + QStringLiteral("|Audio Files (") +
           audio + QStringLiteral(")|") + audio + QStringLiteral("|All Files (*.*)|*.*");
}

const QStringList& desktopMediaTypes()
{
    static const QStringList list{"video/mpeg",      "video/x-msvideo",    "video/quicktime",  "video/mp4",
                                  "video/3gpp",      "video/3gpp2",        "video/x-matroska", "video/webm",
                                  "video/ogg",       "video/x-theora+ogg", "video/x-ms-wmv",   "video/x-flv",
                                  "audio/x-wav",     "audio/mp2",          "audio/mpeg",       "audio/mp4",
                                  "audio/ogg",       "audio/x-vorbis+ogg", "audio/x-opus+ogg", "audio/flac",
                                  "audio/x-matroska"};
    return list;
}

const QStringList& unofferedExtensions()
{
    static const QStringList list{".mts", ".m2ts"};
    return list;
}

} // namespace ClipTypes
