#pragma once

#include "core/settings/ExtrasTable.h"
#include "core/settings/Settings.h"
#include "core/settings/SettingsTable.h"

#include <QStringList>
#include <functional>
#include <vector>

// The bindings of one settings file: ties each row of its settings table to the place that holds it while the
// program runs. Each window binds its own controls: for a setting, how its
// value is read from the control and how it is applied to it. Settings that
// no control holds are kept here as applied and written back unchanged. The
// settings file is read into the bindings by apply() and written from
// current(); unboundKeys() names any row without a home, whose value would
// otherwise be lost at exit.
//
// ConfigBindings holds config.txt's rows, ExtrasBindings extras.txt's.
template <class S> class BindingTable {
public:
    using Apply = std::function<void(const S&)>;
    using Collect = std::function<void(S&)>;
    using Member = settings::MemberOf<S>;

    // One control holding one setting: get() gives its value, set(value)
    // applies it.
    template <class T, class Get, class Set> void bind(T S::*member, Get get, Set set)
    {
        bindGroup(
            {member}, [member, set](const S& s) { set(s.*member); }, [member, get](S& s) { s.*member = get(); });
    }

    // Settings applied and read together, such as a window's bounds and
    // state; apply() sees all the settings, collect() writes its members.
    void bindGroup(std::vector<Member> members, Apply apply, Collect collect);

    // A setting that no control holds: kept as applied.
    void keep(Member member);

    // Applies every binding, in the order of the table (of each binding's
    // first row).
    void apply(const S& s);
    // The kept values, with every bound control's value over them.
    S current() const;
    // The values as last applied.
    const S& applied() const { return m_applied; }

    // Keys of rows nothing binds or keeps, and of rows bound twice.
    QStringList unboundKeys() const;
    QStringList doublyBoundKeys() const;

private:
    struct Binding {
        std::size_t firstRow;
        Apply apply;
        Collect collect;
    };
    void claim(const Member& member, std::size_t* firstRow);

    std::vector<Binding> m_bindings;
    std::vector<int> m_claims; // per row: how many bindings hold it
    S m_applied;
};

extern template class BindingTable<Settings>;
extern template class BindingTable<Extras>;

class ConfigBindings : public BindingTable<Settings> {};
class ExtrasBindings : public BindingTable<Extras> {};
