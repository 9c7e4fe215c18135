#include "gui/main/PlayerControlsPanel.h"

#include "core/input/KeyTexts.h"
#include "core/playback/TransportControls.h"
#include "core/settings/BindingTable.h"
#include "core/settings/Settings.h"
#include "gui/input/FocusSink.h"
#include "gui/input/KeyboardView.h"
#include "gui/main/PanelControls.h"
#include "gui/widgets/BindToControl.h"
#include "gui/widgets/Colours.h"
#include "gui/widgets/TColourButton.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

using PanelControls::button;
using PanelControls::keyBox;
using PanelControls::label;
using PanelControls::list;

namespace {

QGroupBox* group(QWidget* parent, const char* name, const QString& title, const QRect& bounds)
{
    auto* g = new QGroupBox(parent);
    PanelControls::makeGroup(g, name, title, bounds);
    return g;
}

void mark(TColourButton* button, bool on)
{
    button->setColor(on ? Colours::marked() : Colours::buttonFace());
    button->setHotColor(on ? Colours::marked() : Colours::buttonShadow());
}

} // namespace

PlayerControlsPanel::PlayerControlsPanel(FocusSink& sink, QWidget* parent) : QWidget(parent), m_sink(sink)
{
    setObjectName(QStringLiteral("PlayerControlsPanel"));
    buildBasicControls();
    buildAdvancedControls();
    buildSpeedControls();
    // The first colours: regular speed green, slow and fast hot in shadow.
    regularspeedButton->setColor(Colours::fromStored(0x6CB304));
    slowmotionButton->setHotColor(Colours::buttonShadow());
    fastmotionButton->setHotColor(Colours::buttonShadow());

    // The captions follow the keys and the chosen values; after a jump value
    // is chosen, keystrokes are commands again.
    for (QLineEdit* box : {backsecondsKey, forwardsecondsKey, back1frameKey, forward1frameKey})
        connect(box, &QLineEdit::textChanged, this, &PlayerControlsPanel::shiftKeyChange);
    for (QComboBox* jump : {backSecondsValue, forwardSecondsValue, backMinutesValue, forwardMinutesValue,
                            backframesValue, forwardframesValue}) {
        connect(jump, &QComboBox::activated, this, &PlayerControlsPanel::nonshiftKeyChange);
        connect(jump, &QComboBox::activated, this, &PlayerControlsPanel::giveFocusToSink);
    }
    for (QComboBox* rate : {slowmotionRate, fastmotionRate})
        connect(rate, &QComboBox::activated, this, &PlayerControlsPanel::nonshiftKeyChange);
}

void PlayerControlsPanel::buildBasicControls()
{
    basicPlayControlsBox = group(this, "basicPlayControlsBox", QStringLiteral("Basic Play Controls"), {4, 2, 100, 136});
    // The narrowest group: its title needs a slightly smaller face to fit.
    QFont narrow = basicPlayControlsBox->font();
    narrow.setPointSizeF(7.5);
    basicPlayControlsBox->setFont(narrow);
    QWidget* g = basicPlayControlsBox;
    playButton = button(g, "playButton", QStringLiteral("play (space)"), {8, 20, 84, 36});
    restartButton = button(g, "restartButton", QStringLiteral("restart (r)"), {8, 60, 84, 30});
    muteButton = button(g, "muteButton", QStringLiteral("mute (m)"), {8, 96, 84, 30});
}

