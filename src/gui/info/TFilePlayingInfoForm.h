#pragma once

#include <QMetaObject>
#include <QSize>
#include <QWidget>
#include <functional>

class FocusModel;
class FocusSink;
class MediaPlayerControl;
class QLineEdit;
class TColourButton;

// The video file information window: facts about the open clip (name,
// folder, sizes, total time, frame rate, codec) in read-only fields, a
// button that sizes the main window to the video's original size and back,
// and one that finds the codec's name. A small non-modal tool window; its
// keys reach the main window through its focus model.
class TFilePlayingInfoForm : public QWidget {
    Q_OBJECT
public:
    // What this window sees of the main window: its size, whether its
    // bottom panel of player controls is shown, and its title update (which
    // also writes the display size field here).
    struct FileInfoView {
        std::function<QSize()> size;
        std::function<void(const QSize&)> resize;
        // The room the window takes around the player's picture area.
        std::function<QSize()> pictureChrome;
        std::function<void()> UpdateMainFormTitleBar;
    };

    explicit TFilePlayingInfoForm(QWidget* parent = nullptr);

    void setFileInfoView(FileInfoView link) { m_main = std::move(link); }
    // The player whose clip this window describes.
    void setPlayer(MediaPlayerControl* player) { m_player = player; }
    // The window's focus model: its keys go to the handler set on it.
    FocusModel* focusModel() const { return m_focus; }
    FocusSink* focusSink() const { return m_focusSink; }

    // Written when a clip opens; the codec field is emptied.
    void showClipFacts(const QString& fileName, const QString& folder, const QString& videoSize,
                       const QString& totalTime);
    QString framesPerSecondText() const;
    void setFramesPerSecondText(const QString& text);
    void setScreenSizeText(const QString& text);
    QString codecNameText() const;
    // Whether the main window is sized to the video by the size button.
    bool sizedToVideo() const { return m_sizedToVideo; }

public slots:
    // Toggles the main window between the video's original size and the
    // size it had before.
    void SizeToOriginalVideoButtonClick();
    // Re-opens the clip with the frame grabber on and shows the codec's
    // name once the clip has opened again.
    void DisplayCodecNameButtonClick();
    // Hides the window; the main window keeps its size, the saved one is
    // dropped. The click that a space on the button produces is ignored.
    void OK_ButtonClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildFields();
    bool clipLoaded() const;
    void showCodecNameWhenOpened();

    QLineEdit* ShowVideoPlayingFileName;
    QLineEdit* ShowVideoPlayingFilePath;
    QLineEdit* ShowVideoSize;
    QLineEdit* ShowScreenSize;
    QLineEdit* ShowTotalTime;
    QLineEdit* ShowFramesPerSecond;
    QLineEdit* ShowCodecName;
    TColourButton* SizeToOriginalVideoButton;
    TColourButton* DisplayCodecNameButton;
    TColourButton* OK_Button;
    FocusSink* m_focusSink;
    FocusModel* m_focus;

    FileInfoView m_main;
    MediaPlayerControl* m_player = nullptr;
    bool m_sizedToVideo = false;
    QSize m_sizeBeforeVideo;
    bool m_spaceOnOk = false;
    QMetaObject::Connection m_codecReopen;
};
