#include "Controls.h"
#include "ScriptedPrompt.h"
#include "core/cmdline/BookmarkCommandLine.h"
#include "core/playback/StoredLoopView.h"
#include "gui/cmdline/TCommandLineEntryForm.h"
#include "gui/input/FocusModel.h"
#include "gui/input/FocusSink.h"
#include "gui/widgets/TColourButton.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>

namespace {

class FakeStoredLoopView : public StoredLoopView {
public:
    bool opens = true;
    QStringList openedPaths;
    QStringList loops; // "start-end" per playStoredLoop call

    bool StartVideoClip(const QString& path) override
    {
        openedPaths << path;
        return opens;
    }
    void playStoredLoop(const QString& startDigits, const QString& endDigits, const std::optional<ZoomView>&) override
    {
        loops << startDigits + QLatin1Char('-') + endDigits;
    }
};

} // namespace

class TestCommandLineEntryForm : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void controls();
    void playsAValidLine();
    void widensTheBoxAndPlays();
    void faultyLineShowsItsMessageAndPlaysNothing_data();
    void faultyLineShowsItsMessageAndPlaysNothing();
    void clipThatDoesNotOpenPlaysNoLoop();
    void withoutSenderTheFocusStays();
    void withoutPlayerOnlyChecks();
    void pasteReplacesTheText();
    void aPastedLineBreakIsNoPartOfTheLine();
    void enterAndEscapeEndTextEntryWithoutPlaying();
    void placementsAndBackground();

private:
    QLineEdit* box() const { return child<QLineEdit>(m_form, "CommandLineText"); }
    TColourButton* playButton() const { return child<TColourButton>(m_form, "playCommandLineButton"); }
    TColourButton* pasteButton() const { return child<TColourButton>(m_form, "pasteCommandLineButton"); }
    QString line(const QString& start, const QString& end, const QString& file) const
    {
        return canonicalCommandLine({start, end, file, m_folder});
    }

    QTemporaryDir m_dir;
    QString m_folder;
    TCommandLineEntryForm* m_form = nullptr;
    FakeStoredLoopView* m_player = nullptr;
    ScriptedPrompt* m_prompt = nullptr;
};

void TestCommandLineEntryForm::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_folder = m_dir.path() + QStringLiteral("/my clips/");
    QVERIFY(QDir().mkpath(m_folder));
    QFile clip(m_folder + QStringLiteral("salsa basic.mp4"));
    QVERIFY(clip.open(QIODevice::WriteOnly));
    clip.write("x");
}

void TestCommandLineEntryForm::init()
{
    m_prompt = new ScriptedPrompt;
    m_player = new FakeStoredLoopView;
    m_form = new TCommandLineEntryForm;
    m_form->setStoredLoopView(m_player);
    m_form->show();
    QVERIFY(QTest::qWaitForWindowActive(m_form));
}

void TestCommandLineEntryForm::cleanup()
{
    delete m_form;
    delete m_player;
    delete m_prompt;
}

void TestCommandLineEntryForm::controls()
{
    QCOMPARE(m_form->metaObject()->className(), "TCommandLineEntryForm");
    QCOMPARE(m_form->objectName(), QStringLiteral("CommandLineEntryForm"));
    QCOMPARE(m_form->windowTitle(), QStringLiteral("Command Line Entry"));
    QVERIFY(m_form->isWindow());
    QCOMPARE(pasteButton()->text(), QStringLiteral("paste command line (u)"));
    QCOMPARE(playButton()->text(), QStringLiteral("play command line (i)"));
    QCOMPARE(pasteButton()->accessibleName(), QStringLiteral("paste command line (u)"));
    QVERIFY(!box()->accessibleName().isEmpty());
    QVERIFY(!(playButton()->focusPolicy() & Qt::TabFocus));
    QVERIFY(!(pasteButton()->focusPolicy() & Qt::TabFocus));
}

