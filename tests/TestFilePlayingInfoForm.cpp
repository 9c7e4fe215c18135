// The video file information window on the whole program and the fake
// engine: its fields and placements, sizing the main window to the video and
// back, the codec name found by re-opening the clip, and its OK button.
#include "AppFixture.h"
#include "Controls.h"
#include "gui/info/TFilePlayingInfoForm.h"
#include "gui/input/FocusSink.h"
#include "gui/main/AppWindows.h"
#include "gui/main/PlayerControlsPanel.h"
#include "gui/main/TMainForm.h"
#include "gui/widgets/TColourButton.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

namespace {

const QString kNoClip = QStringLiteral("You must first have a video clip loaded in order for this to work.");
const QString kSizeToVideo = QStringLiteral("size to original video");

} // namespace

class TestFilePlayingInfoForm : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void fieldsAndPlacements();
    void withoutClipTheButtonsOnlySaySo_data();
    void withoutClipTheButtonsOnlySaySo();
    void sizeToVideoThenRestore();
    void sizeToVideoWithTheBottomPanelHidden();
    void okDropsTheSavedSize();
    void codecNameAfterTheClipOpensAgain();
    void anotherClipOpenedMeanwhileGetsNoCodecName();
    void spaceOnOkDoesNotClose();

private:
    TFilePlayingInfoForm* info() const { return m_app->startup->windows().FilePlayingInfoForm; }
    TColourButton* sizeButton() const { return child<TColourButton>(info(), "SizeToOriginalVideoButton"); }
    TColourButton* codecButton() const { return child<TColourButton>(info(), "DisplayCodecNameButton"); }
    TColourButton* okButton() const { return child<TColourButton>(info(), "OK_Button"); }
    QString field(const char* name) const { return child<QLineEdit>(info(), name)->text(); }
    void showInfo()
    {
        info()->show();
        QVERIFY(QTest::qWaitForWindowActive(info()));
    }

    std::unique_ptr<AppFixture> m_app;
    QString m_clip;
};

void TestFilePlayingInfoForm::init()
{
    m_app = std::make_unique<AppFixture>();
    m_app->defaultClip.width = 640;
    m_app->defaultClip.height = 360;
    m_app->defaultClip.decoder = QStringLiteral("h264 (H.264 / AVC / MPEG-4 AVC / MPEG-4 part 10)");
    QVERIFY(m_app->start());
    m_clip = m_app->makeClip(QStringLiteral("salsa basic.mp4"));
    QVERIFY(QTest::qWaitForWindowExposed(m_app->main()));
}

void TestFilePlayingInfoForm::cleanup()
{
    m_app.reset();
}

void TestFilePlayingInfoForm::fieldsAndPlacements()
{
    QCOMPARE(info()->windowTitle(), QStringLiteral("Video File Info"));
    QCOMPARE(info()->size(), QSize(485, 248));
    QCOMPARE(sizeButton()->geometry(), QRect(240, 66, 121, 21));
    QCOMPARE(codecButton()->geometry(), QRect(232, 178, 121, 21));
    QCOMPARE(okButton()->geometry(), QRect(213, 214, 65, 25));
    QCOMPARE(sizeButton()->text(), kSizeToVideo);
    QCOMPARE(codecButton()->text(), QStringLiteral("display codec name"));
    // Nothing in the window is reached by Tab; the fields only show.
    for (QWidget* w : info()->findChildren<QWidget*>())
        QVERIFY2(!(w->focusPolicy() & Qt::TabFocus) || w->objectName() == QLatin1String("focusPanel"),
                 qPrintable(w->objectName()));
    const QStringList labels = {"File Name",  "File Path",     "Original size", "Display Size",
                                "Total Time", "Frames/Second", "Codec Name"};
    for (QLineEdit* box : info()->findChildren<QLineEdit*>()) {
        QVERIFY(box->isReadOnly());
        QVERIFY(labels.contains(box->accessibleName()));
    }
    QStringList shown;
    for (QLabel* label : info()->findChildren<QLabel*>())
        shown << label->text();
    for (const QString& label : labels)
        QVERIFY2(shown.contains(label), qPrintable(label));
    QVERIFY(shown.contains(QStringLiteral("(This includes any black space in video display area)")));

    // Opening a clip fills the fields.
    m_app->openClip(m_clip);
    QCOMPARE(field("ShowVideoPlayingFileName"), QStringLiteral("salsa basic.mp4"));
    QCOMPARE(field("ShowVideoPlayingFilePath"), m_app->clipFolder());
    QCOMPARE(field("ShowVideoSize"), QStringLiteral("640 x 360"));
    QCOMPARE(field("ShowTotalTime"), QStringLiteral("20.00 seconds"));
    QCOMPARE(field("ShowFramesPerSecond"), QStringLiteral("30.00"));
    QVERIFY(field("ShowCodecName").isEmpty());
}

