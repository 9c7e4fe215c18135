#include "gui/catalog/BookmarksGridDelegate.h"

#include "core/catalog/BookmarksGridColumns.h"
#include "core/catalog/CatalogModel.h"
#include "gui/catalog/BookmarksGridLook.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPainter>
#include <QSpinBox>

using namespace BookmarkColumn;

BookmarksGridDelegate::BookmarksGridDelegate(QObject* parent) : QStyledItemDelegate(parent)
{
}

QWidget* BookmarksGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                             const QModelIndex& index) const
{
    switch (index.column()) {
    case Learn: {
        auto* list = new QComboBox(parent);
        list->addItems(learnItems());
        list->setAccessibleName(QStringLiteral("Learn"));
        connect(list, &QComboBox::activated, this, &BookmarksGridDelegate::editorTyped);
        return list;
    }
    case Rating: {
        auto* spin = new QSpinBox(parent);
        spin->setRange(0, 10);
        spin->setSingleStep(1);
        spin->setAccessibleName(QStringLiteral("Rating"));
        spin->setAccessibleDescription(QStringLiteral("0 to 10; empty for no rating"));
        connect(spin, &QSpinBox::textChanged, this, &BookmarksGridDelegate::editorTyped);
        return spin;
    }
    default: {
        auto* edit = new QLineEdit(parent);
        edit->setFrame(false);
        edit->setAccessibleName(index.model()->headerData(index.column(), Qt::Horizontal).toString());
        connect(edit, &QLineEdit::textEdited, this, &BookmarksGridDelegate::editorTyped);
        return edit;
    }
    }
}

void BookmarksGridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    const QString text = index.data(Qt::EditRole).toString();
    if (auto* list = qobject_cast<QComboBox*>(editor)) {
        const int item = int(learnItems().indexOf(text));
        list->setCurrentIndex(item < 0 ? 0 : item);
    } else if (auto* spin = qobject_cast<QSpinBox*>(editor)) {
        spin->setValue(text.toInt());
        // An unset rating shows as an empty box, and an emptied box unsets
        // the rating again.
        if (text.isEmpty())
            spin->clear();
    } else if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
        edit->setText(text);
    }
}

QString BookmarksGridDelegate::editorText(const QWidget* editor)
{
    if (auto* list = qobject_cast<const QComboBox*>(editor))
        return list->currentText().trimmed(); // the blank choice unsets the level
    if (auto* spin = qobject_cast<const QSpinBox*>(editor))
        return spin->text().trimmed().isEmpty() ? QString() : QString::number(spin->value());
    if (auto* edit = qobject_cast<const QLineEdit*>(editor))
        return edit->text();
    return {};
}

void BookmarksGridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    const QString text = editorText(editor);
    if (m_validator && !m_validator(index.column(), CatalogModel::gridRow(index), text)) {
        emit valueRefused(index);
        return;
    }
    model->setData(index, text, Qt::EditRole);
}

void BookmarksGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    if (index.column() == Handle) {
        // The rows the play-all filter lets play have a tinted handle.
        const QVariant mark = index.data(Qt::BackgroundRole);
        painter->fillRect(option.rect, mark.isValid() ? mark.value<QColor>() : option.palette.button().color());
        return;
    }
    if (index.column() != Play) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const bool selected = opt.state & QStyle::State_Selected;
    painter->fillRect(opt.rect, selected ? opt.palette.highlight() : opt.backgroundBrush);
    const QPixmap& arrow = BookmarksGridLook::playArrow(selected);
    const QPoint at(opt.rect.x() + (opt.rect.width() - arrow.width()) / 2,
                    opt.rect.y() + (opt.rect.height() - arrow.height()) / 2);
    painter->drawPixmap(at, arrow);
}
