#include "core/settings/BindingTable.h"

#include <algorithm>

template <class S> void BindingTable<S>::claim(const Member& member, std::size_t* firstRow)
{
    const auto& rows = settings::tableOf<S>();
    if (m_claims.empty())
        m_claims.assign(rows.size(), 0);
    const settings::RowOf<S>* row = settings::rowOf<S>(member);
    Q_ASSERT_X(row, "ConfigBindings", "a member without a row in the settings table");
    if (!row)
        return;
    const std::size_t at = std::size_t(row - rows.data());
    ++m_claims[at];
    if (firstRow)
        *firstRow = std::min(*firstRow, at);
}

template <class S> void BindingTable<S>::bindGroup(std::vector<Member> members, Apply apply, Collect collect)
{
    std::size_t firstRow = settings::tableOf<S>().size();
    for (const Member& member : members)
        claim(member, &firstRow);
    const auto before = std::upper_bound(m_bindings.begin(), m_bindings.end(), firstRow,
                                         [](std::size_t row, const Binding& b) { return row < b.firstRow; });
    m_bindings.insert(before, Binding{firstRow, std::move(apply), std::move(collect)});
}

template <class S> void BindingTable<S>::keep(Member member)
{
    claim(member, nullptr);
}

template <class S> void BindingTable<S>::apply(const S& s)
{
    m_applied = s;
    for (const Binding& b : m_bindings)
        b.apply(s);
}

template <class S> S BindingTable<S>::current() const
{
    S s = m_applied;
    for (const Binding& b : m_bindings)
        b.collect(s);
    return s;
}

template <class S> QStringList BindingTable<S>::unboundKeys() const
{
    QStringList keys;
    const auto& rows = settings::tableOf<S>();
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (m_claims.size() != rows.size() || m_claims[i] == 0)
            keys.append(rows[i].keyText());
    return keys;
}

template <class S> QStringList BindingTable<S>::doublyBoundKeys() const
{
    QStringList keys;
    const auto& rows = settings::tableOf<S>();
    for (std::size_t i = 0; i < m_claims.size(); ++i)
        if (m_claims[i] > 1)
            keys.append(rows[i].keyText());
    return keys;
}

template class BindingTable<Settings>;
template class BindingTable<Extras>;
