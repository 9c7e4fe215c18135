// The options window's "Practice" page: the repeat gap of a continuous loop,
// the speed ladder's rates and passes, the count-in and its volume, precise
// loop points and the beats (finding them, snapping to them, the count, the
// beat loop's length), the switch of hardware decoding, and the keys of the
// nudges, the beat loop, the loop mode and the mirror view. Its values live
// in extras.txt.
#include "gui/options/TOptionsForm.h"

#include "core/base/Prompt.h"
#include "core/beats/BeatGrid.h"
#include "core/input/KeyCommandTable.h"
#include "core/input/PopUpHints.h"
#include "core/playback/LoopControls.h"
#include "core/playback/LoopFrameStore.h"
#include "core/settings/BindingTable.h"
#include "core/settings/Extras.h"
#include "gui/widgets/BindToControl.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {

QLabel* practiceLabel(const QString& text, QWidget* buddy, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setAccessibleName(text);
    label->setBuddy(buddy);
    return label;
}

QSpinBox* practiceSpin(const char* objectName, const QString& label, int min, int max, int step, QWidget* parent)
{
    auto* box = new QSpinBox(parent);
    box->setObjectName(QLatin1String(objectName));
    box->setAccessibleName(label);
    box->setRange(min, max);
    box->setSingleStep(step);
    // The edit part of the box is named by it.
    if (auto* edit = box->findChild<QLineEdit*>())
        edit->setAccessibleName(label);
    return box;
}

// The page holds much in the window's fixed size: its groups keep their
// rows close.
void keepClose(QLayout* layout)
{
    layout->setContentsMargins(9, 4, 9, 6);
    layout->setSpacing(4);
}

} // namespace

