#include "AppFixture.h"
#include "Controls.h"
#include "ScriptedPrompt.h"
#include "gui/help/AboutPictures.h"
#include "gui/help/HelpMenu.h"
#include "gui/help/TAboutForm.h"
#include "gui/help/TQuickStartGuideForm.h"
#include "gui/main/AppWindows.h"
#include "gui/prompt/DesktopServices.h"
#include "gui/widgets/TColourButton.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextList>

namespace {

// Records what would have been opened and answers with `result`.
struct RecordingOpener {
    QList<QUrl> opened;
    bool result = true;
    RecordingOpener()
    {
        DesktopServices::setUrlOpener([this](const QUrl& url) {
            opened.append(url);
            return result;
        });
    }
    ~RecordingOpener() { DesktopServices::setUrlOpener({}); }
};

QString folderOf(const QTemporaryDir& dir)
{
    return dir.path() + u'/';
}

void copyDocument(const QString& name, const QString& folder)
{
    QVERIFY(QFile::copy(QStringLiteral(TEMPOLOOP_DOCS "/") + name, folder + name));
}

} // namespace

class TestHelpWindows : public QObject {
    Q_OBJECT
private slots:
    void guideShowsTheDocumentBesideTheProgram()
    {
        QTemporaryDir dir;
        copyDocument(TQuickStartGuideForm::guideFileName(), folderOf(dir));
        TQuickStartGuideForm guide(folderOf(dir));
        QVERIFY(guide.guideLoaded());
        const QTextDocument* document = guide.RichEdit1->document();
        QVERIFY(document->toPlainText().contains(QLatin1String("Press g where the figure starts")));
        QCOMPARE(document->firstBlock().text(), QStringLiteral("Tempoloop Quick Start Guide"));
        QCOMPARE(document->firstBlock().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        QCOMPARE(document->firstBlock().begin().fragment().charFormat().fontPointSize(), 20.0);
        // Bullets become lists, one list per run of items; coloured words
        // keep their colour and weight.
        int listed = 0;
        QSet<QTextList*> lists;
        bool greenBold = false;
        for (QTextBlock b = document->firstBlock(); b.isValid(); b = b.next()) {
            if (b.textList()) {
                ++listed;
                lists.insert(b.textList());
            }
            for (auto it = b.begin(); !it.atEnd(); ++it) {
                const QTextFragment f = it.fragment();
                if (f.text() == QLatin1String("command"))
                    greenBold = f.charFormat().fontWeight() == QFont::Bold &&
                                f.charFormat().foreground().color() == QColor(0, 128, 0);
            }
        }
        QVERIFY(listed >= 10);
        QVERIFY(lists.size() >= 5);
        QVERIFY(greenBold);
    }

    void missingGuideShowsTheRedNotice()
    {
        QTemporaryDir dir;
        TQuickStartGuideForm guide(folderOf(dir));
        QVERIFY(!guide.guideLoaded());
        const QStringList lines = guide.RichEdit1->toPlainText().split(u'\n');
        QCOMPARE(lines,
                 (QStringList{QStringLiteral("The Quick Start Guide is missing."), QString(),
                              QStringLiteral("Please make sure the file \"Quick_Start_Guide.rtf\" is in the folder:"),
                              folderOf(dir)}));
        QTextCursor last(guide.RichEdit1->document());
        last.movePosition(QTextCursor::End);
        QCOMPARE(last.charFormat().foreground().color(), QColor(Qt::red));
        QCOMPARE(guide.RichEdit1->font().pointSize(), 14);
    }

    // Start-up gives the guide the program's folder; the Help menu shows it
    // with the focus on its text, and finds the manual there too.
    void helpMenuThroughTheMainWindow()
    {
        AppFixture app;
        QVERIFY(app.start());
        AppWindows& w = app.startup->windows();
        QVERIFY(w.QuickStartGuideForm->RichEdit1->toPlainText().endsWith(app.programFolder()));
        w.QuickStartGuideForm->hide();
        child<QAction>(app.main(), "QuickStartGuide1")->trigger();
        QVERIFY(w.QuickStartGuideForm->isVisible());
        QVERIFY(QTest::qWaitForWindowActive(w.QuickStartGuideForm));
        QCOMPARE(QApplication::focusWidget(), w.QuickStartGuideForm->RichEdit1);

        RecordingOpener opener;
        app.prompt.clear();
        child<QAction>(app.main(), "UserManual1")->trigger();
        QCOMPARE(app.prompt.messages(), QStringList{HelpMenu::missingManualMessage(app.programFolder())});
        QVERIFY(app.prompt.lastMessage().endsWith(
            QStringLiteral("\"Tempoloop_1.00_User_Manual.htm\" is in the folder:\n") + app.programFolder()));
        QVERIFY(opener.opened.isEmpty());

        copyDocument(HelpMenu::userManualFileName(), app.programFolder());
        app.prompt.clear();
        child<QAction>(app.main(), "UserManual1")->trigger();
        QVERIFY(app.prompt.messages().isEmpty());
        QCOMPARE(opener.opened, QList<QUrl>{QUrl::fromLocalFile(app.programFolder() + HelpMenu::userManualFileName())});

        // A desktop without a program for it: the user is told.
        opener.result = false;
        child<QAction>(app.main(), "UserManual1")->trigger();
        QCOMPARE(app.prompt.messages().size(), 1);
    }

    void printing_data()
    {
        QTest::addColumn<Prompt::Answer>("answer");
        QTest::addColumn<bool>("chooserAccepts");
        QTest::addColumn<bool>("printed");
        QTest::newRow("no") << Prompt::Answer::No << true << false;
        QTest::newRow("yes, dialog cancelled") << Prompt::Answer::Yes << false << false;
        QTest::newRow("yes, to a PDF file") << Prompt::Answer::Yes << true << true;
    }
    void printing()
    {
        QFETCH(Prompt::Answer, answer);
        QFETCH(bool, chooserAccepts);
        QFETCH(bool, printed);
        ScriptedPrompt prompt;
        QTemporaryDir dir;
        copyDocument(TQuickStartGuideForm::guideFileName(), folderOf(dir));
        TQuickStartGuideForm guide(folderOf(dir));
        guide.show();
        QVERIFY(QTest::qWaitForWindowActive(&guide));
        guide.PrintButton->setFocus();

        const QString pdf = folderOf(dir) + QStringLiteral("guide.pdf");
        int chooserCalls = 0;
        QString jobTitle;
        DesktopServices::setPrinterChooser([&](QPrinter& printer, QWidget*) {
            ++chooserCalls;
            jobTitle = printer.docName();
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            return chooserAccepts;
        });
        prompt.queueAnswer(answer);
        QTest::mouseClick(guide.PrintButton, Qt::LeftButton);
        DesktopServices::setPrinterChooser({});

        QCOMPARE(prompt.shown().size(), 1);
        QCOMPARE(prompt.shown().first().kind, QStringLiteral("yesno"));
        QCOMPARE(prompt.shown().first().text, QStringLiteral("Print the Quick Start Guide?"));
        QCOMPARE(chooserCalls, answer == Prompt::Answer::Yes ? 1 : 0);
        if (chooserCalls)
            QCOMPARE(jobTitle, QStringLiteral("Tempoloop Quick Start Guide"));
        QFile file(pdf);
        QCOMPARE(file.exists(), printed);
        if (printed) {
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray bytes = file.readAll();
            QVERIFY(bytes.startsWith("%PDF"));
            QVERIFY(bytes.size() > 2000);
        }
        QCOMPARE(QApplication::focusWidget(), guide.RichEdit1);
    }

    void printingThatFailsIsReported()
    {
        ScriptedPrompt prompt;
        QTemporaryDir dir;
        TQuickStartGuideForm guide(folderOf(dir));
        DesktopServices::setPrinterChooser([&](QPrinter& printer, QWidget*) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(folderOf(dir) + QStringLiteral("no/such/folder/guide.pdf"));
            return true;
        });
        prompt.queueAnswer(Prompt::Answer::Yes);
        guide.PrintButtonClick();
        DesktopServices::setPrinterChooser({});
        QCOMPARE(prompt.lastMessage(), QStringLiteral("The Quick Start Guide could not be printed."));
    }

