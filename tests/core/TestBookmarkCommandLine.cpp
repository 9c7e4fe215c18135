#include "core/base/SplitArguments.h"
#include "core/cmdline/BookmarkCommandLine.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(CommandLineError)

// Lines name their folder as "%D": a temporary folder (with a blank in its
// name) holding the clip "clip 1.mp4" and a sub-folder "sub".
class TestBookmarkCommandLine : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void check_data();
    void check();
    void widening_data();
    void widening();
    void lineBreaksAreNoPartOfTheLine_data();
    void lineBreaksAreNoPartOfTheLine();
    void canonicalFormSplitsBack();
    void everyErrorHasItsOwnMessage();

private:
    QString expand(QString line) const { return line.replace(QLatin1String("%D"), m_folder); }

    QTemporaryDir m_dir;
    QString m_folder;
};

void TestBookmarkCommandLine::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("Video Clips/sub")));
    m_folder = m_dir.path() + QStringLiteral("/Video Clips/");
    QFile clip(m_folder + QStringLiteral("clip 1.mp4"));
    QVERIFY(clip.open(QIODevice::WriteOnly));
    clip.write("x");
}

void TestBookmarkCommandLine::check_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<CommandLineError>("error");
    QTest::addColumn<QString>("startDigits");
    QTest::addColumn<QString>("endDigits");
    using E = CommandLineError;

    QTest::newRow("canonical") << "00:01:05   00:01:29   \"clip 1.mp4\"   \"%D\"" << E::None << "000105"
                               << "000129";
    QTest::newRow("single blanks and tabs") << "00:01:05 00:01:29\t\"clip 1.mp4\" \"%D\"" << E::None << "000105"
                                            << "000129";
    QTest::newRow("no end time plays to the end") << "00:00:10 --:--:-- \"clip 1.mp4\" \"%D\"" << E::None << "000010"
                                                  << "";
    QTest::newRow("fields of 60 and more pass as they stand")
        << "00:75:99 00:80:00 \"clip 1.mp4\" \"%D\"" << E::None << "007599"
        << "008000";
    QTest::newRow("blank after an unquoted last argument")
        << "00:00:01 00:00:02 \"clip 1.mp4\" \"%D\" " << E::None << "000001"
        << "000002";

    QTest::newRow("empty") << "" << E::Empty << ""
                           << "";
    QTest::newRow("only blanks is not empty") << "   " << E::WrongArgumentCount << ""
                                              << "";
    QTest::newRow("three arguments") << "00:00:01 00:00:02 \"clip 1.mp4\"" << E::WrongArgumentCount << ""
                                     << "";
    QTest::newRow("five arguments") << "00:00:01 00:00:02 a b c" << E::WrongArgumentCount << ""
                                    << "";
    QTest::newRow("unquoted blanks split the name")
        << "00:00:01 00:00:02 clip 1.mp4 \"%D\"" << E::WrongArgumentCount << ""
        << "";

    QTest::newRow("start is the no-time mark") << "--:--:-- 00:00:02 \"clip 1.mp4\" \"%D\"" << E::BadStartTime << ""
                                               << "";
    QTest::newRow("start of another short form") << "12:3:45 00:00:02 \"clip 1.mp4\" \"%D\"" << E::BadStartTime << ""
                                                 << "";
    QTest::newRow("start with letters") << "00:0a:01 00:00:02 \"clip 1.mp4\" \"%D\"" << E::BadStartTime << ""
                                        << "";
    QTest::newRow("start without colons") << "000001 00:00:02 \"clip 1.mp4\" \"%D\"" << E::BadStartTime << ""
                                          << "";
    QTest::newRow("end too long") << "00:00:01 00:00:002 \"clip 1.mp4\" \"%D\"" << E::BadEndTime << ""
                                  << "";
    QTest::newRow("end half a no-time mark") << "00:00:01 --:--:00 \"clip 1.mp4\" \"%D\"" << E::BadEndTime << ""
                                             << "";
    QTest::newRow("both times bad reports the start") << "x y \"clip 1.mp4\" \"%D\"" << E::BadStartTime << ""
                                                      << "";

    QTest::newRow("folder without final separator")
        << "00:00:01 00:00:02 \"clip 1.mp4\" \"%Dsub\"" << E::FolderWithoutSeparator << ""
        << "";
    QTest::newRow("empty quoted folder") << "00:00:01 00:00:02 \"clip 1.mp4\" \"\"" << E::FolderWithoutSeparator << ""
                                         << "";
    QTest::newRow("backslash is no separator")
        << "00:00:01 00:00:02 \"clip 1.mp4\" \"C:\\Clips\\\"" << E::FolderWithoutSeparator << ""
        << "";
    QTest::newRow("folder missing") << "00:00:01 00:00:02 \"clip 1.mp4\" \"%Dnothing/\"" << E::FolderMissing << ""
                                    << "";
    QTest::newRow("file missing") << "00:00:01 00:00:02 \"clip 2.mp4\" \"%D\"" << E::FileMissing << ""
                                  << "";
    QTest::newRow("a folder is no clip") << "00:00:01 00:00:02 \"sub\" \"%D\"" << E::FileMissing << ""
                                         << "";
    QTest::newRow("empty file name") << "00:00:01 00:00:02 \"\" \"%D\"" << E::FileMissing << ""
                                     << "";
}