QWidget* TOptionsForm::buildPracticePage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("PracticePage"));
    // Two columns: the loops and the beats on the left, the keys on the
    // right; hardware decoding, whose caption is long, across the bottom.
    auto* layout = new QGridLayout(page);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->setSpacing(4);

    auto* loops = new QGroupBox(QStringLiteral("Loops"), page);
    loops->setObjectName(QStringLiteral("PracticeLoopsGroup"));
    loops->setAccessibleName(loops->title());
    auto* grid = new QGridLayout(loops);
    keepClose(grid);

    const QString gapLabel = QStringLiteral("Repeat gap before a continuous loop starts again");
    m_repeatGap = practiceSpin("RepeatGap", gapLabel, 0, LoopControls::MaxRestartPauseMs, 100, loops);
    m_repeatGap->setSuffix(QStringLiteral(" ms"));
    m_repeatGap->setValue(LoopControls::RestartPauseMs);
    QLabel* gapCaption = practiceLabel(gapLabel, m_repeatGap, loops);
    gapCaption->setWordWrap(true);
    grid->addWidget(gapCaption, 0, 0);
    grid->addWidget(m_repeatGap, 0, 1);

    const QString ratesLabel = QStringLiteral("Speed ladder rates");
    m_ladderRates = new QLineEdit(SpeedLadder::defaultRatesText(), loops);
    m_ladderRates->setObjectName(QStringLiteral("SpeedLadderRates"));
    m_ladderRates->setAccessibleName(ratesLabel);
    m_acceptedLadderRates = m_ladderRates->text();
    grid->addWidget(practiceLabel(ratesLabel, m_ladderRates, loops), 1, 0);
    grid->addWidget(m_ladderRates, 1, 1);

    const QString passesLabel = QStringLiteral("Passes at each rate");
    m_ladderPasses = practiceSpin("SpeedLadderPasses", passesLabel, 1, SpeedLadder::MaxPasses, 1, loops);
    m_ladderPasses->setValue(2);
    grid->addWidget(practiceLabel(passesLabel, m_ladderPasses, loops), 2, 0);
    grid->addWidget(m_ladderPasses, 2, 1);
    // The long caption wraps to two lines rather than three.
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 2);
    layout->addWidget(loops, 0, 0);
    layout->addWidget(buildBeatsGroup(page), 1, 0);
    auto* playback = new QGroupBox(QStringLiteral("Playback"), page);
    playback->setObjectName(QStringLiteral("PracticePlaybackGroup"));
    playback->setAccessibleName(playback->title());
    auto* playbackRows = new QVBoxLayout(playback);
    keepClose(playbackRows);
    auto* playbackLayout = new QHBoxLayout;
    playbackRows->addLayout(playbackLayout);
    m_hardwareDecoding = new QCheckBox(QStringLiteral("Decode on the graphics hardware if there is one"), playback);
    m_hardwareDecoding->setObjectName(QStringLiteral("HardwareDecoding"));
    m_hardwareDecoding->setAccessibleName(m_hardwareDecoding->text());
    m_hardwareDecoding->setToolTip(
        QStringLiteral("Big and 60 fps clips play and step more smoothly. Turn it off if clips show wrong colours "
                       "or broken pictures. It counts from the next clip opened."));
    m_hardwareDecoding->setChecked(true);
    playbackLayout->addWidget(m_hardwareDecoding);
    playbackLayout->addStretch(1);
    // The count-in before each pass of a loop: what is heard and how loud,
    // beside the switch, where the page has room for them.
    const QString countInLabel = QStringLiteral("Count-in");
    m_countIn = new QComboBox(playback);
    m_countIn->setObjectName(QStringLiteral("CountIn"));
    m_countIn->setAccessibleName(countInLabel);
    m_countIn->setToolTip(QStringLiteral("Before each pass of a loop, the four beats before its start are heard, "
                                         "counted \"5, 6, 7, 8\" or clicked, so that the loop starts on \"1\"."));
    m_countIn->addItems(Extras::countInChoices());
    const QString volumeLabel = QStringLiteral("Count-in volume");
    m_countInVolume = practiceSpin("CountInVolume", volumeLabel, 0, 100, 10, playback);
    m_countInVolume->setSuffix(QStringLiteral(" %"));
    m_countInVolume->setValue(countin::DefaultVolume);
    m_countInVolume->setToolTip(volumeLabel);
    playbackLayout->addWidget(practiceLabel(countInLabel, m_countIn, playback));
    playbackLayout->addWidget(m_countIn);
    playbackLayout->addWidget(m_countInVolume);
    // Under them, the memory the loop's frames may take, and how long a
    // loop that is.
    auto* storeRow = new QHBoxLayout;
    playbackRows->addLayout(storeRow);
    const QString storeLabel = QStringLiteral("Memory for the loop's frames");
    m_frameStore = practiceSpin("FrameStoreMB", storeLabel, 0, LoopFrameStore::MaxBudgetMB, 64, playback);
    m_frameStore->setSuffix(QStringLiteral(" MB"));
    m_frameStore->setToolTip(QStringLiteral("The frames of the loop under way are kept in this much memory, so "
                                            "that a step over them, or holding a step key, shows them at once."));
    auto* storeLength = new QLabel(playback);
    storeLength->setObjectName(QStringLiteral("FrameStoreLength"));
    const auto tellLength = [this, storeLength] {
        const double frames = double(m_frameStore->value()) * 1024 * 1024 / LoopFrameStore::frameBytes({1920, 1080});
        storeLength->setText(QStringLiteral("holds %1 s of 1080p at 30 fps").arg(frames / 30.0, 0, 'f', 1));
        storeLength->setAccessibleName(storeLength->text());
    };
    connect(m_frameStore, &QSpinBox::valueChanged, this, tellLength);
    m_frameStore->setValue(LoopFrameStore::DefaultBudgetMB);
    tellLength();
    storeRow->addWidget(practiceLabel(storeLabel, m_frameStore, playback));
    storeRow->addWidget(m_frameStore);
    storeRow->addWidget(storeLength);
    storeRow->addStretch(1);
    layout->addWidget(buildPracticeKeysGroup(page), 0, 1, 2, 1);
    layout->addWidget(playback, 2, 0, 1, 2);
    layout->setRowStretch(3, 1);

    for (QLineEdit* box : practiceKeyBoxes())
        connect(box, &QLineEdit::textChanged, this, &TOptionsForm::keyTextChanged);
    connect(m_repeatGap, &QSpinBox::valueChanged, this, &TOptionsForm::practiceChanged);
    connect(m_ladderPasses, &QSpinBox::valueChanged, this, &TOptionsForm::practiceChanged);
    connect(m_countIn, &QComboBox::currentIndexChanged, this, &TOptionsForm::practiceChanged);
    connect(m_countInVolume, &QSpinBox::valueChanged, this, &TOptionsForm::practiceChanged);
    connect(m_frameStore, &QSpinBox::valueChanged, this, &TOptionsForm::practiceChanged);
    connect(m_hardwareDecoding, &QCheckBox::toggled, this, &TOptionsForm::practiceChanged);
    connect(m_ladderRates, &QLineEdit::editingFinished, this, &TOptionsForm::ladderRatesEntered);
    for (QCheckBox* box : {m_preciseLoopPoints, m_findBeats, m_snapToBeat, m_showBeatCount})
        connect(box, &QCheckBox::toggled, this, &TOptionsForm::practiceChanged);
    connect(m_beatLoopCount, &QComboBox::currentIndexChanged, this, [this] {
        m_beatLoopCaption->setText(hints::practiceKeyCaption(keys::KeyBox::beatLoop, beatLoopCount()));
        emit practiceChanged();
    });
    return page;
}