void TestFilePlayingInfoForm::withoutClipTheButtonsOnlySaySo_data()
{
    QTest::addColumn<QString>("button");
    QTest::newRow("size") << "SizeToOriginalVideoButton";
    QTest::newRow("codec") << "DisplayCodecNameButton";
}

void TestFilePlayingInfoForm::withoutClipTheButtonsOnlySaySo()
{
    QFETCH(QString, button);
    showInfo();
    const QSize before = m_app->main()->size();
    QTest::mouseClick(child<TColourButton>(info(), qPrintable(button)), Qt::LeftButton);
    QCOMPARE(m_app->prompt.messages(), QStringList{kNoClip});
    QCOMPARE(m_app->main()->size(), before);
    QCOMPARE(sizeButton()->text(), kSizeToVideo);
    QVERIFY(m_app->engine->loadedPaths().isEmpty());
    QVERIFY(!m_app->player()->FGrabber_Enabled());
    QVERIFY(info()->focusSink()->isActive());
}

void TestFilePlayingInfoForm::sizeToVideoThenRestore()
{
    m_app->openClip(m_clip);
    TMainForm* main = m_app->main();
    main->resize(1000, 700);
    QTRY_COMPARE(main->size(), QSize(1000, 700));
    const QPoint position = main->pos();
    showInfo();

    QTest::mouseClick(sizeButton(), Qt::LeftButton);
    // The picture area gets the clip's own size.
    auto* area = child<QWidget>(main, "pictureArea");
    QTRY_COMPARE(area->size(), QSize(640, 360));
    QCOMPARE(sizeButton()->text(), QStringLiteral("restore size"));
    QVERIFY(info()->sizedToVideo());
    QVERIFY(info()->focusSink()->isActive());
    // The title update wrote the display size, as the title shows it.
    QVERIFY(main->windowTitle().contains(QStringLiteral("Current Video Size: ") + field("ShowScreenSize") + ","));

    QTest::mouseClick(sizeButton(), Qt::LeftButton);
    QTRY_COMPARE(main->size(), QSize(1000, 700));
    QCOMPARE(main->pos(), position);
    QCOMPARE(sizeButton()->text(), kSizeToVideo);
    QVERIFY(!info()->sizedToVideo());
    QVERIFY(m_app->prompt.messages().isEmpty());
}

void TestFilePlayingInfoForm::sizeToVideoWithTheBottomPanelHidden()
{
    m_app->openClip(m_clip);
    TMainForm* main = m_app->main();
    auto* area = child<QWidget>(main, "pictureArea");
    QTest::mouseClick(sizeButton(), Qt::LeftButton);
    QTRY_COMPARE(area->size(), QSize(640, 360));
    const int withPanel = main->height();
    QTest::mouseClick(sizeButton(), Qt::LeftButton);

    child<QAction>(main, "Hidden1")->trigger();
    QVERIFY(!child<QWidget>(main, "PlayerControlsPanel")->isVisibleTo(main));
    QTest::mouseClick(sizeButton(), Qt::LeftButton);
    QTRY_COMPARE(area->size(), QSize(640, 360));
    QCOMPARE(main->height(), withPanel - PlayerControlsPanel::Height);
}

