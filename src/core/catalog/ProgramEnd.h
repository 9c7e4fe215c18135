#pragma once

#include <functional>

class CatalogLifecycle;
class RecoveryWriter;

// How the program ends. Asked by the user (the close box, the exit button,
// key and menu item): the open catalog's unsaved changes are saved or given
// up as the user says, and the user may stay. Ended by the session (logout,
// shutdown, a termination signal): nothing is asked and nothing stays
// unkept; the catalog's whole state, typing included, goes to its recovery
// file at once, offered again at the next start. Either way the settings
// files are written with this run's changes.
class ProgramEnd {
public:
    enum class Way { ByUser, BySession };
    enum class Outcome { Ends, Stays };

    ProgramEnd(CatalogLifecycle& catalog, RecoveryWriter& recovery);

    // Writes the settings files; ByUser may tell the user of a failure,
    // BySession must not show a box.
    void setSettingsWriter(std::function<void(Way)> write) { m_writeSettings = std::move(write); }
    // What runs last when the user ends the program (the duplicate key
    // check, which may show its message while the program closes).
    void setLastCheck(std::function<void()> check) { m_lastCheck = std::move(check); }

    // Ends only once: later calls answer Ends and do nothing.
    Outcome end(Way way);
    bool hasEnded() const { return m_ended; }

private:
    CatalogLifecycle& m_catalog;
    RecoveryWriter& m_recovery;
    std::function<void(Way)> m_writeSettings;
    std::function<void()> m_lastCheck;
    bool m_ended = false;
};
