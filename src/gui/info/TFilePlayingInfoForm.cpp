#include "gui/info/TFilePlayingInfoForm.h"

#include "core/base/Prompt.h"
#include "core/playback/MediaPlayerControl.h"
#include "gui/input/FocusModel.h"
#include "gui/input/FocusSink.h"
#include "gui/widgets/TColourButton.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

namespace {

const char* const NoClipMessage = "You must first have a video clip loaded in order for this to work.";
const char* const SizeToVideoCaption = "size to original video";
const char* const RestoreSizeCaption = "restore size";

constexpr int LabelLeft = 8;
constexpr int FieldLeft = 104;
constexpr int RowHeight = 21;

} // namespace

TFilePlayingInfoForm::TFilePlayingInfoForm(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint),
      SizeToOriginalVideoButton(
          TColourButton::make("SizeToOriginalVideoButton", QLatin1String(SizeToVideoCaption), this)),
      DisplayCodecNameButton(TColourButton::make("DisplayCodecNameButton", QStringLiteral("display codec name"), this)),
      OK_Button(TColourButton::make("OK_Button", QStringLiteral("OK"), this)), m_focusSink(new FocusSink(this)),
      m_focus(new FocusModel(this, m_focusSink, this))
{
    setObjectName(QStringLiteral("FilePlayingInfoForm"));
    setWindowTitle(QStringLiteral("Video File Info"));
    setFixedSize(485, 248);
    // At 8 points the button captions fit their buttons on one line.
    QFont small = font();
    small.setPointSize(8);
    setFont(small);
    buildFields();

    SizeToOriginalVideoButton->setGeometry(240, 66, 121, RowHeight);
    DisplayCodecNameButton->setGeometry(232, 178, 121, RowHeight);
    DisplayCodecNameButton->setHint(
        QStringLiteral("We recommend you avoid using this feature.\n\nIs it possible that if you have a certain "
                       "codec installed\nand if you press this button, it could cause Tempoloop to crash "
                       "(probably not though.)\nIf that happens we recommend you end the \"tempoloop\" process."));
    OK_Button->setGeometry(213, 214, 65, 25);
    m_focusSink->setGeometry(0, 0, 0, height());
    OK_Button->installEventFilter(this);
    m_focus->watchBackground(this);

    connect(SizeToOriginalVideoButton, &QAbstractButton::clicked, this,
            &TFilePlayingInfoForm::SizeToOriginalVideoButtonClick);
    connect(DisplayCodecNameButton, &QAbstractButton::clicked, this,
            &TFilePlayingInfoForm::DisplayCodecNameButtonClick);
    connect(OK_Button, &QAbstractButton::clicked, this, &TFilePlayingInfoForm::OK_ButtonClick);
}

// Labels on the left, read-only fields beside them; the two buttons stand
// beside the original size and the codec name.
void TFilePlayingInfoForm::buildFields()
{
    auto field = [this](const char* objectName, const QString& label, int top, int width) {
        auto* caption = new QLabel(label, this);
        caption->setAccessibleName(label);
        caption->setGeometry(LabelLeft, top, FieldLeft - LabelLeft - 4, RowHeight);
        auto* box = new QLineEdit(this);
        box->setObjectName(QLatin1String(objectName));
        box->setAccessibleName(label);
        box->setReadOnly(true);
        box->setFocusPolicy(Qt::NoFocus);
        box->setGeometry(FieldLeft, top, width, RowHeight);
        return box;
    };
    const int wide = width() - FieldLeft - LabelLeft;
    ShowVideoPlayingFileName = field("ShowVideoPlayingFileName", QStringLiteral("File Name"), 10, wide);
    ShowVideoPlayingFilePath = field("ShowVideoPlayingFilePath", QStringLiteral("File Path"), 38, wide);
    ShowVideoSize = field("ShowVideoSize", QStringLiteral("Original size"), 66, 128);
    ShowScreenSize = field("ShowScreenSize", QStringLiteral("Display Size"), 94, 128);
    const QString note = QStringLiteral("(This includes any black space in video display area)");
    auto* noteLabel = new QLabel(note, this);
    noteLabel->setAccessibleName(note);
    noteLabel->setWordWrap(true);
    noteLabel->setGeometry(240, 90, width() - 240 - LabelLeft, 30);
    ShowTotalTime = field("ShowTotalTime", QStringLiteral("Total Time"), 122, 128);
    ShowFramesPerSecond = field("ShowFramesPerSecond", QStringLiteral("Frames/Second"), 150, 128);
    ShowCodecName = field("ShowCodecName", QStringLiteral("Codec Name"), 178, 120);
}

