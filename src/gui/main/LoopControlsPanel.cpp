#include "gui/main/LoopControlsPanel.h"

#include "core/playback/LoopControls.h"
#include "core/settings/BindingTable.h"
#include "gui/input/FocusSink.h"
#include "gui/input/KeyboardView.h"
#include "gui/main/PanelControls.h"
#include "gui/widgets/BindToControl.h"
#include "gui/widgets/Colours.h"
#include "gui/widgets/TColourButton.h"
#include "gui/widgets/TimeBox.h"

#include <QLabel>
#include <QLineEdit>
#include <algorithm>

using PanelControls::button;
using PanelControls::keyBox;

namespace {

TimeBox* timeBox(QWidget* parent, const char* name, const QString& accessibleName, int y)
{
    auto* box = new TimeBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setAccessibleName(accessibleName);
    box->setGeometry(90, y, 62, 22);
    return box;
}

// The width of a time box for whole seconds, as the window was designed.
constexpr int kWholeSecondsBoxWidth = 62;
// The narrowest a time button gets beside a wide box: its caption wraps.
constexpr int kNarrowestTimeButton = 50;

void mark(TColourButton* button, bool on)
{
    button->setColor(on ? Colours::marked() : Colours::buttonFace());
    button->setHotColor(on ? Colours::marked() : Colours::buttonShadow());
}

} // namespace

LoopControlsPanel::LoopControlsPanel(FocusSink& sink, QWidget* parent) : QGroupBox(parent), m_sink(sink)
{
    PanelControls::makeGroup(this, "LoopControlsBox", QStringLiteral("Loop Controls"), {9, 92, 178, 272});
    setStartTimeButton = button(this, "setStartTimeButton", QStringLiteral("set start time"), {6, 20, 80, 26});
    setStartTimeValue = timeBox(this, "setStartTimeValue", QStringLiteral("Start time"), 22);
    setStartTimeKey = keyBox(this, "setStartTimeKey", 154, 22);
    setEndTimeButton = button(this, "setEndTimeButton", QStringLiteral("set end time"), {6, 50, 80, 26});
    setEndTimeValue = timeBox(this, "setEndTimeValue", QStringLiteral("End time"), 52);
    setEndTimeKey = keyBox(this, "setEndTimeKey", 154, 52);
    resetEndTimeButton = button(this, "resetEndTimeButton", QStringLiteral("reset end time"), {6, 82, 80, 26});
    resetLoopButton = button(this, "resetLoopButton", QStringLiteral("reset loop"), {90, 82, 82, 26});
    loopOnce = button(this, "loopOnce", QStringLiteral("loop once"), {6, 114, 166, 26});
    playLoopButton = button(this, "playLoopButton", QStringLiteral("play loop"), {6, 146, 89, 30});
    playLoopKey = keyBox(this, "playLoopKey", 100, 150);
    playFullVideoButton = button(this, "playFullVideoButton", QStringLiteral("play full video"), {6, 180, 89, 30});
    playFullVideoKey = keyBox(this, "playFullVideoKey", 100, 184);
    RunningDescription = new QLabel(this);
    RunningDescription->setObjectName(QStringLiteral("RunningDescription"));
    RunningDescription->setAccessibleName(QStringLiteral("Bookmark description"));
    RunningDescription->setWordWrap(true);
    RunningDescription->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    RunningDescription->setGeometry(6, 214, 166, 52);
    for (TimeBox* box : {setStartTimeValue, setEndTimeValue})
        connect(box, &TimeBox::wideChanged, this, [this] { placeTimeRows(); });
}

void LoopControlsPanel::connectTo(LoopControls& loops)
{
    m_loops = &loops;
    using Handler = void (LoopControlsPanel::*)();
    const std::pair<TColourButton*, Handler> buttons[] = {
        {setStartTimeButton, &LoopControlsPanel::setStartTimeButtonClick},
        {setEndTimeButton, &LoopControlsPanel::setEndTimeButtonClick},
        {resetEndTimeButton, &LoopControlsPanel::resetEndTimeButtonClick},
        {resetLoopButton, &LoopControlsPanel::resetLoopButtonClick},
        {playFullVideoButton, &LoopControlsPanel::playFullVideoButtonClick},
        {loopOnce, &LoopControlsPanel::loopOnceClick},
    };
    for (const auto& [button, handler] : buttons)
        handBackKeysAfterClick(
            button, [this, handler = handler] { (this->*handler)(); }, [this] { giveFocusToSink(); });
    // The play loop button hands the keys back only once the loop plays: a
    // refused loop leaves them where the user had them.
    connect(playLoopButton, &QAbstractButton::clicked, this, &LoopControlsPanel::playLoopButtonClick);
}

void LoopControlsPanel::setStartTimeButtonClick()
{
    m_loops->setLoopStart();
}
void LoopControlsPanel::setEndTimeButtonClick()
{
    m_loops->setLoopEnd();
}
void LoopControlsPanel::resetEndTimeButtonClick()
{
    m_loops->clearLoopEnd();
}
void LoopControlsPanel::resetLoopButtonClick()
{
    m_loops->clearLoop();
}
void LoopControlsPanel::playLoopButtonClick()
{
    if (m_loops->playLoop())
        giveFocusToSink();
}
void LoopControlsPanel::playFullVideoButtonClick()
{
    m_loops->playFullVideo();
}
void LoopControlsPanel::loopOnceClick()
{
    m_loops->toggleContinuously();
}

