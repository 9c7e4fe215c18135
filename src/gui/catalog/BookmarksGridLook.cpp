#include "gui/catalog/BookmarksGridLook.h"

#include "core/catalog/CatalogDocument.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

using namespace BookmarkColumn;

namespace BookmarksGridLook {

namespace {

QPixmap drawArrow(const QColor& fill, const QColor& edge)
{
    QPixmap pixmap(14, 14);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath arrow;
    arrow.moveTo(3, 1.5);
    arrow.lineTo(12.5, 7);
    arrow.lineTo(3, 12.5);
    arrow.closeSubpath();
    p.setPen(QPen(edge, 1));
    p.setBrush(fill);
    p.drawPath(arrow);
    return pixmap;
}

} // namespace

const QPixmap& playArrow(bool highlighted)
{
    static const QPixmap plain = drawArrow(QColor(0, 150, 0), QColor(0, 90, 0));
    static const QPixmap lit = drawArrow(QColor(255, 200, 0), QColor(200, 60, 0));
    return highlighted ? lit : plain;
}

const QPixmap& moveMark()
{
    static const QPixmap mark = [] {
        QPixmap pixmap(12, 14);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(70, 70, 70));
        // Two small arrow heads, up and down: rows move.
        p.drawPolygon(QPolygonF({{6, 0.5}, {11, 5.5}, {1, 5.5}}));
        p.drawPolygon(QPolygonF({{6, 13.5}, {11, 8.5}, {1, 8.5}}));
        return pixmap;
    }();
    return mark;
}

} // namespace BookmarksGridLook

BookmarksGridStyleModel::BookmarksGridStyleModel(CatalogDocument* document, QObject* parent)
    : QIdentityProxyModel(parent), m_document(document)
{
    setSourceModel(document->model());
}

QVariant BookmarksGridStyleModel::data(const QModelIndex& index, int role) const
{
    if (index.isValid() && index.column() == Handle && m_document->rowMarkedToPlay(CatalogModel::gridRow(index))) {
        if (role == Qt::BackgroundRole)
            return BookmarksGridLook::WillPlay;
        if (role == Qt::AccessibleTextRole || role == Qt::ToolTipRole)
            return QStringLiteral("plays in play all");
    }
    if (role == Qt::ToolTipRole && index.isValid() && index.column() == Name && m_rowHint) {
        const QString hint = m_rowHint(CatalogModel::gridRow(index));
        if (!hint.isEmpty())
            return hint;
    }
    if (role == Qt::BackgroundRole && index.isValid()) {
        const int column = index.column();
        if (column != Category && column != Name && column != Play)
            return {};
        const bool playing = CatalogModel::gridRow(index) == m_document->PlayingBookmark();
        if (playing && (column != Play || m_document->PlayCellGreen()))
            return BookmarksGridLook::LightGreen;
        return BookmarksGridLook::Cream;
    }
    if (role == Qt::TextAlignmentRole && index.isValid() && index.column() == Number)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return QIdentityProxyModel::data(index, role);
}

QVariant BookmarksGridStyleModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal) {
        if (role == Qt::ForegroundRole && section == Play)
            return BookmarksGridLook::PlayHeader;
        if (role == Qt::DecorationRole && section == Handle)
            return BookmarksGridLook::moveMark();
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    }
    return QIdentityProxyModel::headerData(section, orientation, role);
}
