#pragma once

// While alive, the file system does not answer for paths that start with
// `prefix` (or for that path alone), as a network share that has gone away
// does: the program's
// workers that look at them wait until the object is destroyed, which lets
// them go and waits for them to end. Header-only.

#include "core/base/FileProbe.h"

#include <QElapsedTimer>
#include <QString>
#include <QThread>

#include <condition_variable>
#include <memory>
#include <mutex>

class HeldBackFolder {
public:
    enum class Match { Within, Exactly };

    explicit HeldBackFolder(const QString& prefix, Match match = Match::Within) : m_gate(std::make_shared<Gate>())
    {
        FileProbe::setDelayForTests([gate = m_gate, prefix, match](const QString& path) {
            if (match == Match::Within ? !path.startsWith(prefix) : path != prefix)
                return;
            std::unique_lock guard(gate->lock);
            ++gate->held;
            gate->open.wait(guard, [&] { return gate->released; });
        });
    }
    ~HeldBackFolder()
    {
        {
            const std::lock_guard guard(m_gate->lock);
            m_gate->released = true;
        }
        m_gate->open.notify_all();
        FileProbe::setDelayForTests({});
        QElapsedTimer waited;
        waited.start();
        while (FileProbe::busyWorkers() > 0 && waited.elapsed() < 5000)
            QThread::msleep(5);
    }
    HeldBackFolder(const HeldBackFolder&) = delete;
    HeldBackFolder& operator=(const HeldBackFolder&) = delete;

    // How many looks at held-back paths are waiting.
    int held() const
    {
        const std::lock_guard guard(m_gate->lock);
        return m_gate->held;
    }

private:
    struct Gate {
        mutable std::mutex lock;
        std::condition_variable open;
        bool released = false;
        int held = 0;
    };
    std::shared_ptr<Gate> m_gate;
};