void PlayerControlsPanel::buildAdvancedControls()
{
    AdvancedPlayerControlsBox =
        group(this, "AdvancedPlayerControlsBox", QStringLiteral("Advanced Player Controls"), {108, 2, 389, 136});
    QWidget* g = AdvancedPlayerControlsBox;
    const Settings d;
    backsecondsButton = button(g, "backsecondsButton", QStringLiteral("<< 3 sec"), {6, 18, 72, 26});
    backSecondsValue = list(g, "backSecondsValue", Settings::secondsChoices(), d.backSecondsValue, {80, 20, 44, 22});
    backsecondsKey = keyBox(g, "backsecondsKey", 126, 20);
    backminutesButton = button(g, "backminutesButton", QStringLiteral("<< 1 min"), {6, 48, 72, 26});
    backMinutesValue = list(g, "backMinutesValue", Settings::minutesChoices(), d.backMinutesValue, {80, 50, 44, 22});
    backminutesKey = label(g, "backminutesKey", QStringLiteral("<shift>a"), {126, 50, 60, 22});
    back1frameButton = button(g, "back1frameButton", QStringLiteral("<< 1 frame"), {6, 78, 72, 26});
    back1frameKey = keyBox(g, "back1frameKey", 126, 80);
    backframesButton = button(g, "backframesButton", QStringLiteral("<< 5 frames"), {6, 106, 72, 26});
    backframesValue = list(g, "backframesValue", Settings::framesChoices(), d.backFramesValue, {80, 108, 44, 22});
    backframesKey = label(g, "backframesKey", QStringLiteral("<shift>s"), {126, 108, 60, 22});

    forwardsecondsButton = button(g, "forwardsecondsButton", QStringLiteral(">> 3 sec"), {196, 18, 72, 26});
    forwardSecondsValue =
        list(g, "forwardSecondsValue", Settings::secondsChoices(), d.forwardSecondsValue, {270, 20, 44, 22});
    forwardsecondsKey = keyBox(g, "forwardsecondsKey", 316, 20);
    forwardminutesButton = button(g, "forwardminutesButton", QStringLiteral(">> 1 min"), {196, 48, 72, 26});
    forwardMinutesValue =
        list(g, "forwardMinutesValue", Settings::minutesChoices(), d.forwardMinutesValue, {270, 50, 44, 22});
    forwardminutesKey = label(g, "forwardminutesKey", QStringLiteral("<shift>f"), {316, 50, 60, 22});
    forward1frameButton = button(g, "forward1frameButton", QStringLiteral(">> 1 frame"), {196, 78, 72, 26});
    forward1frameKey = keyBox(g, "forward1frameKey", 316, 80);
    forwardframesButton = button(g, "forwardframesButton", QStringLiteral(">> 5 frames"), {196, 106, 72, 26});
    forwardframesValue =
        list(g, "forwardframesValue", Settings::framesChoices(), d.forwardFramesValue, {270, 108, 44, 22});
    forwardframesKey = label(g, "forwardframesKey", QStringLiteral("<shift>d"), {316, 108, 60, 22});
}

void PlayerControlsPanel::buildSpeedControls()
{
    speedControlsBox = group(this, "speedControlsBox", QStringLiteral("Speed Controls"), {501, 2, 142, 136});
    QWidget* g = speedControlsBox;
    const Settings d;
    slowmotionRate = list(g, "slowmotionRate", Settings::slowMotionRateChoices(), d.slowMotionRate, {6, 22, 44, 22});
    slowmotionButton = button(g, "slowmotionButton", QStringLiteral("slow (0.5)"), {52, 18, 63, 30});
    slowmotionKey = keyBox(g, "slowmotionKey", 117, 22);
    regularspeedButton = button(g, "regularspeedButton", QStringLiteral("regular speed (1.0)"), {8, 54, 107, 30});
    regularspeedKey = keyBox(g, "regularspeedKey", 117, 58);
    fastmotionRate = list(g, "fastmotionRate", Settings::fastMotionRateChoices(), d.fastMotionRate, {6, 94, 44, 22});
    fastmotionButton = button(g, "fastmotionButton", QStringLiteral("fast (2.0)"), {52, 90, 63, 30});
    fastmotionKey = keyBox(g, "fastmotionKey", 117, 94);
}

void PlayerControlsPanel::connectTo(TransportControls& transport)
{
    m_transport = &transport;
    using Handler = void (PlayerControlsPanel::*)();
    const std::pair<TColourButton*, Handler> buttons[] = {
        {playButton, &PlayerControlsPanel::playButtonClick},
        {restartButton, &PlayerControlsPanel::restartButtonClick},
        {muteButton, &PlayerControlsPanel::muteButtonClick},
        {backsecondsButton, &PlayerControlsPanel::backsecondsButtonClick},
        {forwardsecondsButton, &PlayerControlsPanel::forwardsecondsButtonClick},
        {backminutesButton, &PlayerControlsPanel::backminutesButtonClick},
        {forwardminutesButton, &PlayerControlsPanel::forwardminutesButtonClick},
        {back1frameButton, &PlayerControlsPanel::back1frameButtonClick},
        {forward1frameButton, &PlayerControlsPanel::forward1frameButtonClick},
        {backframesButton, &PlayerControlsPanel::backframesButtonClick},
        {forwardframesButton, &PlayerControlsPanel::forwardframesButtonClick},
        {slowmotionButton, &PlayerControlsPanel::slowmotionButtonClick},
        {regularspeedButton, &PlayerControlsPanel::regularspeedButtonClick},
        {fastmotionButton, &PlayerControlsPanel::fastmotionButtonClick},
    };
    const auto giveKeysBack = [this] { giveFocusToSink(); };
    for (const auto& [button, handler] : buttons)
        handBackKeysAfterClick(
            button, [this, handler = handler] { (this->*handler)(); }, giveKeysBack);
    // Picking a rate hands the keys back whoever picked it.
    handBackKeysAfterPick(
        slowmotionRate, [this] { m_transport->slowRateChosen(); }, giveKeysBack);
    handBackKeysAfterPick(
        fastmotionRate, [this] { m_transport->fastRateChosen(); }, giveKeysBack);
}

