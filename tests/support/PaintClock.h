#pragma once

// The time from each paint event of a picture widget to its frame drawn:
// install it as the widget's event filter and call painted() when the frame
// is drawn (MpvVideoWidget::frameRendered).
#include <QElapsedTimer>
#include <QEvent>
#include <QObject>
#include <numeric>
#include <vector>

class PaintClock : public QObject {
public:
    std::vector<double> paintMs; // one per frame drawn

    void reset()
    {
        paintMs.clear();
        m_painting = false;
    }
    void painted()
    {
        if (m_painting)
            paintMs.push_back(m_start.nsecsElapsed() / 1e6);
        m_painting = false;
    }
    double busyMs() const { return std::accumulate(paintMs.begin(), paintMs.end(), 0.0); }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            m_painting = true;
            m_start.start();
        }
        return false;
    }

private:
    QElapsedTimer m_start;
    bool m_painting = false;
};
