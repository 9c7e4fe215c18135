#include "core/base/Arguments.h"
#include "core/base/ClipTypes.h"
#include "core/base/FolderClipList.h"

#include <QFile>
#include <QMimeDatabase>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

// The clip types the program takes and the media types its desktop entry
// offers it for are one list: a file the file manager opens with Tempoloop
// is a clip Tempoloop plays, never "Unrecognized file type".

namespace {

// data/ lies beside docs/ in the source tree.
const QString kDesktopEntry = QStringLiteral(TEMPOLOOP_DOCS "/../data/tempoloop.desktop");
const QString kCatalogType = QStringLiteral("application/x-tempoloop-catalog");

QStringList desktopMimeTypes()
{
    QFile file(kDesktopEntry);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    const QRegularExpression line(QStringLiteral("^MimeType=(.*)$"), QRegularExpression::MultilineOption);
    const QRegularExpressionMatch m = line.match(QString::fromUtf8(file.readAll()));
    return m.hasMatch() ? m.captured(1).split(u';', Qt::SkipEmptyParts) : QStringList();
}

// The offered type that `type` is, by name or by one of its aliases.
bool isOffered(const QMimeType& type)
{
    const QMimeDatabase db;
    for (const QString& offered : ClipTypes::desktopMediaTypes())
        if (db.mimeTypeForName(offered) == type)
            return true;
    return false;
}

} // namespace

class TestClipTypes : public QObject {
    Q_OBJECT

private slots:
    void desktopEntryOffersTheListedTypes()
    {
        const QStringList inFile = desktopMimeTypes();
        QVERIFY2(!inFile.isEmpty(), qPrintable(kDesktopEntry));
        QStringList expected = ClipTypes::desktopMediaTypes();
        expected.prepend(kCatalogType);
        QCOMPARE(QSet<QString>(inFile.begin(), inFile.end()), QSet<QString>(expected.begin(), expected.end()));
        QCOMPARE(inFile.size(), expected.size());
    }

    // Every file of an offered type opens as a clip: from the file manager
    // (the program's argument), in the open dialog and in the folder's clip
    // list.
    void everyFileOfAnOfferedTypeIsAClip()
    {
        const QMimeDatabase db;
        const QString filter = ClipTypes::openDialogFilter();
        for (const QString& name : ClipTypes::desktopMediaTypes()) {
            const QMimeType type = db.mimeTypeForName(name);
            QVERIFY2(type.isValid(), qPrintable(name));
            for (const QString& suffix : type.suffixes()) {
                const QString file = QStringLiteral("/v/clip.") + suffix;
                const QString what = name + QStringLiteral(": .") + suffix;
                QVERIFY2(ClipTypes::isClipFileName(file), qPrintable(what));
                QCOMPARE(classifyArguments({file}), ArgumentKind::Clip);
                QCOMPARE(classifyArguments({file.toUpper()}), ArgumentKind::Clip);
                QVERIFY2(filter.contains(QStringLiteral("*.") + suffix + u';') ||
                             filter.contains(QStringLiteral("*.") + suffix + u')'),
                         qPrintable(what));
            }
        }
    }

    // ... and the other way round: each clip type's media type is offered,
    // unless that type also names files that are no clips.
    void everyClipTypeIsOffered()
    {
        const QMimeDatabase db;
        for (const QString& extension : ClipTypes::extensions()) {
            const QMimeType type =
                db.mimeTypeForFile(QStringLiteral("clip") + extension, QMimeDatabase::MatchExtension);
            if (type.isDefault())
                continue; // the desktop knows no type for it
            const bool unoffered = ClipTypes::unofferedExtensions().contains(extension);
            QVERIFY2(isOffered(type) != unoffered, qPrintable(extension + QStringLiteral(" is ") + type.name()));
        }
    }

    void folderClipListTakesEveryType()
    {
        QTemporaryDir dir;
        const QString folder = dir.path() + u'/';
        QStringList expected;
        for (const char* name : {"a.ogv", "b.OPUS", "c.mpe", "d.qt", "e.divx", "f.m2v", "g.oga", "h.mp4"}) {
            QFile file(folder + QString::fromLatin1(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            expected.append(file.fileName());
        }
        QFile other(folder + QStringLiteral("notes.txt"));
        QVERIFY(other.open(QIODevice::WriteOnly));
        FolderClipList list;
        list.LoadAllFileTypes(folder);
        QCOMPARE(list.entries(), expected);
    }

    void dialogFilterListsVideoThenAudio()
    {
        const QString filter = ClipTypes::openDialogFilter();
        QVERIFY(filter.startsWith(QStringLiteral("Video files (*.mpg;*.mpeg;*.m2p;*.avi;*.mov;*.vob;*.mp4;")));
        QVERIFY(filter.contains(QStringLiteral("|Audio Files (*.wav;*.mp3;")));
        QVERIFY(filter.endsWith(QStringLiteral("|All Files (*.*)|*.*")));
        QCOMPARE(filter.count(u'|'), 5);
    }
};

QTEST_GUILESS_MAIN(TestClipTypes)
#include "TestClipTypes.moc"
