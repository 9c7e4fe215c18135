#pragma once

#include "core/catalog/CategoryDialogView.h"

#include <QDialog>
#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class TColourButton;

// The dialog that asks for a new bookmark's category and name. Modal, centred
// on the screen. Enter in the category box moves on to the name box, Enter in
// the name box closes with OK, Escape in either closes with Cancel.
class TCategoryInputForm : public QDialog, public CategoryDialogView {
    Q_OBJECT
public:
    explicit TCategoryInputForm(QWidget* parent = nullptr);

    // Lays the dialog out for one question: with the category shown, both
    // boxes side by side, pre-filled and with the catalog's categories in the
    // drop-down (each once); without, the name box alone, emptied. The
    // titles are the catalog's category and name column titles.
    void arrange(const QString& categoryTitle, const QString& nameTitle, bool showCategory,
                 const QStringList& categories, const QString& lastCategory, const QString& lastName) override;
    // Shows the dialog modally, centred on the screen; true for OK.
    bool ask() override;
    QString category() const override;
    QString name() const override;
    // How the dialog is shown; replaceable so tests can answer it through
    // its own boxes and keys.
    void setShower(std::function<bool(TCategoryInputForm&)> shower) { m_shower = std::move(shower); }

    QLabel* Label_Category;
    QComboBox* InputBox_Category;
    QLabel* Label_Name;
    QLineEdit* InputBox_Name;
    TColourButton* OK_Button;
    TColourButton* Cancel_Button;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static QString promptFor(const QString& title);

    std::function<bool(TCategoryInputForm&)> m_shower;
};