void TestBookmarkCommandLine::check()
{
    QFETCH(QString, line);
    QFETCH(CommandLineError, error);
    QFETCH(QString, startDigits);
    QFETCH(QString, endDigits);

    const CommandLineCheck result = checkBookmarkCommandLine(expand(line));
    QCOMPARE(result.error, error);
    QCOMPARE(result.ok(), error == CommandLineError::None);
    QCOMPARE(result.rewritten, false);
    QCOMPARE(result.text, expand(line));
    if (result.ok()) {
        QCOMPARE(result.startDigits(), startDigits);
        QCOMPARE(result.endDigits(), endDigits);
        QCOMPARE(result.clipPath(), m_folder + QStringLiteral("clip 1.mp4"));
    }
}

void TestBookmarkCommandLine::widening_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<CommandLineError>("error");
    QTest::addColumn<QString>("text");
    using E = CommandLineError;

    QTest::newRow("both hours widened") << "1:02:03 1:02:10 \"clip 1.mp4\" \"%D\"" << E::None
                                        << "01:02:03   01:02:10   \"clip 1.mp4\"   \"%D\"";
    QTest::newRow("start only") << "1:02:03 --:--:-- \"clip 1.mp4\" \"%D\"" << E::None
                                << "01:02:03   --:--:--   \"clip 1.mp4\"   \"%D\"";
    QTest::newRow("end only") << "00:00:01 9:59:59 \"clip 1.mp4\" \"%D\"" << E::None
                              << "00:00:01   09:59:59   \"clip 1.mp4\"   \"%D\"";
    QTest::newRow("widened line that fails later keeps its new form")
        << "1:00:00 2:00:00 \"gone.mp4\" \"%D\"" << E::FileMissing << "01:00:00   02:00:00   \"gone.mp4\"   \"%D\"";
    // An argument that starts with a quote reads differently once the rewrite
    // has put it in quotes: the new reading no longer has four arguments.
    QTest::newRow("quote in an argument")
        << "1:00:00 \"00:00:02\"\"y \"%D\"" << E::WrongArgumentCount << "01:00:00   00:00:02   \"\"y\"   \"%D\"";
}

void TestBookmarkCommandLine::widening()
{
    QFETCH(QString, line);
    QFETCH(CommandLineError, error);
    QFETCH(QString, text);

    const CommandLineCheck result = checkBookmarkCommandLine(expand(line));
    QCOMPARE(result.error, error);
    QVERIFY(result.rewritten);
    QCOMPARE(result.text, expand(text));
}