// Precise loop points and the beats: four switches and the beat loop's
// length, one under another.
QGroupBox* TOptionsForm::buildBeatsGroup(QWidget* page)
{
    auto* group = new QGroupBox(QStringLiteral("Loop points and beats"), page);
    group->setObjectName(QStringLiteral("PracticeBeatsGroup"));
    group->setAccessibleName(group->title());
    auto* grid = new QGridLayout(group);
    keepClose(grid);
    const auto check = [group](const char* objectName, const QString& caption) {
        auto* box = new QCheckBox(caption, group);
        box->setObjectName(QLatin1String(objectName));
        box->setAccessibleName(caption);
        return box;
    };
    m_preciseLoopPoints = check("PreciseLoopPoints", QStringLiteral("Precise loop points (hh:mm:ss.mmm)"));
    m_findBeats = check("FindBeats", QStringLiteral("Find the beats of each clip"));
    m_snapToBeat = check("SnapToBeat", QStringLiteral("Snap to the beat"));
    m_showBeatCount = check("ShowBeatCount", QStringLiteral("Show the count over the picture"));
    grid->addWidget(m_preciseLoopPoints, 0, 0);
    grid->addWidget(m_findBeats, 1, 0);
    grid->addWidget(m_snapToBeat, 2, 0);
    grid->addWidget(m_showBeatCount, 3, 0);

    const QString countLabel = QStringLiteral("Beats in a beat loop");
    m_beatLoopCount = new QComboBox(group);
    m_beatLoopCount->setObjectName(QStringLiteral("BeatLoopCount"));
    m_beatLoopCount->setAccessibleName(countLabel);
    for (int count : beats::BeatLoopCounts)
        m_beatLoopCount->addItem(QString::number(count), count);
    m_beatLoopCount->setCurrentIndex(m_beatLoopCount->findData(beats::DefaultBeatLoopCount));
    auto* countRow = new QHBoxLayout;
    countRow->addWidget(practiceLabel(countLabel, m_beatLoopCount, group));
    countRow->addWidget(m_beatLoopCount);
    countRow->addStretch(1);
    grid->addLayout(countRow, 4, 0);
    return group;
}