void LoopControlsPanel::bindSettings(ConfigBindings& binding)
{
    using S = Settings;
    bindText(binding, &S::setStartTimeKey, setStartTimeKey);
    bindText(binding, &S::setEndTimeKey, setEndTimeKey);
    bindText(binding, &S::playLoopKey, playLoopKey);
    bindText(binding, &S::playFullVideoKey, playFullVideoKey);
}

void LoopControlsPanel::addFocusParts(KeyboardFocusParts& parts) const
{
    parts.textBoxes << setStartTimeValue << setEndTimeValue;
    parts.keyBoxes << setStartTimeKey << setEndTimeKey << playLoopKey << playFullVideoKey;
}

void LoopControlsPanel::showMode(bool beginner)
{
    m_beginner = beginner;
    for (QWidget* key : {setStartTimeKey, setEndTimeKey, playLoopKey, playFullVideoKey})
        key->setVisible(!beginner);
    const int playButtonWidth = beginner ? 114 : 89;
    for (TColourButton* b : {playLoopButton, playFullVideoButton})
        PanelControls::place(b, -1, -1, playButtonWidth, -1);
    placeTimeRows();
}

// The rows of "set start time" and "set end time": the time box sits right
// of its button, before its key box (advanced mode) or at the group's right
// edge where the key boxes are hidden (beginner mode). A box with
// milliseconds is as wide as "00:00:00.000" needs in its font; the button
// gives up the room.
void LoopControlsPanel::placeTimeRows()
{
    constexpr int left = 6;
    // Where the box ends (the first pixel after it).
    const int boxEnd = setStartTimeKey->x() + (m_beginner ? setStartTimeKey->width() : -2);
    const int gap = m_beginner ? 3 : 4;
    const bool wide = setStartTimeValue->isWide() || setEndTimeValue->isWide();
    int boxWidth = kWholeSecondsBoxWidth;
    if (wide) {
        const QString widest = QStringLiteral("00:00:00.000");
        boxWidth = std::max({boxWidth, setStartTimeValue->widthToShow(widest), setEndTimeValue->widthToShow(widest)});
        boxWidth = std::min(boxWidth, boxEnd - left - kNarrowestTimeButton - gap);
    }
    const int boxLeft = boxEnd - boxWidth;
    for (TimeBox* box : {setStartTimeValue, setEndTimeValue})
        PanelControls::place(box, boxLeft, -1, boxWidth, -1);
    for (TColourButton* b : {setStartTimeButton, setEndTimeButton})
        PanelControls::place(b, -1, -1, boxLeft - gap - left, -1);
}

void LoopControlsPanel::lockForPlayingAll(bool on)
{
    for (QWidget* w : std::initializer_list<QWidget*>{setStartTimeValue, setEndTimeValue, resetEndTimeButton,
                                                      resetLoopButton, setStartTimeButton, setEndTimeButton, loopOnce})
        w->setEnabled(!on);
}

void LoopControlsPanel::setRunningDescription(const QString& text)
{
    RunningDescription->setText(text);
}

void LoopControlsPanel::showRunningDescription(bool shown)
{
    RunningDescription->setVisible(shown);
}

QString LoopControlsPanel::startTimeDigits() const
{
    return setStartTimeValue->digitText();
}

QString LoopControlsPanel::endTimeDigits() const
{
    return setEndTimeValue->digitText();
}

void LoopControlsPanel::setStartTimeDigits(const QString& digits)
{
    setStartTimeValue->setDigitText(digits);
}

void LoopControlsPanel::setEndTimeDigits(const QString& digits)
{
    setEndTimeValue->setDigitText(digits);
}

void LoopControlsPanel::setPreciseTimeBoxes(bool precise)
{
    setStartTimeValue->setPrecise(precise);
    setEndTimeValue->setPrecise(precise);
}

void LoopControlsPanel::showLoopIndicator(bool loop)
{
    mark(playLoopButton, loop);
    mark(playFullVideoButton, !loop);
}

void LoopControlsPanel::showLoopMode(bool continuously)
{
    if (continuously)
        paintLoopModeButton(QStringLiteral("loop continuously"), Colours::fromStored(9002225),
                            Colours::fromStored(6959853));
    else
        paintLoopModeButton(QStringLiteral("loop once"), Colours::fromStored(15255944), Colours::fromStored(14793320));
}

void LoopControlsPanel::showLadder(const QString& caption)
{
    paintLoopModeButton(caption, Colours::fromStored(0x7FD7FF), Colours::fromStored(0x4FC0F0));
}

void LoopControlsPanel::paintLoopModeButton(const QString& caption, const QColor& colour, const QColor& hotColour)
{
    loopOnce->setText(caption);
    loopOnce->setColor(colour);
    loopOnce->setHotColor(hotColour);
}

void LoopControlsPanel::clearPlayingBookmark()
{
    RunningDescription->clear();
    emit playingBookmarkCleared();
}

void LoopControlsPanel::giveFocusToSink()
{
    m_sink.takeFocus();
}