void PlayerControlsPanel::playButtonClick()
{
    m_transport->togglePlay(TransportControls::WithoutClip::Explain);
}
void PlayerControlsPanel::restartButtonClick()
{
    m_transport->restart();
}
void PlayerControlsPanel::muteButtonClick()
{
    m_transport->toggleMute();
}
void PlayerControlsPanel::backsecondsButtonClick()
{
    m_transport->jumpBackSeconds();
}
void PlayerControlsPanel::forwardsecondsButtonClick()
{
    m_transport->jumpForwardSeconds();
}
void PlayerControlsPanel::backminutesButtonClick()
{
    m_transport->jumpBackMinutes();
}
void PlayerControlsPanel::forwardminutesButtonClick()
{
    m_transport->jumpForwardMinutes();
}
void PlayerControlsPanel::back1frameButtonClick()
{
    m_transport->stepBack();
}
void PlayerControlsPanel::forward1frameButtonClick()
{
    m_transport->stepForward();
}
void PlayerControlsPanel::backframesButtonClick()
{
    m_transport->stepBackSeveral();
}
void PlayerControlsPanel::forwardframesButtonClick()
{
    m_transport->stepForwardSeveral();
}
void PlayerControlsPanel::slowmotionButtonClick()
{
    m_transport->playSlow();
}
void PlayerControlsPanel::regularspeedButtonClick()
{
    m_transport->playRegular();
}
void PlayerControlsPanel::fastmotionButtonClick()
{
    m_transport->playFast();
}

void PlayerControlsPanel::bindSettings(ConfigBindings& binding)
{
    using S = Settings;
    bindIndex(binding, &S::backFramesValue, backframesValue);
    bindIndex(binding, &S::forwardFramesValue, forwardframesValue);
    bindIndex(binding, &S::backSecondsValue, backSecondsValue);
    bindIndex(binding, &S::forwardSecondsValue, forwardSecondsValue);
    bindIndex(binding, &S::backMinutesValue, backMinutesValue);
    bindIndex(binding, &S::forwardMinutesValue, forwardMinutesValue);
    bindIndex(binding, &S::slowMotionRate, slowmotionRate);
    bindIndex(binding, &S::fastMotionRate, fastmotionRate);
    bindText(binding, &S::backSecondsKey, backsecondsKey);
    bindText(binding, &S::back1FrameKey, back1frameKey);
    bindText(binding, &S::forward1FrameKey, forward1frameKey);
    bindText(binding, &S::forwardSecondsKey, forwardsecondsKey);
    bindText(binding, &S::slowMotionKey, slowmotionKey);
    bindText(binding, &S::regularMotionKey, regularspeedKey);
    bindText(binding, &S::fastMotionKey, fastmotionKey);
}

void PlayerControlsPanel::addFocusParts(KeyboardFocusParts& parts) const
{
    parts.keyBoxes << backsecondsKey << back1frameKey << forward1frameKey << forwardsecondsKey << slowmotionKey
                   << regularspeedKey << fastmotionKey;
    parts.lists << backframesValue << forwardframesValue << backSecondsValue << forwardSecondsValue << backMinutesValue
                << forwardMinutesValue << slowmotionRate << fastmotionRate;
    parts.backgrounds << const_cast<PlayerControlsPanel*>(this) << basicPlayControlsBox << AdvancedPlayerControlsBox
                      << speedControlsBox;
}

void PlayerControlsPanel::placeGroup(arrangement::Group group, int left)
{
    QWidget* box = group == arrangement::Basic            ? basicPlayControlsBox
                   : group == arrangement::AdvancedPlayer ? static_cast<QWidget*>(AdvancedPlayerControlsBox)
                   : group == arrangement::Speed          ? static_cast<QWidget*>(speedControlsBox)
                                                          : nullptr;
    if (!box)
        return;
    if (left >= 0)
        box->move(left, box->y());
    box->setVisible(left >= 0);
}

