#pragma once

#include "core/catalog/PlayAllFilter.h"

#include <QWidget>

class QCheckBox;
class QLabel;
class QSpinBox;

// The catalog window's compact bar of the play-all filter: on/off, the
// mastery levels that play, the highest rating that plays, only the moves
// due today by the practice log, and how many bookmarks that lets play.
class PlayAllFilterBar : public QWidget {
    Q_OBJECT
public:
    explicit PlayAllFilterBar(QWidget* parent = nullptr);

    PlayAllFilter filter() const;
    // Shows a filter without emitting filterChanged.
    void setFilter(const PlayAllFilter& filter);
    // "3 of 12 bookmarks play".
    void showCount(int passing, int total);

    QCheckBox* onBox() const { return m_on; }
    QCheckBox* levelBox(QChar level) const; // 'a' to 'd', or PlayAllFilter::NoLevel
    QCheckBox* ratingBox() const { return m_rating; }
    QSpinBox* maxRatingBox() const { return m_maxRating; }
    QCheckBox* dueBox() const { return m_due; }
    QLabel* countLabel() const { return m_count; }

signals:
    void filterChanged(const PlayAllFilter& filter);

private:
    void changed();
    void enableParts();

    QCheckBox* m_on;
    QList<QCheckBox*> m_levels; // a, b, c, d, none
    QCheckBox* m_rating;
    QSpinBox* m_maxRating;
    QCheckBox* m_due;
    QLabel* m_count;
    bool m_setting = false;
};
