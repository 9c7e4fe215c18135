#include "gui/beats/BeatSeekBar.h"

#include "core/beats/BeatGrid.h"

#include <QPainter>
#include <QStyleOptionSlider>
#include <cmath>

BeatSeekBar::BeatSeekBar(QWidget* parent) : QSlider(Qt::Horizontal, parent)
{
}

void BeatSeekBar::setBeats(const QList<double>& beats, int one)
{
    if (beats == m_beats && one == m_one)
        return;
    m_beats = beats;
    m_one = one;
    update();
}

int BeatSeekBar::tickX(double seconds) const
{
    QStyleOptionSlider option;
    initStyleOption(&option);
    const QRect groove = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
    const QRect handle = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
    // The handle's middle runs from half a handle into the groove to half
    // a handle before its end; a value's place is where the middle stands.
    const int span = groove.width() - handle.width();
    const int value = int(std::lround(seconds * 10));
    return groove.left() + handle.width() / 2 +
           QStyle::sliderPositionFromValue(minimum(), maximum(), value, std::max(span, 0), option.upsideDown);
}

void BeatSeekBar::paintEvent(QPaintEvent* event)
{
    QSlider::paintEvent(event);
    if (!m_beats.isEmpty() && maximum() > minimum()) {
        QPainter painter(this);
        const int bottom = height() - 1;
        for (qsizetype i = 0; i < m_beats.size(); ++i) {
            const int x = tickX(m_beats[i]);
            const bool one = ((i - m_one) % beats::CountCycle + beats::CountCycle) % beats::CountCycle == 0;
            painter.setPen(one ? QColor(230, 120, 30) : palette().color(QPalette::Mid));
            painter.drawLine(x, bottom - (one ? 5 : 3), x, bottom);
        }
    }
}
