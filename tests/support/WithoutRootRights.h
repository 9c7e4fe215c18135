#pragma once

// While alive, file permissions apply to this process even if it is root:
// root writes through any permission, so tests of read-only folders drop to
// the "nobody" user while the code under test runs. Header-only.

#include <QtGlobal>

#ifdef Q_OS_LINUX
#include <sys/types.h>
#include <unistd.h>
#endif

class WithoutRootRights {
public:
    WithoutRootRights()
    {
#ifdef Q_OS_LINUX
        if (geteuid() != 0) {
            m_ok = true;
            return;
        }
        // Real and effective ids both change (permission checks through
        // access() look at the real one); the saved ids keep root for the way
        // back.
        if (setresgid(65534, 65534, 0) != 0)
            return;
        m_dropped = true;
        m_ok = setresuid(65534, 65534, 0) == 0;
#endif
    }
    ~WithoutRootRights()
    {
#ifdef Q_OS_LINUX
        if (m_dropped) {
            [[maybe_unused]] const int a = setresuid(0, 0, 0);
            [[maybe_unused]] const int b = setresgid(0, 0, 0);
        }
#endif
    }
    WithoutRootRights(const WithoutRootRights&) = delete;
    WithoutRootRights& operator=(const WithoutRootRights&) = delete;

    bool ok() const
    {
        return m_ok;
    }

private:
    bool m_ok = false;
    bool m_dropped = false;
};
