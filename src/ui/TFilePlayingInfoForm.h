#pragma once

#include <QWidget>

class FocusSink;
class QLineEdit;
class TColourButton;

// The video file information window: facts about the open clip (name,
// folder, sizes, total time, frame rate, codec) in read-only fields. A small
// non-modal tool window; its keys reach the main window through its focus
// sink.
class TFilePlayingInfoForm : public QWidget {
    Q_OBJECT
public:
    explicit TFilePlayingInfoForm(QWidget* parent = nullptr);

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
    FocusSink* focusSink;

public slots:
    void OK_ButtonClick();
};