// The page's keys, one to a row: a key box and its caption, which wraps
// where it is long; the short ones that change how the picture shows (the
// mirror and the zoom) two to a row.
QGroupBox* TOptionsForm::buildPracticeKeysGroup(QWidget* page)
{
    auto* group = new QGroupBox(QStringLiteral("Practice keystrokes"), page);
    group->setObjectName(QStringLiteral("PracticeKeysGroup"));
    group->setAccessibleName(group->title());
    auto* grid = new QGridLayout(group);
    keepClose(grid);
    using keys::KeyBox;
    const KeyBox boxes[] = {KeyBox::nudgeStartEarlier, KeyBox::nudgeStartLater, KeyBox::nudgeEndEarlier,
                            KeyBox::nudgeEndLater,     KeyBox::beatLoop,        KeyBox::loopMode};
    int at = 0;
    for (KeyBox which : boxes) {
        QLabel* caption = addPracticeKey(which, group, grid, at++, 0, 3);
        if (which == KeyBox::beatLoop)
            m_beatLoopCaption = caption;
    }
    // The count's keys and the picture's, two to a row.
    const KeyBox pairedBoxes[] = {KeyBox::moveOne, KeyBox::beatLevel, KeyBox::mirrorView,
                                  KeyBox::zoomIn,  KeyBox::zoomOut,   KeyBox::zoomReset};
    const int paired = int(std::size(pairedBoxes));
    for (int i = 0; i < paired; ++i)
        addPracticeKey(pairedBoxes[i], group, grid, at + i / 2, 2 * (i % 2), 1);
    at += paired / 2;
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(at, 1);
    return group;
}

QLabel* TOptionsForm::addPracticeKey(keys::KeyBox which, QGroupBox* group, QGridLayout* grid, int row, int column,
                                     int captionColumns)
{
    const keys::KeyBoxRow& keyRow = keys::keyBoxRows[static_cast<int>(which)];
    auto* box = new QLineEdit(QString::fromLatin1(keyRow.defaultKey), group);
    box->setObjectName(QLatin1String(keyRow.objectName));
    box->setAccessibleName(QLatin1String(keyRow.accessibleName));
    box->setMaxLength(1);
    box->setFixedWidth(std::max(24, box->minimumSizeHint().width()));
    box->setAlignment(Qt::AlignCenter);
    QLabel* caption = practiceLabel(hints::practiceKeyCaption(which, beats::DefaultBeatLoopCount), box, group);
    caption->setWordWrap(true);
    grid->addWidget(box, row, column);
    grid->addWidget(caption, row, column + 1, 1, captionColumns);
    m_practiceKeys.append(box);
    return caption;
}

void TOptionsForm::showPracticePage()
{
    PageControl->setCurrentWidget(PracticePage);
}

QList<QLineEdit*> TOptionsForm::practiceKeyBoxes() const
{
    return m_practiceKeys;
}

QLineEdit* TOptionsForm::practiceKey(keys::KeyBox box) const
{
    const QString name = QLatin1String(keys::keyBoxRows[static_cast<int>(box)].objectName);
    return PracticePage->findChild<QLineEdit*>(name);
}

bool TOptionsForm::preciseLoopPoints() const
{
    return m_preciseLoopPoints->isChecked();
}

bool TOptionsForm::findBeats() const
{
    return m_findBeats->isChecked();
}

bool TOptionsForm::snapToBeat() const
{
    return m_snapToBeat->isChecked();
}

bool TOptionsForm::showBeatCount() const
{
    return m_showBeatCount->isChecked();
}

int TOptionsForm::beatLoopCount() const
{
    return m_beatLoopCount->currentData().toInt();
}

void TOptionsForm::setPracticeHints(const QList<std::pair<QString, QString>>& table)
{
    for (const auto& [name, hint] : table)
        if (QWidget* control = PracticePage->findChild<QWidget*>(name))
            control->setToolTip(hint);
}

countin::CountInSound TOptionsForm::countInSound() const
{
    return static_cast<countin::CountInSound>(std::max(0, m_countIn->currentIndex()));
}

int TOptionsForm::countInVolume() const
{
    return m_countInVolume->value();
}

int TOptionsForm::repeatGapMs() const
{
    return m_repeatGap->value();
}