    void aboutBox()
    {
        TAboutForm about;
        QCOMPARE(about.windowTitle(), QStringLiteral("About Tempoloop"));
        QCOMPARE(about.size(), QSize(674, 242));
        for (TPicture* image : {about.Image1, about.Image2}) {
            QCOMPARE(image->size(), QSize(250, 161));
            QVERIFY(!image->pixmap().isNull());
            QVERIFY(!image->accessibleName().isEmpty());
        }
        QVERIFY(about.Image1->x() < about.ProgramName->x());
        QVERIFY(about.Image2->x() > about.ProgramName->x());
        QVERIFY(about.Image3->y() > about.ProgramName->y() && about.Image3->y() < about.VersionLabel->y());
        QCOMPARE(about.Label5->toolTip(), QStringLiteral("visit the Tempoloop website"));
        for (QLabel* label : about.findChildren<QLabel*>()) {
            if (!label->text().isEmpty())
                QCOMPARE(label->accessibleName(), label->text());
        }

        RecordingOpener opener;
        about.show();
        QVERIFY(QTest::qWaitForWindowActive(&about));
        QVERIFY(about.Panel3->hasFocus());
        QTest::mouseClick(about.Label5, Qt::LeftButton);
        QTest::mouseClick(about.Label4, Qt::LeftButton);
        about.Label4->setFocus();
        QTest::keyClick(about.Label4, Qt::Key_Return);
        QCOMPARE(opener.opened, (QList<QUrl>{QUrl(TAboutForm::productAddress()), QUrl(TAboutForm::makerAddress()),
                                             QUrl(TAboutForm::makerAddress())}));
        QTest::mouseClick(about.OK_Button, Qt::LeftButton);
        QVERIFY(about.isHidden());
    }
};

QTEST_MAIN(TestHelpWindows)
#include "TestHelpWindows.moc"