void TestCommandLineEntryForm::playsAValidLine()
{
    box()->setText(line("00:01:05", "--:--:--", "salsa basic.mp4"));
    box()->setFocus();
    QTest::mouseClick(playButton(), Qt::LeftButton);

    QCOMPARE(m_prompt->messages(), QStringList());
    QCOMPARE(m_player->openedPaths, QStringList{m_folder + "salsa basic.mp4"});
    QCOMPARE(m_player->loops, QStringList{"000105-"});
    QVERIFY(m_form->focusSink()->isActive());
}

void TestCommandLineEntryForm::widensTheBoxAndPlays()
{
    box()->setText("1:02:03 1:02:10 \"salsa basic.mp4\" \"" + m_folder + "\"");
    m_form->playCommandLineButtonClick(playButton());

    QCOMPARE(box()->text(), line("01:02:03", "01:02:10", "salsa basic.mp4"));
    QCOMPARE(m_player->loops, QStringList{"010203-010210"});
}

void TestCommandLineEntryForm::faultyLineShowsItsMessageAndPlaysNothing_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("textAfter");
    QTest::addColumn<int>("error");
    const QString missing = line("00:00:01", "00:00:02", "rumba.mp4");
    QTest::newRow("empty box") << ""
                               << "" << int(CommandLineError::Empty);
    QTest::newRow("blanks only") << "   "
                                 << "   " << int(CommandLineError::WrongArgumentCount);
    QTest::newRow("no-time start") << line("--:--:--", "00:00:02", "salsa basic.mp4")
                                   << line("--:--:--", "00:00:02", "salsa basic.mp4")
                                   << int(CommandLineError::BadStartTime);
    QTest::newRow("widened, then missing file")
        << "1:00:00 00:00:02 rumba.mp4 \"" + m_folder + "\"" << line("01:00:00", "00:00:02", "rumba.mp4")
        << int(CommandLineError::FileMissing);
    QTest::newRow("missing file") << missing << missing << int(CommandLineError::FileMissing);
}

void TestCommandLineEntryForm::faultyLineShowsItsMessageAndPlaysNothing()
{
    QFETCH(QString, text);
    QFETCH(QString, textAfter);
    QFETCH(int, error);

    box()->setText(text);
    m_form->playCommandLineButtonClick(playButton());

    QCOMPARE(m_prompt->messages(), QStringList{commandLineErrorMessage(CommandLineError(error))});
    QVERIFY(m_player->openedPaths.isEmpty());
    QVERIFY(m_player->loops.isEmpty());
    QCOMPARE(box()->text(), textAfter);
    QVERIFY(m_form->focusSink()->isActive());
}

void TestCommandLineEntryForm::clipThatDoesNotOpenPlaysNoLoop()
{
    m_player->opens = false;
    box()->setText(line("00:00:01", "00:00:02", "salsa basic.mp4"));
    m_form->playCommandLineButtonClick();
    QCOMPARE(m_player->openedPaths.size(), 1);
    QVERIFY(m_player->loops.isEmpty());
}

void TestCommandLineEntryForm::withoutSenderTheFocusStays()
{
    box()->setFocus();
    box()->setText(QString());
    m_form->playCommandLineButtonClick();
    QCOMPARE(m_prompt->messages().size(), 1);
    QVERIFY(box()->hasFocus());

    box()->setText(line("00:00:01", "00:00:02", "salsa basic.mp4"));
    m_form->playCommandLineButtonClick();
    QCOMPARE(m_player->loops, QStringList{"000001-000002"});
    QVERIFY(box()->hasFocus());
}

void TestCommandLineEntryForm::withoutPlayerOnlyChecks()
{
    m_form->setStoredLoopView(nullptr);
    box()->setText(line("00:00:01", "00:00:02", "salsa basic.mp4"));
    m_form->playCommandLineButtonClick(playButton());
    QVERIFY(m_prompt->messages().isEmpty());
    QVERIFY(m_player->openedPaths.isEmpty());
}