// A line copied from a chat or an e-mail brings its line break along; the
// box keeps it, and the line is checked, and shown, without it.
void TestBookmarkCommandLine::lineBreaksAreNoPartOfTheLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<CommandLineError>("error");
    QTest::addColumn<QString>("text");
    using E = CommandLineError;

    const QString canonical = QStringLiteral("00:01:05   00:01:29   \"clip 1.mp4\"   \"%D\"");
    QTest::newRow("CR LF after") << canonical + "\r\n" << E::None << canonical;
    QTest::newRow("LF after, blanks around") << "  " + canonical + " \n" << E::None << canonical;
    QTest::newRow("CR after, single blanks")
        << "00:01:05 00:01:29 \"clip 1.mp4\" \"%D\"\r" << E::None << "00:01:05 00:01:29 \"clip 1.mp4\" \"%D\"";
    QTest::newRow("line break before") << "\r\n" + canonical << E::None << canonical;
    QTest::newRow("wrapped between arguments")
        << "00:01:05   00:01:29\r\n\"clip 1.mp4\"   \"%D\"" << E::None << "00:01:05   00:01:29 \"clip 1.mp4\"   \"%D\"";
    QTest::newRow("widened after the break is gone") << "1:02:03 1:02:10 \"clip 1.mp4\" \"%D\"\n"
                                                     << E::None << "01:02:03   01:02:10   \"clip 1.mp4\"   \"%D\"";
    QTest::newRow("only a line break") << "\r\n" << E::WrongArgumentCount << "";
    QTest::newRow("a wrong line stays wrong") << "00:01:05 00:01:29 \"clip 1.mp4\"\r\n"
                                              << E::WrongArgumentCount << "00:01:05 00:01:29 \"clip 1.mp4\"";
}

void TestBookmarkCommandLine::lineBreaksAreNoPartOfTheLine()
{
    QFETCH(QString, line);
    QFETCH(CommandLineError, error);
    QFETCH(QString, text);

    const CommandLineCheck result = checkBookmarkCommandLine(expand(line));
    QCOMPARE(result.error, error);
    QVERIFY(result.rewritten);
    QCOMPARE(result.text, expand(text));
    if (result.ok())
        QCOMPARE(result.clipPath(), m_folder + QStringLiteral("clip 1.mp4"));
}

void TestBookmarkCommandLine::canonicalFormSplitsBack()
{
    const QStringList arguments = {QStringLiteral("00:00:01"), QStringLiteral("--:--:--"), QStringLiteral("a clip.mpg"),
                                   QStringLiteral("/my clips/")};
    const QString line = canonicalCommandLine(arguments);
    QCOMPARE(line, QStringLiteral("00:00:01   --:--:--   \"a clip.mpg\"   \"/my clips/\""));
    QCOMPARE(SplitArguments(line), arguments);
}

void TestBookmarkCommandLine::everyErrorHasItsOwnMessage()
{
    using E = CommandLineError;
    QVERIFY(commandLineErrorMessage(E::None).isEmpty());
    QCOMPARE(commandLineErrorMessage(E::Empty),
             QStringLiteral("The \"Command Line Entry Box\" must contain some text."));
    QCOMPARE(commandLineErrorMessage(E::FileMissing),
             QStringLiteral("The \"Filename\" (the third argument) does not exist.\nPlease fix, and try again."));
    QSet<QString> seen;
    for (E e : {E::Empty, E::WrongArgumentCount, E::BadStartTime, E::BadEndTime, E::FolderWithoutSeparator,
                E::FolderMissing, E::FileMissing}) {
        const QString message = commandLineErrorMessage(e);
        QVERIFY(!message.isEmpty());
        QVERIFY2(!seen.contains(message), qPrintable(message));
        seen.insert(message);
    }
    // The example in the format message is itself a well-formed line.
    const QString format = commandLineErrorMessage(E::WrongArgumentCount);
    const QStringList example = SplitArguments(format.section(QLatin1Char('\n'), -1));
    QCOMPARE(example.size(), 4);
    QVERIFY(example.at(3).endsWith(QLatin1Char('/')));
    // This platform's folder separator stands where a folder's end is meant.
    QCOMPARE(format.section(QLatin1Char('\n'), -1),
             QStringLiteral("00:01:05   00:01:29   \"videoclip 1.mpg\"   \"/home/user/Video Clips/\""));
    QVERIFY(format.contains(QStringLiteral("with a \"/\" as the last character.")));
    QCOMPARE(commandLineErrorMessage(E::FolderWithoutSeparator),
             QStringLiteral("The \"Folder\" (the fourth argument) must end with a \"/\".\nPlease fix, and try again."));
}

QTEST_GUILESS_MAIN(TestBookmarkCommandLine)
#include "TestBookmarkCommandLine.moc"
