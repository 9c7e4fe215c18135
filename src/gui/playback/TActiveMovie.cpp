#include "gui/playback/TActiveMovie.h"

#include "gui/beats/BeatSeekBar.h"

#include "core/base/TimeCode.h"
#include "core/playback/MediaPlayerControl.h"
#include "core/playback/PictureFit.h"
#include "core/playback/PlaybackEngine.h"
#include "gui/playback/MpvVideoWidget.h"
#include "gui/playback/VideoSurfaceSource.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QSlider>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWindow>
#include <cmath>

namespace {

bool isModifierKey(int key)
{
    switch (key) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Meta:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
        return true;
    default:
        return false;
    }
}

QString clock(double seconds)
{
    return insertColonsIntoString(determineColonStringFromSeconds(int(std::floor(std::max(0.0, seconds)))));
}

} // namespace

TActiveMovie::TActiveMovie(PlaybackEngine* engine, QWidget* parent)
    : QWidget(parent), m_control(new MediaPlayerControl(engine, this))
{
    setObjectName(QStringLiteral("ActiveMovie1"));
    setAccessibleName(tr("Video player"));
    setFocusPolicy(Qt::ClickFocus);

    m_pictureArea = new QWidget(this);
    m_pictureArea->setObjectName(QStringLiteral("pictureArea"));
    m_pictureArea->setAutoFillBackground(true);
    QPalette black = m_pictureArea->palette();
    black.setColor(QPalette::Window, Qt::black);
    m_pictureArea->setPalette(black);
    m_pictureArea->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    m_pictureArea->installEventFilter(this);

    if (auto* source = dynamic_cast<VideoSurfaceSource*>(engine))
        m_picture = source->createVideoSurface(m_pictureArea);
    if (!m_picture)
        m_picture = new QWidget(m_pictureArea);
    m_picture->setObjectName(QStringLiteral("picture"));
    m_picture->setAccessibleName(tr("Video picture"));
    m_picture->setAutoFillBackground(true);
    m_picture->setPalette(black);
    m_picture->installEventFilter(this);

    buildStrip();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_pictureArea, 1);
    layout->addWidget(m_strip);

    connect(m_control, &MediaPlayerControl::pictureFullScreenChanged, this, &TActiveMovie::setPictureFullScreen);
    connect(m_control, &MediaPlayerControl::displaySizeChanged, this, &TActiveMovie::placePicture);
    // Each clip starts whole.
    connect(m_control, &MediaPlayerControl::loadFinished, this, [this] {
        if (MpvVideoWidget* picture = mpvPicture())
            picture->showWholePicture();
    });
    connect(m_control, &MediaPlayerControl::loadFinished, this, &TActiveMovie::placePicture);
    if (MpvVideoWidget* picture = mpvPicture()) {
        connect(picture, &MpvVideoWidget::clicked, this, [this] {
            if (m_clickToPlay)
                togglePlay();
        });
        connect(picture, &MpvVideoWidget::zoomedByUser, this, [this] { emit pictureZoomed(pictureZoom()); });
    }
}

// The picture's place in its area follows the display size (placedPicture).
void TActiveMovie::placePicture()
{
    const QSize clip(m_control->ImageSourceWidth(), m_control->ImageSourceHeight());
    m_picture->setGeometry(placedPicture(clip, m_pictureArea->rect(), m_control->DisplaySize(), m_pictureFullScreen));
    if (MpvVideoWidget* picture = mpvPicture())
        picture->setPictureSize(clip);
}

MpvVideoWidget* TActiveMovie::mpvPicture() const
{
    return qobject_cast<MpvVideoWidget*>(m_picture);
}

void TActiveMovie::zoomPicture(ZoomStep step)
{
    MpvVideoWidget* picture = mpvPicture();
    if (picture && picture->zoom(step))
        emit pictureZoomed(pictureZoom());
}

void TActiveMovie::showWholePicture()
{
    MpvVideoWidget* picture = mpvPicture();
    if (picture && picture->showWholePicture())
        emit pictureZoomed(pictureZoom());
}

ZoomView TActiveMovie::pictureZoom() const
{
    const MpvVideoWidget* picture = mpvPicture();
    return picture ? picture->pictureZoom().view() : ZoomView{};
}

void TActiveMovie::showZoom(const ZoomView& view)
{
    if (MpvVideoWidget* picture = mpvPicture())
        picture->showZoom(view);
}

TActiveMovie::~TActiveMovie()
{
    if (m_pictureFullScreen)
        qApp->removeEventFilter(this);
}