void TestCommandLineEntryForm::pasteReplacesTheText()
{
    box()->setText(QStringLiteral("old text"));
    box()->setFocus();
    QGuiApplication::clipboard()->setText(QStringLiteral("not a command line"));
    m_form->pasteCommandLineButtonClick();
    QCOMPARE(box()->text(), QStringLiteral("not a command line"));
    QVERIFY(box()->hasFocus());
    QVERIFY(m_prompt->messages().isEmpty());

    QGuiApplication::clipboard()->setText(QString());
    QTest::mouseClick(pasteButton(), Qt::LeftButton);
    QCOMPARE(box()->text(), QString());
    QVERIFY(m_form->focusSink()->isActive());
}

// A line copied from a chat or an e-mail carries its line break: the paste
// key, and Ctrl+V in the box, leave it out, and the line plays.
void TestCommandLineEntryForm::aPastedLineBreakIsNoPartOfTheLine()
{
    const QString canonical = line("00:00:01", "00:00:02", "salsa basic.mp4");
    QGuiApplication::clipboard()->setText(QStringLiteral("  ") + canonical + QStringLiteral("\r\n"));
    m_form->pasteCommandLineButtonClick();
    QCOMPARE(box()->text(), canonical);
    m_form->playCommandLineButtonClick();
    QVERIFY2(m_prompt->messages().isEmpty(), qPrintable(m_prompt->messages().join(u'\n')));
    QCOMPARE(m_player->loops, QStringList{QStringLiteral("000001-000002")});

    box()->clear();
    box()->setFocus();
    QGuiApplication::clipboard()->setText(canonical + QStringLiteral("\n"));
    QTest::keyClick(box(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(box()->text(), canonical);

    // A break that got into the box all the same is left out when played.
    box()->setText(canonical + QStringLiteral("\r\n"));
    QTest::mouseClick(playButton(), Qt::LeftButton);
    QVERIFY(m_prompt->messages().isEmpty());
    QCOMPARE(m_player->loops.size(), 2);
    QCOMPARE(box()->text(), canonical);
}

void TestCommandLineEntryForm::enterAndEscapeEndTextEntryWithoutPlaying()
{
    box()->setText(line("00:00:01", "00:00:02", "salsa basic.mp4"));
    FocusModel* focus = m_form->focusModel();
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        // Typing in the box is text, not commands.
        box()->setFocus(Qt::MouseFocusReason);
        QVERIFY(!focus->keyPreview());
        QVERIFY(!m_form->focusSink()->isActive());
        QCOMPARE(m_form->focusSink()->stateText(), QStringLiteral("text entry active"));
        // As the platform delivers the key, to the window.
        QTest::keyClick(m_form->windowHandle(), key);
        QVERIFY(m_form->focusSink()->isActive());
        QVERIFY(focus->keyPreview());
        QCOMPARE(m_form->focusSink()->stateText(), QStringLiteral("player controls active"));
        QVERIFY(m_form->isVisible());
    }
    QVERIFY(m_player->openedPaths.isEmpty());
    QVERIFY(m_prompt->messages().isEmpty());
    QCOMPARE(box()->text(), line("00:00:01", "00:00:02", "salsa basic.mp4"));
}

void TestCommandLineEntryForm::placementsAndBackground()
{
    QCOMPARE(m_form->size(), QSize(618, 64));
    QCOMPARE(m_form->palette().color(QPalette::Window), QColor(192, 192, 192));
    QCOMPARE(box()->geometry(), QRect(8, 8, 601, 16));
    QVERIFY(!box()->hasFrame());
    QCOMPARE(pasteButton()->geometry(), QRect(8, 32, 121, 25));
    QCOMPARE(playButton()->geometry(), QRect(136, 32, 121, 25));
    // Activating the window hands the keys to its focus sink.
    QVERIFY(m_form->focusSink()->isActive());
}

QTEST_MAIN(TestCommandLineEntryForm)
#include "TestCommandLineEntryForm.moc"
