#include "gui/catalog/PlayAllFilterBar.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

namespace {

const QString kLevelKeys = QStringLiteral("abcd") + QChar(PlayAllFilter::NoLevel);

QCheckBox* box(const QString& caption, const char* name, QWidget* parent)
{
    auto* b = new QCheckBox(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setAccessibleName(caption);
    return b;
}

} // namespace

PlayAllFilterBar::PlayAllFilterBar(QWidget* parent)
    : QWidget(parent), m_on(box(QStringLiteral("filter play all"), "PlayAllFilterOn", this)),
      m_rating(box(QStringLiteral("rating at most"), "PlayAllFilterRating", this)), m_maxRating(new QSpinBox(this)),
      m_due(box(QStringLiteral("due today"), "PlayAllFilterDue", this)), m_count(new QLabel(this))
{
    setObjectName(QStringLiteral("PlayAllFilterBar"));
    setAccessibleName(QStringLiteral("Play all filter"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(m_on);
    auto* levels = new QLabel(QStringLiteral("levels:"), this);
    levels->setAccessibleName(levels->text());
    row->addWidget(levels);
    for (QChar key : kLevelKeys) {
        const bool none = key == QChar(PlayAllFilter::NoLevel);
        QCheckBox* level = box(none ? QStringLiteral("none") : QString(key), "", this);
        level->setObjectName(QStringLiteral("PlayAllFilterLevel_") + (none ? QStringLiteral("none") : QString(key)));
        level->setAccessibleDescription(none ? QStringLiteral("bookmarks without a level")
                                             : QStringLiteral("mastery level ") + key);
        m_levels << level;
        row->addWidget(level);
        connect(level, &QCheckBox::toggled, this, &PlayAllFilterBar::changed);
    }
    row->addSpacing(8);
    row->addWidget(m_rating);
    m_maxRating->setObjectName(QStringLiteral("PlayAllFilterMaxRating"));
    m_maxRating->setAccessibleName(QStringLiteral("highest rating"));
    // The box's edit part is what a screen reader lands on.
    if (auto* edit = m_maxRating->findChild<QLineEdit*>())
        edit->setAccessibleName(m_maxRating->accessibleName());
    m_maxRating->setRange(0, 10);
    m_maxRating->setValue(10);
    row->addWidget(m_maxRating);
    row->addSpacing(8);
    m_due->setAccessibleDescription(QStringLiteral("only the bookmarks whose practice is due again"));
    row->addWidget(m_due);
    row->addSpacing(8);
    m_count->setObjectName(QStringLiteral("PlayAllFilterCount"));
    row->addWidget(m_count);
    row->addStretch(1);
    connect(m_on, &QCheckBox::toggled, this, &PlayAllFilterBar::changed);
    connect(m_rating, &QCheckBox::toggled, this, &PlayAllFilterBar::changed);
    connect(m_due, &QCheckBox::toggled, this, &PlayAllFilterBar::changed);
    connect(m_maxRating, &QSpinBox::valueChanged, this, &PlayAllFilterBar::changed);
    enableParts();
}

QCheckBox* PlayAllFilterBar::levelBox(QChar level) const
{
    const auto i = kLevelKeys.indexOf(level);
    return i < 0 ? nullptr : m_levels.value(i);
}

PlayAllFilter PlayAllFilterBar::filter() const
{
    PlayAllFilter f;
    f.on = m_on->isChecked();
    for (int i = 0; i < m_levels.size(); ++i)
        if (m_levels[i]->isChecked())
            f.levels += kLevelKeys[i];
    f.maxRating = m_rating->isChecked() ? m_maxRating->value() : -1;
    f.due = m_due->isChecked() ? PlayAllFilter::Due::Today : PlayAllFilter::Due::Any;
    return f;
}

void PlayAllFilterBar::setFilter(const PlayAllFilter& filter)
{
    m_setting = true;
    m_on->setChecked(filter.on);
    for (int i = 0; i < m_levels.size(); ++i)
        m_levels[i]->setChecked(filter.levels.contains(kLevelKeys[i]));
    m_rating->setChecked(filter.maxRating >= 0);
    if (filter.maxRating >= 0)
        m_maxRating->setValue(filter.maxRating);
    m_due->setChecked(filter.due == PlayAllFilter::Due::Today);
    m_setting = false;
    enableParts();
}

void PlayAllFilterBar::showCount(int passing, int total)
{
    m_count->setText(QStringLiteral("%1 of %2 bookmarks play").arg(passing).arg(total));
    m_count->setAccessibleName(m_count->text());
}

void PlayAllFilterBar::changed()
{
    enableParts();
    if (!m_setting)
        emit filterChanged(filter());
}

void PlayAllFilterBar::enableParts()
{
    const bool on = m_on->isChecked();
    for (QCheckBox* level : m_levels)
        level->setEnabled(on);
    m_rating->setEnabled(on);
    m_maxRating->setEnabled(on && m_rating->isChecked());
    m_due->setEnabled(on);
    m_count->setVisible(on);
}