void TActiveMovie::buildStrip()
{
    m_strip = new QWidget(this);
    m_strip->setObjectName(QStringLiteral("playerStrip"));
    m_strip->setFixedHeight(StripHeight);

    m_seekBar = new BeatSeekBar(m_strip);
    m_seekBar->setObjectName(QStringLiteral("seekBar"));
    m_seekBar->setAccessibleName(tr("Position"));
    m_seekBar->setFocusPolicy(Qt::NoFocus);
    m_seekBar->setRange(0, 0);

    m_playButton = new QToolButton(m_strip);
    m_playButton->setObjectName(QStringLiteral("stripPlayButton"));
    m_playButton->setFocusPolicy(Qt::NoFocus);
    m_playButton->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
    m_playButton->setAccessibleName(tr("Play"));

    m_timeLabel = new QLabel(clock(0) + " / " + clock(0), m_strip);
    m_timeLabel->setObjectName(QStringLiteral("timeLabel"));

    auto* volumeLabel = new QLabel(tr("Volume"), m_strip);
    m_volume = new QSlider(Qt::Horizontal, m_strip);
    m_volume->setObjectName(QStringLiteral("volume"));
    m_volume->setAccessibleName(tr("Volume"));
    m_volume->setFocusPolicy(Qt::NoFocus);
    m_volume->setRange(0, 100);
    m_volume->setValue(m_control->engine()->volume());
    m_volume->setMaximumWidth(100);

    auto* layout = new QVBoxLayout(m_strip);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->addWidget(m_seekBar);
    auto* row = new QHBoxLayout;
    row->addWidget(m_playButton);
    row->addWidget(m_timeLabel);
    row->addStretch(1);
    row->addWidget(volumeLabel);
    row->addWidget(m_volume);
    layout->addLayout(row);

    connect(m_playButton, &QToolButton::clicked, this, &TActiveMovie::togglePlay);
    connect(m_seekBar, &QSlider::sliderPressed, this, [this] { m_userSeeking = true; });
    connect(m_seekBar, &QSlider::sliderReleased, this, [this] {
        m_userSeeking = false;
        m_control->setCurrentPosition(m_seekBar->value() / 10.0);
    });
    connect(m_seekBar, &QSlider::actionTriggered, this, [this](int action) {
        if (action != QAbstractSlider::SliderMove)
            QTimer::singleShot(0, this, [this] { m_control->setCurrentPosition(m_seekBar->value() / 10.0); });
    });
    connect(m_volume, &QSlider::valueChanged, this, [this](int v) { m_control->engine()->setVolume(v); });

    // The strip follows playback four times a second; it reads cached values only.
    m_stripTimer = new QTimer(this);
    m_stripTimer->setInterval(250);
    connect(m_stripTimer, &QTimer::timeout, this, &TActiveMovie::refreshStrip);
    m_stripTimer->start();
}

void TActiveMovie::refreshStrip()
{
    const double duration = m_control->OpenState() == osOpen ? m_control->Duration() : 0.0;
    const double position = m_control->CurrentPosition();
    const int tenths = int(std::lround(duration * 10));
    if (m_seekBar->maximum() != tenths)
        m_seekBar->setRange(0, tenths);
    if (!m_userSeeking && !m_seekBar->isSliderDown())
        m_seekBar->setValue(int(std::lround(position * 10)));
    const QString text = clock(position) + " / " + clock(duration);
    if (m_timeLabel->text() != text)
        m_timeLabel->setText(text);
    const bool playing = m_control->PlayState() == mpPlaying;
    const QString name = playing ? tr("Pause") : tr("Play");
    if (m_playButton->accessibleName() != name) {
        m_playButton->setAccessibleName(name);
        m_playButton->setIcon(style()->standardIcon(playing ? QStyle::SP_MediaPause : QStyle::SP_MediaPlay));
    }
}

void TActiveMovie::togglePlay()
{
    if (m_control->PlayState() == mpPlaying)
        m_control->Pause();
    else
        m_control->Play();
    refreshStrip();
}

void TActiveMovie::setPictureFullScreen(bool on)
{
    if (on == m_pictureFullScreen)
        return;
    m_pictureFullScreen = on;
    m_strip->setVisible(!on);
    placePicture();
    // While full screen, keys reach the program only as key releases that the
    // control hands on with its tick.
    m_pressedKeys.clear();
    m_modalKeys.clear();
    if (on)
        qApp->installEventFilter(this);
    else
        qApp->removeEventFilter(this);
    emit pictureFullScreenRequested(on);
}

void TActiveMovie::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    emit OnEnter();
}

// A key is reported as it is released, with the key and the modifiers it was
// pressed with: a shifted character key by its unshifted key, as the windows
// match keys, and with Shift even when Shift was let go first. Shift, Ctrl,
// Alt and the like are not reported by themselves.
void TActiveMovie::fullScreenKey(const QKeyEvent& key)
{
    if (key.isAutoRepeat() || isModifierKey(key.key()))
        return;
    const quint32 id = key.nativeScanCode() ? key.nativeScanCode() : quint32(key.key());
    if (key.type() == QEvent::KeyPress) {
        m_pressedKeys.insert(id, {m_keyReader(key), key.modifiers()});
        return;
    }
    const PressedKey pressed = m_pressedKeys.take(id);
    if (pressed.key)
        m_control->fullScreenKeyReleased(pressed.key, pressed.modifiers);
    else
        m_control->fullScreenKeyReleased(m_keyReader(key), key.modifiers());
}

bool TActiveMovie::eventFilter(QObject* watched, QEvent* event)
{
    if (m_pictureFullScreen && (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const quint32 id = key->nativeScanCode() ? key->nativeScanCode() : quint32(key->key());
        // A modal window raised over the picture (a message box) owns the
        // keys while it is open, and the releases of the keys pressed in it
        // (the Escape that closed it) are no commands either.
        if (QApplication::activeModalWidget()) {
            if (key->type() == QEvent::KeyPress)
                m_modalKeys.insert(id);
            else
                m_modalKeys.remove(id);
            return false;
        }
        // Each key reaches a platform window first; it is taken there, from
        // whichever of the program's windows has the keyboard (the key that
        // went full screen may end in another window).
        if (watched->isWindowType() && !(key->type() == QEvent::KeyRelease && m_modalKeys.remove(id)))
            fullScreenKey(*key);
        return true;
    }
    if (watched == m_pictureArea && event->type() == QEvent::Resize) {
        placePicture();
        return false;
    }
    // The zoomed picture takes its own presses: a drag moves it, a click
    // comes back as its clicked().
    const MpvVideoWidget* zoomable = mpvPicture();
    if (watched == m_picture && zoomable && !zoomable->pictureZoom().isWhole())
        return QWidget::eventFilter(watched, event);
    if ((watched == m_picture || watched == m_pictureArea) && event->type() == QEvent::MouseButtonPress &&
        m_clickToPlay && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        togglePlay();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