void TestFilePlayingInfoForm::okDropsTheSavedSize()
{
    m_app->openClip(m_clip);
    TMainForm* main = m_app->main();
    main->resize(1000, 700);
    QTRY_COMPARE(main->size(), QSize(1000, 700));
    showInfo();
    auto* area = child<QWidget>(main, "pictureArea");
    QTest::mouseClick(sizeButton(), Qt::LeftButton);
    QTRY_COMPARE(area->size(), QSize(640, 360));
    const QSize videoSized = main->size();

    QTest::mouseClick(okButton(), Qt::LeftButton);
    QVERIFY(info()->isHidden());
    QCOMPARE(main->size(), videoSized);

    showInfo();
    QCOMPARE(sizeButton()->text(), kSizeToVideo);
    // The next click sizes to the video again; there is nothing to restore.
    main->resize(900, 650);
    QTRY_COMPARE(main->size(), QSize(900, 650));
    QTest::mouseClick(sizeButton(), Qt::LeftButton);
    QTRY_COMPARE(main->size(), videoSized);
}

void TestFilePlayingInfoForm::codecNameAfterTheClipOpensAgain()
{
    m_app->openClip(m_clip);
    showInfo();
    QTest::mouseClick(codecButton(), Qt::LeftButton);
    // The clip is opened again with the grabber on; the window does not wait.
    QCOMPARE(m_app->engine->loadedPaths(), QStringList({m_clip, m_clip}));
    QVERIFY(m_app->player()->FGrabber_Enabled());
    QVERIFY(field("ShowCodecName").isEmpty());
    QVERIFY(info()->focusSink()->isActive());
    QVERIFY(m_app->engine->finishLoad());
    QCOMPARE(field("ShowCodecName"), m_app->defaultClip.decoder);
    // The field is too narrow for the whole name; its hint holds it.
    QCOMPARE(child<QLineEdit>(info(), "ShowCodecName")->toolTip(), m_app->defaultClip.decoder);
    // The re-open is not a new clip: the other fields and the loop stay.
    QCOMPARE(field("ShowVideoPlayingFileName"), QStringLiteral("salsa basic.mp4"));

    // The next clip clears the grabber and the field.
    const QString other = m_app->makeClip(QStringLiteral("rumba.mp4"));
    m_app->openClip(other);
    QVERIFY(!m_app->player()->FGrabber_Enabled());
    QVERIFY(field("ShowCodecName").isEmpty());
    QVERIFY(child<QLineEdit>(info(), "ShowCodecName")->toolTip().isEmpty());
}

void TestFilePlayingInfoForm::anotherClipOpenedMeanwhileGetsNoCodecName()
{
    m_app->openClip(m_clip);
    QTest::mouseClick(codecButton(), Qt::LeftButton);
    const QString other = m_app->makeClip(QStringLiteral("rumba.mp4"));
    m_app->openClip(other);
    QCOMPARE(m_app->player()->FileName(), other);
    QVERIFY(field("ShowCodecName").isEmpty());
    // A later re-open of the same clip by other means fills nothing either.
    m_app->player()->Open();
    m_app->engine->finishLoad();
    QVERIFY(field("ShowCodecName").isEmpty());
}

void TestFilePlayingInfoForm::spaceOnOkDoesNotClose()
{
    showInfo();
    okButton()->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(okButton(), Qt::Key_Space);
    QVERIFY(info()->isVisible());
    // The mark is spent: a click closes the window.
    QTest::mouseClick(okButton(), Qt::LeftButton);
    QVERIFY(info()->isHidden());
}

QTEST_MAIN(TestFilePlayingInfoForm)
#include "TestFilePlayingInfoForm.moc"
