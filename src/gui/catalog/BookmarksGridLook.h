#pragma once

#include <QColor>
#include <QIdentityProxyModel>
#include <QPixmap>
#include <functional>

class CatalogDocument;

// The catalog grid's colours and images.
namespace BookmarksGridLook {

inline const QColor Cream(255, 251, 240);
inline const QColor LightGreen(115, 232, 121);
inline const QColor PlayHeader(0, 128, 0);
inline const QColor Selection(182, 202, 234);
// The move handle of a row that the play-all filter lets play.
inline const QColor WillPlay(150, 110, 230);
inline constexpr int HeaderHeight = 21;
inline constexpr int RowHeight1 = 20; // spacing style 1
inline constexpr int RowHeight2 = 33; // spacing style 2

// Image 1 of the grid: the play arrow; image 0: the highlighted arrow shown
// in a selected "Play" cell.
const QPixmap& playArrow(bool highlighted);
// Image 3: the mark on the header of the column that moves rows.
const QPixmap& moveMark();

} // namespace BookmarksGridLook

// The catalog's rows as the grid shows them: the model's texts with the
// cell colours (cream, light green for the playing bookmark), the green
// "Play" title, the move column's mark and the hint of a bookmark's name.
class BookmarksGridStyleModel : public QIdentityProxyModel {
    Q_OBJECT
public:
    BookmarksGridStyleModel(CatalogDocument* document, QObject* parent = nullptr);

    // The tooltip of bookmark row `row`'s name (empty: none).
    void setRowHint(std::function<QString(int row)> hint) { m_rowHint = std::move(hint); }

    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    CatalogDocument* m_document;
    std::function<QString(int row)> m_rowHint;
};
