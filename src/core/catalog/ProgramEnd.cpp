#include "core/catalog/ProgramEnd.h"

#include "core/catalog/CatalogLifecycle.h"
#include "core/catalog/RecoveryWriter.h"

ProgramEnd::ProgramEnd(CatalogLifecycle& catalog, RecoveryWriter& recovery) : m_catalog(catalog), m_recovery(recovery)
{
}

ProgramEnd::Outcome ProgramEnd::end(Way way)
{
    if (m_ended)
        return Outcome::Ends;
    switch (way) {
    case Way::ByUser:
        if (!UnsavedChanges::mayLeave(m_catalog.settleBeforeEnding()))
            return Outcome::Stays;
        break;
    case Way::BySession:
        // What the user typed stays where it is: it goes into the recovery
        // as it stands, and the grid is not touched.
        m_recovery.writeNow();
        break;
    }
    m_ended = true;
    m_recovery.stop();
    if (m_writeSettings)
        m_writeSettings(way);
    if (way == Way::ByUser && m_lastCheck)
        m_lastCheck();
    return Outcome::Ends;
}