bool TOptionsForm::hardwareDecoding() const
{
    return m_hardwareDecoding->isChecked();
}

int TOptionsForm::frameStoreMB() const
{
    return m_frameStore->value();
}

SpeedLadder TOptionsForm::speedLadder() const
{
    const auto rates = SpeedLadder::parseRates(m_acceptedLadderRates);
    return SpeedLadder(rates.value_or(QList<double>{}), m_ladderPasses->value());
}

// A text that is no ladder is put back to the last good one, and the user is
// told what is wrong with it.
void TOptionsForm::ladderRatesEntered()
{
    const QString text = m_ladderRates->text();
    if (text == m_acceptedLadderRates)
        return;
    QString error;
    if (!SpeedLadder::parseRates(text, &error)) {
        m_ladderRates->setText(m_acceptedLadderRates);
        prompt().message(error);
        return;
    }
    m_acceptedLadderRates = text;
    emit practiceChanged();
}

void TOptionsForm::bindExtras(ExtrasBindings& binding)
{
    using E = Extras;
    binding.bind(
        &E::repeatGapMilliseconds, [this] { return m_repeatGap->value(); },
        [this](int ms) { m_repeatGap->setValue(ms); });
    // A stored ladder that cannot be read leaves the default in force.
    binding.bind(
        &E::speedLadderRates, [this] { return m_acceptedLadderRates; },
        [this](const QString& text) {
            if (!SpeedLadder::parseRates(text))
                return;
            m_ladderRates->setText(text);
            m_acceptedLadderRates = text;
            emit practiceChanged();
        });
    binding.bind(
        &E::speedLadderPasses, [this] { return m_ladderPasses->value(); },
        [this](int passes) { m_ladderPasses->setValue(passes); });
    const std::pair<QString E::*, keys::KeyBox> keyBoxes[] = {
        {&E::loopModeKey, keys::KeyBox::loopMode},
        {&E::mirrorViewKey, keys::KeyBox::mirrorView},
        {&E::nudgeStartEarlierKey, keys::KeyBox::nudgeStartEarlier},
        {&E::nudgeStartLaterKey, keys::KeyBox::nudgeStartLater},
        {&E::nudgeEndEarlierKey, keys::KeyBox::nudgeEndEarlier},
        {&E::nudgeEndLaterKey, keys::KeyBox::nudgeEndLater},
        {&E::beatLoopKey, keys::KeyBox::beatLoop},
        {&E::moveOneKey, keys::KeyBox::moveOne},
        {&E::zoomInKey, keys::KeyBox::zoomIn},
        {&E::zoomOutKey, keys::KeyBox::zoomOut},
        {&E::zoomResetKey, keys::KeyBox::zoomReset},
        {&E::beatLevelKey, keys::KeyBox::beatLevel},
    };
    for (const auto& [member, box] : keyBoxes)
        bindText(binding, member, practiceKey(box));
    bindCheck(binding, &E::preciseLoopPoints, m_preciseLoopPoints);
    bindCheck(binding, &E::findBeats, m_findBeats);
    bindCheck(binding, &E::snapToBeat, m_snapToBeat);
    bindCheck(binding, &E::showBeatCount, m_showBeatCount);
    // A length that is none of the four gives the default.
    binding.bind(
        &E::beatLoopCount, [this] { return beatLoopCount(); },
        [this](int count) {
            m_beatLoopCount->setCurrentIndex(m_beatLoopCount->findData(beats::beatLoopCountOrDefault(count)));
        });
    bindCheck(binding, &E::hardwareDecoding, m_hardwareDecoding);
    binding.bind(
        &E::frameStoreMB, [this] { return m_frameStore->value(); }, [this](int mb) { m_frameStore->setValue(mb); });
    bindIndex(binding, &E::countIn, m_countIn);
    binding.bind(
        &E::countInVolume, [this] { return m_countInVolume->value(); },
        [this](int volume) { m_countInVolume->setValue(volume); });
}
