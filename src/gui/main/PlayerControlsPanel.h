#pragma once

#include "core/playback/TransportView.h"
#include "core/window/ArrangementRules.h"

#include <QWidget>
#include <functional>

class ConfigBindings;
class FocusSink;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class TColourButton;
class TransportControls;
struct KeyboardFocusParts;

// The bottom panel of the main window (`PlayerControlsPanel`) with its
// player controls: the groups "Basic Play Controls", "Advanced Player
// Controls" (the jumps with their step sizes and keys) and "Speed Controls".
// The window places the group "Window Controls" in it too, and on a small
// screen in beginner mode the bookmark group. It is what the transport
// controls see of the window.
class PlayerControlsPanel : public QWidget, public TransportView {
    Q_OBJECT
public:
    static constexpr int Height = 142;

    PlayerControlsPanel(FocusSink& sink, QWidget* parent);

    void connectTo(TransportControls& transport);
    void bindSettings(ConfigBindings& binding);
    void addFocusParts(KeyboardFocusParts& parts) const;
    // The mute button's caption names the mute key, read when it changes.
    void setMuteKey(std::function<QString()> muteKey) { m_muteKey = std::move(muteKey); }

    // Puts one of this panel's groups at `left`, or hides it (-1).
    void placeGroup(arrangement::Group group, int left);
    // Beginner mode: no step sizes, keys, rates or mute; plain captions.
    void showMode(bool beginner);
    // The four Shift labels follow the jump keys.
    void shiftKeyChange();
    // Captions and hints of the jump and speed buttons and the jump keys;
    // the speed buttons name their rates only in advanced mode.
    void nonshiftKeyChange();
    // The play button: "pause (space)" while playing, "play (space)" else.
    void showPlaying(bool playing);

    // TransportView
    int jumpValue(JumpList list) const override;
    int slowRateEntry() const override;
    int fastRateEntry() const override;
    void showMuted(bool muted) override;
    void showSpeedMode(SpeedMode mode) override;

    // Keystrokes are commands again ("player controls active").
    void giveFocusToSink();

private:
    // The buttons' handlers: each runs its transport operation (the keys
    // go back to the focus sink after it).
    void playButtonClick();
    void restartButtonClick();
    void muteButtonClick();
    void backsecondsButtonClick();
    void forwardsecondsButtonClick();
    void backminutesButtonClick();
    void forwardminutesButtonClick();
    void back1frameButtonClick();
    void forward1frameButtonClick();
    void backframesButtonClick();
    void forwardframesButtonClick();
    void slowmotionButtonClick();
    void regularspeedButtonClick();
    void fastmotionButtonClick();

    void buildBasicControls();
    void buildAdvancedControls();
    void buildSpeedControls();

    FocusSink& m_sink;
    TransportControls* m_transport = nullptr;
    std::function<QString()> m_muteKey;
    bool m_beginner = false;

    QGroupBox* basicPlayControlsBox;
    TColourButton* playButton;
    TColourButton* restartButton;
    TColourButton* muteButton;

    QGroupBox* AdvancedPlayerControlsBox;
    TColourButton* backsecondsButton;
    QComboBox* backSecondsValue;
    QLineEdit* backsecondsKey;
    TColourButton* forwardsecondsButton;
    QComboBox* forwardSecondsValue;
    QLineEdit* forwardsecondsKey;
    TColourButton* backminutesButton;
    QComboBox* backMinutesValue;
    QLabel* backminutesKey;
    TColourButton* forwardminutesButton;
    QComboBox* forwardMinutesValue;
    QLabel* forwardminutesKey;
    TColourButton* back1frameButton;
    QLineEdit* back1frameKey;
    TColourButton* forward1frameButton;
    QLineEdit* forward1frameKey;
    TColourButton* backframesButton;
    QComboBox* backframesValue;
    QLabel* backframesKey;
    TColourButton* forwardframesButton;
    QComboBox* forwardframesValue;
    QLabel* forwardframesKey;

    QGroupBox* speedControlsBox;
    TColourButton* slowmotionButton;
    QComboBox* slowmotionRate;
    QLineEdit* slowmotionKey;
    TColourButton* regularspeedButton;
    QLineEdit* regularspeedKey;
    TColourButton* fastmotionButton;
    QComboBox* fastmotionRate;
    QLineEdit* fastmotionKey;
};
