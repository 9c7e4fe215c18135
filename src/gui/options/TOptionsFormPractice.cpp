// The options window's "Practice" page: the repeat gap of a continuous loop,
// the speed ladder's rates and passes, the switch of hardware decoding, and
// the keys of the loop mode and of the mirror view. Its values live in
// extras.txt.
#include "gui/options/TOptionsForm.h"

#include "core/base/Prompt.h"
#include "core/playback/LoopControls.h"
#include "core/settings/BindingTable.h"
#include "gui/widgets/BindToControl.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

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

} // namespace

QWidget* TOptionsForm::buildPracticePage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("PracticePage"));
    auto* layout = new QVBoxLayout(page);

    auto* loops = new QGroupBox(QStringLiteral("Loops"), page);
    loops->setObjectName(QStringLiteral("PracticeLoopsGroup"));
    loops->setAccessibleName(loops->title());
    auto* grid = new QGridLayout(loops);

    const QString gapLabel = QStringLiteral("Repeat gap before a continuous loop starts again");
    m_repeatGap = practiceSpin("RepeatGap", gapLabel, 0, LoopControls::MaxRestartPauseMs, 100, loops);
    m_repeatGap->setSuffix(QStringLiteral(" ms"));
    m_repeatGap->setValue(LoopControls::RestartPauseMs);
    grid->addWidget(practiceLabel(gapLabel, m_repeatGap, loops), 0, 0);
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
    layout->addWidget(loops);

    auto* playback = new QGroupBox(QStringLiteral("Playback"), page);
    playback->setObjectName(QStringLiteral("PracticePlaybackGroup"));
    playback->setAccessibleName(playback->title());
    auto* playbackLayout = new QVBoxLayout(playback);
    m_hardwareDecoding =
        new QCheckBox(QStringLiteral("Decode on the graphics hardware where this computer has it"), playback);
    m_hardwareDecoding->setObjectName(QStringLiteral("HardwareDecoding"));
    m_hardwareDecoding->setAccessibleName(m_hardwareDecoding->text());
    m_hardwareDecoding->setToolTip(
        QStringLiteral("Big and 60 fps clips play and step more smoothly. Turn it off if clips show wrong colours "
                       "or broken pictures. It counts from the next clip opened."));
    m_hardwareDecoding->setChecked(true);
    playbackLayout->addWidget(m_hardwareDecoding);
    layout->addWidget(playback);

    auto* keys = new QGroupBox(QStringLiteral("Practice keystrokes"), page);
    keys->setObjectName(QStringLiteral("PracticeKeysGroup"));
    keys->setAccessibleName(keys->title());
    auto* keyGrid = new QGridLayout(keys);
    const auto keyBox = [keys](const char* objectName, const QString& accessibleName, const QString& key) {
        auto* box = new QLineEdit(key, keys);
        box->setObjectName(QLatin1String(objectName));
        box->setAccessibleName(accessibleName);
        box->setMaxLength(1);
        box->setFixedWidth(24);
        box->setAlignment(Qt::AlignCenter);
        return box;
    };
    m_loopModeKey = keyBox("loopModeKey", QStringLiteral("loop mode key"), QStringLiteral("b"));
    m_mirrorViewKey = keyBox("mirrorViewKey", QStringLiteral("mirror view key"), QStringLiteral("x"));
    keyGrid->addWidget(m_loopModeKey, 0, 0);
    keyGrid->addWidget(
        practiceLabel(QStringLiteral("loop mode: once, continuously, speed ladder"), m_loopModeKey, keys), 0, 1);
    keyGrid->addWidget(m_mirrorViewKey, 1, 0);
    keyGrid->addWidget(practiceLabel(QStringLiteral("mirror view"), m_mirrorViewKey, keys), 1, 1);
    keyGrid->setColumnStretch(1, 1);
    layout->addWidget(keys);
    layout->addStretch(1);

    for (QLineEdit* box : practiceKeyBoxes())
        connect(box, &QLineEdit::textChanged, this, &TOptionsForm::keyTextChanged);
    connect(m_repeatGap, &QSpinBox::valueChanged, this, &TOptionsForm::practiceChanged);
    connect(m_ladderPasses, &QSpinBox::valueChanged, this, &TOptionsForm::practiceChanged);
    connect(m_hardwareDecoding, &QCheckBox::toggled, this, &TOptionsForm::practiceChanged);
    connect(m_ladderRates, &QLineEdit::editingFinished, this, &TOptionsForm::ladderRatesEntered);
    return page;
}

void TOptionsForm::showPracticePage()
{
    PageControl->setCurrentWidget(PracticePage);
}

QList<QLineEdit*> TOptionsForm::practiceKeyBoxes() const
{
    return {m_loopModeKey, m_mirrorViewKey};
}

int TOptionsForm::repeatGapMs() const
{
    return m_repeatGap->value();
}

bool TOptionsForm::hardwareDecoding() const
{
    return m_hardwareDecoding->isChecked();
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
    bindCheck(binding, &E::hardwareDecoding, m_hardwareDecoding);
    bindText(binding, &E::loopModeKey, m_loopModeKey);
    bindText(binding, &E::mirrorViewKey, m_mirrorViewKey);
}
