#include "core/desktop/ScreenAwake.h"

#include "core/desktop/IdleInhibitor.h"

#include <QTimer>

ScreenAwake::ScreenAwake(IdleInhibitor& inhibitor, QObject* parent)
    : QObject(parent), m_inhibitor(inhibitor),
      m_timer([this](int ms, std::function<void()> done) { QTimer::singleShot(ms, this, std::move(done)); })
{
}

void ScreenAwake::follow(PlaybackActivity activity)
{
    const bool awake = keepsScreenAwake(activity);
    switch (m_hold) {
    case Hold::Released:
        if (awake) {
            m_hold = Hold::Held;
            m_inhibitor.inhibit(QStringLiteral("Playing a video"));
        }
        break;
    case Hold::Held:
        if (!awake)
            releaseLater();
        break;
    case Hold::Releasing:
        if (awake) {
            // Playing again before the release: the hold stays.
            ++m_releaseNumber;
            m_hold = Hold::Held;
        }
        break;
    case Hold::Ended:
        break;
    }
}

void ScreenAwake::releaseLater()
{
    m_hold = Hold::Releasing;
    const int number = ++m_releaseNumber;
    m_timer(ReleaseDelayMs, [this, number] {
        if (number != m_releaseNumber || m_hold != Hold::Releasing)
            return;
        m_hold = Hold::Released;
        m_inhibitor.release();
    });
}

void ScreenAwake::end()
{
    const Hold was = m_hold;
    m_hold = Hold::Ended;
    ++m_releaseNumber;
    if (was == Hold::Held || was == Hold::Releasing)
        m_inhibitor.release();
}
