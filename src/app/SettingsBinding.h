#pragma once

#include "app/Settings.h"
#include "app/SettingsTable.h"

#include <QStringList>
#include <functional>
#include <vector>

// Ties each row of the settings table to the place that holds it while the
// program runs. Each window binds its own controls: for a setting, how its
// value is read from the control and how it is applied to it. Settings that
// no control holds are kept here as applied and written back unchanged. The
// settings file is read into the bindings by apply() and written from
// current(); unboundKeys() names any row without a home, whose value would
// otherwise be lost at exit.
class SettingsBinding {
public:
    using Apply = std::function<void(const Settings&)>;
    using Collect = std::function<void(Settings&)>;

    // One control holding one setting: get() gives its value, set(value)
    // applies it.
    template <class T, class Get, class Set> void bind(T Settings::*member, Get get, Set set)
    {
        bindGroup(
            {member}, [member, set](const Settings& s) { set(s.*member); },
            [member, get](Settings& s) { s.*member = get(); });
    }

    // Settings applied and read together, such as a window's bounds and
    // state; apply() sees all the settings, collect() writes its members.
    void bindGroup(std::vector<settings::Member> members, Apply apply, Collect collect);

    // A setting that no control holds: kept as applied.
    void keep(settings::Member member);

    // Applies every binding, in the order of the table (of each binding's
    // first row).
    void apply(const Settings& s);
    // The kept values, with every bound control's value over them.
    Settings current() const;
    // The values as last applied.
    const Settings& applied() const { return m_applied; }

    // Keys of rows nothing binds or keeps, and of rows bound twice.
    QStringList unboundKeys() const;
    QStringList doublyBoundKeys() const;

private:
    struct Binding {
        std::size_t firstRow;
        Apply apply;
        Collect collect;
    };
    void claim(const settings::Member& member, std::size_t* firstRow);

    std::vector<Binding> m_bindings;
    std::vector<int> m_claims; // per row: how many bindings hold it
    Settings m_applied;
};
