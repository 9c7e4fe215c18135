#pragma once

#include <QStyledItemDelegate>
#include <functional>

// The catalog grid's cells: the editor of each column (a text box, the
// learn list " ", "a" to "d", the rating spin box 0 to 10), the check of a
// committed value, and the images and fixed look of the "Play" and move
// columns.
class BookmarksGridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    // Checks a committed value of (column, grid row); false refuses it (the
    // checker has told the user why).
    using Validator = std::function<bool(int column, int row, const QString& text)>;

    explicit BookmarksGridDelegate(QObject* parent = nullptr);
    void setValidator(Validator validator) { m_validator = std::move(validator); }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    static QStringList learnItems() { return {QStringLiteral(" "), "a", "b", "c", "d"}; }
    // The value an editor of this delegate holds, as it would be committed.
    static QString editorText(const QWidget* editor);

signals:
    // A committed value was refused; the editor should open on it again.
    void valueRefused(const QModelIndex& index) const;
    // The user changed what an open editor holds.
    void editorTyped() const;

private:
    Validator m_validator;
};
