#pragma once

#include <QList>
#include <QSlider>

// The player's seek bar (a slider over the clip in tenths of a second)
// with the clip's beats as small ticks below its groove, so a dancer sees
// where the music's counts fall. The count's "1" (every eighth beat, from
// the one the finder or the dancer chose) has a longer tick.
class BeatSeekBar : public QSlider {
    Q_OBJECT
public:
    explicit BeatSeekBar(QWidget* parent = nullptr);

    // The beats in seconds, the first "1" at position `one`; none removes
    // the ticks.
    void setBeats(const QList<double>& beats, int one = 0);
    const QList<double>& beats() const { return m_beats; }
    int one() const { return m_one; }
    // Where a beat's tick is drawn, in the bar's own pixels.
    int tickX(double seconds) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QList<double> m_beats;
    int m_one = 0;
};