namespace {

// A long text shows from its beginning; the field cannot take the focus to
// scroll, so its hint holds the whole text.
void showText(QLineEdit* field, const QString& text)
{
    field->setText(text);
    field->setCursorPosition(0);
    field->setToolTip(text);
}

} // namespace

void TFilePlayingInfoForm::showClipFacts(const QString& fileName, const QString& folder, const QString& videoSize,
                                         const QString& totalTime)
{
    showText(ShowVideoPlayingFileName, fileName);
    showText(ShowVideoPlayingFilePath, folder);
    showText(ShowVideoSize, videoSize);
    showText(ShowTotalTime, totalTime);
    showText(ShowCodecName, QString());
}

QString TFilePlayingInfoForm::framesPerSecondText() const
{
    return ShowFramesPerSecond->text();
}

void TFilePlayingInfoForm::setFramesPerSecondText(const QString& text)
{
    ShowFramesPerSecond->setText(text);
}

void TFilePlayingInfoForm::setScreenSizeText(const QString& text)
{
    ShowScreenSize->setText(text);
}

QString TFilePlayingInfoForm::codecNameText() const
{
    return ShowCodecName->text();
}

bool TFilePlayingInfoForm::clipLoaded() const
{
    return m_player && !m_player->FileName().isEmpty();
}

void TFilePlayingInfoForm::SizeToOriginalVideoButtonClick()
{
    if (!clipLoaded() || !m_main.size || !m_main.resize) {
        prompt().message(QLatin1String(NoClipMessage));
        m_focusSink->takeFocus();
        return;
    }
    if (m_sizedToVideo) {
        SizeToOriginalVideoButton->setText(QLatin1String(SizeToVideoCaption));
        m_sizedToVideo = false;
        m_main.resize(m_sizeBeforeVideo);
    } else {
        SizeToOriginalVideoButton->setText(QLatin1String(RestoreSizeCaption));
        m_sizedToVideo = true;
        m_sizeBeforeVideo = m_main.size();
        // The picture area gets the clip's own size; the panels, the
        // player's strip and the menu bar keep theirs.
        const QSize chrome = m_main.pictureChrome ? m_main.pictureChrome() : QSize();
        m_main.resize(QSize(m_player->ImageSourceWidth(), m_player->ImageSourceHeight()) + chrome);
    }
    // The title update writes the display size field too.
    if (m_main.UpdateMainFormTitleBar)
        m_main.UpdateMainFormTitleBar();
    m_focusSink->takeFocus();
}

void TFilePlayingInfoForm::DisplayCodecNameButtonClick()
{
    if (!clipLoaded()) {
        prompt().message(QLatin1String(NoClipMessage));
        m_focusSink->takeFocus();
        return;
    }
    m_player->setFGrabber_Enabled(true);
    showCodecNameWhenOpened();
    m_player->Open();
    m_focusSink->takeFocus();
}

// Opening goes on without holding the window; the name is there once the
// player reports the clip open again. A clip opened meanwhile by other means
// clears the grabber, and its codec stays unasked for.
void TFilePlayingInfoForm::showCodecNameWhenOpened()
{
    disconnect(m_codecReopen);
    const QString path = m_player->FileName();
    m_codecReopen = connect(m_player, &MediaPlayerControl::loadFinished, this, [this, path](bool opened) {
        disconnect(m_codecReopen);
        if (opened && m_player->FGrabber_Enabled() && m_player->FileName() == path)
            showText(ShowCodecName, m_player->CodecName());
    });
}

void TFilePlayingInfoForm::OK_ButtonClick()
{
    if (std::exchange(m_spaceOnOk, false))
        return;
    SizeToOriginalVideoButton->setText(QLatin1String(SizeToVideoCaption));
    m_sizedToVideo = false;
    hide();
}

bool TFilePlayingInfoForm::eventFilter(QObject* watched, QEvent* event)
{
    // A space on the OK button clicks it when released; that click is not
    // meant to close the window. A press of the mouse means a real click.
    if (watched == OK_Button && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space && !static_cast<QKeyEvent*>(event)->isAutoRepeat())
        m_spaceOnOk = true;
    else if (watched == OK_Button && event->type() == QEvent::MouseButtonPress)
        m_spaceOnOk = false;
    return QWidget::eventFilter(watched, event);
}