void PlayerControlsPanel::showMode(bool beginner)
{
    m_beginner = beginner;
    // The keys of hidden controls keep working.
    for (QWidget* w : std::initializer_list<QWidget*>{
             backSecondsValue,   forwardSecondsValue, backMinutesValue, forwardMinutesValue, backframesValue,
             forwardframesValue, backsecondsKey,      back1frameKey,    forward1frameKey,    forwardsecondsKey,
             backminutesKey,     backframesKey,       forwardframesKey, forwardminutesKey,   slowmotionKey,
             regularspeedKey,    fastmotionKey,       slowmotionRate,   fastmotionRate,      muteButton})
        w->setVisible(!beginner);
    if (beginner) {
        PanelControls::place(slowmotionButton, 17, -1, 105, -1);
        PanelControls::place(regularspeedButton, 17, -1, -1, -1);
        PanelControls::place(fastmotionButton, 17, -1, 105, -1);
        PanelControls::showBeginnerCaptions(this);
    } else {
        PanelControls::place(slowmotionButton, 50, -1, 63, -1);
        PanelControls::place(regularspeedButton, 8, -1, -1, -1);
        PanelControls::place(fastmotionButton, 50, -1, 63, -1);
        regularspeedButton->setText(QStringLiteral("regular speed (1.0)"));
    }
}

void PlayerControlsPanel::shiftKeyChange()
{
    backminutesKey->setText(keys::shiftLabel(backsecondsKey->text()));
    forwardminutesKey->setText(keys::shiftLabel(forwardsecondsKey->text()));
    backframesKey->setText(keys::shiftLabel(back1frameKey->text()));
    forwardframesKey->setText(keys::shiftLabel(forward1frameKey->text()));
}

void PlayerControlsPanel::nonshiftKeyChange()
{
    using keys::Jump;
    struct JumpControls {
        Jump jump;
        TColourButton* button;
        QComboBox* value;
        QWidget* key; // key box, or the Shift label of a Shift jump
    };
    const JumpControls jumps[] = {
        {Jump::backSeconds, backsecondsButton, backSecondsValue, backsecondsKey},
        {Jump::forwardSeconds, forwardsecondsButton, forwardSecondsValue, forwardsecondsKey},
        {Jump::backMinutes, backminutesButton, backMinutesValue, backminutesKey},
        {Jump::forwardMinutes, forwardminutesButton, forwardMinutesValue, forwardminutesKey},
        {Jump::backFrames, backframesButton, backframesValue, backframesKey},
        {Jump::forwardFrames, forwardframesButton, forwardframesValue, forwardframesKey},
    };
    for (const JumpControls& j : jumps) {
        const QString value = j.value->currentText();
        j.button->setText(keys::jumpCaption(j.jump, value));
        j.button->setToolTip(keys::jumpHint(j.jump, value));
        j.key->setToolTip(keys::keyHint(j.button->toolTip()));
    }
    back1frameButton->setToolTip(QStringLiteral("Go back 1 frame"));
    forward1frameButton->setToolTip(QStringLiteral("Go forward 1 frame"));
    back1frameKey->setToolTip(keys::keyHint(back1frameButton->toolTip()));
    forward1frameKey->setToolTip(keys::keyHint(forward1frameButton->toolTip()));

    const QString slow = slowmotionRate->currentText();
    const QString fast = fastmotionRate->currentText();
    if (!m_beginner) {
        slowmotionButton->setText(keys::slowMotionCaption(slow));
        fastmotionButton->setText(keys::fastMotionCaption(fast));
    }
    slowmotionButton->setToolTip(keys::slowMotionHint(slow));
    fastmotionButton->setToolTip(keys::fastMotionHint(fast));
}

void PlayerControlsPanel::showPlaying(bool playing)
{
    playButton->setText(playing ? QStringLiteral("pause (space)") : QStringLiteral("play (space)"));
    playButton->setHotColor(Colours::fromStored(playing ? 10790135 : 12318904));
}

int PlayerControlsPanel::jumpValue(JumpList jump) const
{
    const QComboBox* lists[] = {backSecondsValue,    forwardSecondsValue, backMinutesValue,
                                forwardMinutesValue, backframesValue,     forwardframesValue};
    return lists[static_cast<int>(jump)]->currentText().toInt();
}

int PlayerControlsPanel::slowRateEntry() const
{
    return slowmotionRate->currentIndex();
}

int PlayerControlsPanel::fastRateEntry() const
{
    return fastmotionRate->currentIndex();
}

void PlayerControlsPanel::showMuted(bool muted)
{
    const QString key = m_muteKey ? m_muteKey() : QStringLiteral("m");
    muteButton->setText(keys::keyCaption(muted ? QStringLiteral("un-mute") : QStringLiteral("mute"), key));
    muteButton->setColor(muted ? Colours::fromStored(16776960) : Colours::buttonFace());
}

void PlayerControlsPanel::showSpeedMode(SpeedMode mode)
{
    mark(slowmotionButton, mode == SpeedMode::Slow);
    mark(regularspeedButton, mode == SpeedMode::Regular);
    mark(fastmotionButton, mode == SpeedMode::Fast);
}

void PlayerControlsPanel::giveFocusToSink()
{
    m_sink.takeFocus();
}
