#include "core/base/FolderClipList.h"

#include "core/base/ClipTypes.h"
#include "core/base/FileProbe.h"

#include <algorithm>

namespace {

// Case-insensitive order, ties broken by the exact text so that names that
// differ only in letter case still have a fixed order.
bool clipPathLess(const QString& a, const QString& b)
{
    const int folded = QString::compare(a, b, Qt::CaseInsensitive);
    if (folded != 0)
        return folded < 0;
    return QString::compare(a, b, Qt::CaseSensitive) < 0;
}

} // namespace

const QStringList& FolderClipList::clipPatterns()
{
    static const QStringList patterns = ClipTypes::wildcards();
    return patterns;
}

const QStringList& FolderClipList::clipExtensions()
{
    static const QStringList extensions = [] {
        QStringList list;
        for (const QString& extension : ClipTypes::extensions())
            list.append(extension.toUpper());
        return list;
    }();
    return extensions;
}

bool FolderClipList::isClipName(const QString& name)
{
    return ClipTypes::isClipFileName(name);
}

void FolderClipList::LoadAllFileTypes(const QString& folder)
{
    if (const std::optional<QStringList> names = FileProbe::entryNames(folder, &isClipName))
        addClipNames(folder, *names);
}

void FolderClipList::addClipNames(const QString& folder, const QStringList& names)
{
    for (const QString& name : names)
        if (isClipName(name))
            add(folder + name);
}

void FolderClipList::add(const QString& path)
{
    const auto at = std::lower_bound(m_entries.begin(), m_entries.end(), path, clipPathLess);
    if (at != m_entries.end() && *at == path)
        return;
    m_entries.insert(at, path);
}

void FolderClipList::clear()
{
    m_entries.clear();
}

QString FolderClipList::nextEntry(const QString& current) const
{
    if (m_entries.isEmpty())
        return {};
    const qsizetype match = m_entries.indexOf(current);
    if (match < 0 || match + 1 >= m_entries.size())
        return m_entries.first();
    return m_entries.at(match + 1);
}

QString FolderClipList::previousEntry(const QString& current) const
{
    if (m_entries.isEmpty())
        return {};
    const qsizetype match = m_entries.indexOf(current);
    if (match <= 0)
        return m_entries.last();
    return m_entries.at(match - 1);
}
