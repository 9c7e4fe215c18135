#pragma once

#include <QString>
#include <QStringList>

// The dialog that asks for a new bookmark's category and name, as making
// bookmarks sees it. The category dialog implements it; core tests use a
// fake that answers.
class CategoryDialogView {
public:
    virtual ~CategoryDialogView() = default;

    // Lays the dialog out for one question: with the category shown, both
    // boxes pre-filled and the catalog's categories (each once) in the
    // drop-down; without, the name box alone, emptied. The titles are the
    // category and name column titles.
    virtual void arrange(const QString& categoryTitle, const QString& nameTitle, bool showCategory,
                         const QStringList& categories, const QString& lastCategory, const QString& lastName) = 0;
    // Shows the dialog modally; true for OK.
    virtual bool ask() = 0;
    // What the boxes hold when it closed.
    virtual QString category() const = 0;
    virtual QString name() const = 0;
};
