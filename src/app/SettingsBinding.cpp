#include "app/SettingsBinding.h"

#include <algorithm>

void SettingsBinding::claim(const settings::Member& member, std::size_t* firstRow)
{
    const auto& rows = settings::rows();
    if (m_claims.empty())
        m_claims.assign(rows.size(), 0);
    const settings::Row* row = settings::rowOf(member);
    Q_ASSERT_X(row, "SettingsBinding", "a member without a row in the settings table");
    if (!row)
        return;
    const std::size_t at = std::size_t(row - rows.data());
    ++m_claims[at];
    if (firstRow)
        *firstRow = std::min(*firstRow, at);
}

void SettingsBinding::bindGroup(std::vector<settings::Member> members, Apply apply, Collect collect)
{
    std::size_t firstRow = settings::rows().size();
    for (const settings::Member& member : members)
        claim(member, &firstRow);
    const auto before = std::upper_bound(m_bindings.begin(), m_bindings.end(), firstRow,
                                         [](std::size_t row, const Binding& b) { return row < b.firstRow; });
    m_bindings.insert(before, Binding{firstRow, std::move(apply), std::move(collect)});
}

void SettingsBinding::keep(settings::Member member)
{
    claim(member, nullptr);
}

void SettingsBinding::apply(const Settings& s)
{
    m_applied = s;
    for (const Binding& b : m_bindings)
        b.apply(s);
}

Settings SettingsBinding::current() const
{
    Settings s = m_applied;
    for (const Binding& b : m_bindings)
        b.collect(s);
    return s;
}

QStringList SettingsBinding::unboundKeys() const
{
    QStringList keys;
    const auto& rows = settings::rows();
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (m_claims.size() != rows.size() || m_claims[i] == 0)
            keys.append(rows[i].keyText());
    return keys;
}

QStringList SettingsBinding::doublyBoundKeys() const
{
    QStringList keys;
    const auto& rows = settings::rows();
    for (std::size_t i = 0; i < m_claims.size(); ++i)
        if (m_claims[i] > 1)
            keys.append(rows[i].keyText());
    return keys;
}
