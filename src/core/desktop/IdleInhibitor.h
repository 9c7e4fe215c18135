#pragma once

#include <QString>

// The seam to whatever keeps the desktop from going idle (blanking or
// locking the screen): the desktop's services in the program, a recorder in
// tests. Neither call waits for the desktop: a hold asked for and let go
// again before the desktop answered ends as a release.
class IdleInhibitor {
public:
    virtual ~IdleInhibitor() = default;

    // Keeps the screen awake until release(); `reason` is shown where the
    // desktop lists what holds it.
    virtual void inhibit(const QString& reason) = 0;
    virtual void release() = 0;
};
